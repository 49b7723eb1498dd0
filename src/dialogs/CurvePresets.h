#pragma once
// Preset files of the two curve dialogs, "FadeInOutGraph.par" and "FilterGraph.par":
//
//   offset 0   4 bytes  "TKCV"                  marks a curve preset file
//   offset 4   4        version, 1              a reader refuses other versions (no presets)
//   offset 8   ...      the layout of PresetFile.h: count N, then N records of name length,
//                       name, value count V and V values, where the values of one curve are
//                         width W (> 0), x0, y0, x1, y1, ...  (V = 1 + 2 x points, 2..1024
//                         points, x in 0..W, y in 0..100 percent from the top)
//
// All integers 32-bit little-endian. A damaged file is read up to the damage, like the slider
// dialogs' files; a record whose curve does not fit the rules above also ends the reading.
#include <cstdint>
#include <span>
#include <vector>

#include "dialogs/CurveModel.h"
#include "dialogs/PresetFile.h"

namespace tarkel {

inline constexpr uint32_t kCurvePresetVersion = 1;

PresetReadResult ParseCurvePresets(std::span<const uint8_t> bytes);
std::vector<uint8_t> SerializeCurvePresets(const std::vector<CEffectPreset>& presets);

// A curve as preset values, and back (false when the values are no valid curve).
std::vector<int32_t> CurveValues(const CurveModel& curve);
bool CurveFromValues(const std::vector<int32_t>& values, CurveModel& curve);

}  // namespace tarkel
