#pragma once
// Positions as text in the seven display units and back, for the region window's list and
// edits. This is the window's own small converter; the view layer's time format can replace
// it behind these two functions without the window noticing.
#include <cstdint>
#include <string>

namespace tarkel::units {

// The display unit codes, in the order of the unit menus and the window's combo box.
enum Unit : int {
  kSamples = 0,
  kSeconds = 1,
  kMilliseconds = 2,
  kBeats = 3,
  kBytes = 4,
  kSmpte = 5,
  kFrames = 6,
};
inline constexpr int kUnitCount = 7;
inline constexpr uint16_t kDefaultFramesPerSecond = 25;

// What a conversion needs to know about the sound.
struct SoundClock {
  uint32_t rate = 0;          // frames per second of the sound
  uint16_t blockAlign = 0;    // bytes per frame
  uint16_t framesPerSecond = kDefaultFramesPerSecond;  // SMPTE and frame units
};

// `frames` as text in `unit`; "n/a" for beats (and for a sound without a rate, except samples
// and bytes). The unit's name is appended when asked for.
std::string FramesToText(uint64_t frames, int unit, const SoundClock& clock, bool appendUnitName = false);
// A text in `unit` as frames; text that is not a number reads as 0; beats give `previous`.
// Results beyond 32 bits are cut to the largest frame number.
uint32_t TextToFrames(const std::string& text, int unit, const SoundClock& clock, uint32_t previous = 0);

}  // namespace tarkel::units
