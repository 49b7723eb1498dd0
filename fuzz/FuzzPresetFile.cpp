// libFuzzer target: the preset file readers (the slider dialogs' layout and the curve dialogs'
// versioned one). The first byte picks the reader and the dialog's value count; the rest is the
// file. What was read must write back to bytes that read the same.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "dialogs/CurvePresets.h"
#include "dialogs/PresetFile.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool Same(const std::vector<tarkel::CEffectPreset>& a, const std::vector<tarkel::CEffectPreset>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].name != b[i].name || a[i].values != b[i].values) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> file(data + 1, size - 1);
  if (data[0] == 0xFF) {
    const tarkel::PresetReadResult read = tarkel::ParseCurvePresets(file);
    const tarkel::PresetReadResult back = tarkel::ParseCurvePresets(tarkel::SerializeCurvePresets(read.presets));
    Require(!back.damaged && Same(read.presets, back.presets));
    return 0;
  }
  const uint32_t valueCount = data[0] % 8;
  const tarkel::PresetReadResult read = tarkel::ParsePresets(file, valueCount);
  for (const tarkel::CEffectPreset& p : read.presets)
    Require(p.name.size() <= tarkel::kMaxPresetNameLength && p.values.size() == valueCount);
  const tarkel::PresetReadResult back = tarkel::ParsePresets(tarkel::SerializePresets(read.presets), valueCount);
  Require(!back.damaged && Same(read.presets, back.presets));
  return 0;
}
