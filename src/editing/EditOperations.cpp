#include "editing/EditOperations.h"

namespace tarkel {
// Placeholders until the edit operations land.
int64_t DeleteRange(DocWaveAudio&, uint32_t, uint32_t, ChannelMode) { return -1; }
int64_t MoveOrCopyRange(DocWaveAudio&, uint32_t, uint32_t, ChannelMode, uint32_t, ChannelMode, bool, bool) {
  return -1;
}
}  // namespace tarkel
