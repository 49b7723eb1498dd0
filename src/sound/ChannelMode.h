#pragma once
#include <cstdint>

namespace tarkel {

// Which samples a range operation touches. Passed with every edit and effect.
enum class ChannelMode : uint8_t {
  Left = 1,   // left channel of a stereo sound
  Right = 2,  // right channel of a stereo sound
  Both = 3,   // both channels of a stereo sound
  Mono = 4,   // a mono sound
};

inline bool IsSingleChannel(ChannelMode m) { return m == ChannelMode::Left || m == ChannelMode::Right; }

}  // namespace tarkel
