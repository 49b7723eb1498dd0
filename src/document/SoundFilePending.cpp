// Stand-ins for the sound-file entries until the file formats are in this tree; they fail as a
// reader or writer that cannot handle the file would. Remove with the real implementation.
#include "fileformats/SoundFile.h"

namespace tarkel {
bool OpenSoundFile(WaveAudio&, const std::string&, int32_t, bool, int32_t) { return false; }
bool SaveSoundFile(WaveAudio&, const std::string&, uint32_t, uint32_t) { return false; }
}  // namespace tarkel
