#pragma once
// The level the VU meter and its bars show: a measure of how much the sample magnitudes change
// over 50 steps a little ahead of the play position, on a logarithmic scale (0 .. about 8.5).
#include <cstdint>
#include <optional>

#include "monitors/SampleBlock.h"

namespace tarkel {

// How far ahead of the position the level is taken: an eighth of a second.
inline constexpr uint32_t kLevelLeadDivisor = 8;
inline constexpr int kLevelSteps = 50;
// What the meters show for silence: the bottom of their scale.
inline constexpr float kLevelFloor = 0.0f;

// The level at `frame`: nothing when the position plus an eighth of a second lies at or past the
// end of the sound (the meters keep their last value). Steps that would reach past the end are
// left out of the sum; silence and quiet sound give kLevelFloor.
std::optional<float> SoundLevelAt(const SampleBlock& sound, uint32_t frame);
std::optional<float> SoundLevelAt(const WaveAudio& sound, uint32_t frame);

}  // namespace tarkel
