#include "dialogs/PresetList.h"

#include <algorithm>

#include "dialogs/CurvePresets.h"

namespace tarkel {

void PresetList::Load(const std::string& path) {
  std::vector<uint8_t> bytes;
  presets_.clear();
  if (!ReadWholeFile(path, bytes)) return;
  presets_ = (curves_ ? ParseCurvePresets(bytes) : ParsePresets(bytes, valueCount_)).presets;
}

bool PresetList::Store(const std::string& path) const {
  return ReplaceFileBytes(path, curves_ ? SerializeCurvePresets(presets_) : SerializePresets(presets_));
}

bool PresetList::Apply(const std::string& name, std::vector<int32_t>& values) const {
  bool found = false;
  for (const CEffectPreset& p : presets_) {
    if (p.name != name) continue;
    for (size_t i = 0; i < p.values.size() && i < values.size(); ++i) values[i] = p.values[i];
    found = true;
  }
  return found;
}

const CEffectPreset* PresetList::Find(const std::string& name) const {
  const auto it = std::find_if(presets_.rbegin(), presets_.rend(), [&](const CEffectPreset& p) { return p.name == name; });
  return it == presets_.rend() ? nullptr : &*it;
}

void PresetList::Save(const std::string& name, const std::vector<int32_t>& values) {
  CEffectPreset preset{name.substr(0, kMaxPresetNameLength), values};
  if (valueCount_ != kAnyValueCount) preset.values.resize(valueCount_, 0);
  presets_.push_back(std::move(preset));
}

bool PresetList::Delete(const std::string& name) {
  const auto it = std::find_if(presets_.begin(), presets_.end(), [&](const CEffectPreset& p) { return p.name == name; });
  if (it == presets_.end()) return false;
  presets_.erase(it);
  return true;
}

}  // namespace tarkel
