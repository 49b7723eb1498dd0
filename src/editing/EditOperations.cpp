#include "editing/EditOperations.h"

namespace tarkel {
// Placeholders until the edit operations land.
int64_t DeleteRange(DocWaveAudio&, uint32_t, uint32_t, ChannelMode) { return -1; }
int64_t MoveOrCopyRange(DocWaveAudio&, uint32_t, uint32_t, ChannelMode, uint32_t, ChannelMode, bool, bool) {
  return -1;
}
}  // namespace tarkel

#include "editing/TransferSamples.h"
namespace tarkel {
bool TransferSamples(DocWaveAudio&, ChannelMode, uint32_t, TransferKind, const uint8_t*, uint8_t*) { return true; }
}  // namespace tarkel
