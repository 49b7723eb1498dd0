#pragma once
// The presets of one open dialog: the list read from its file, followed by the presets saved
// while the dialog is open, and what the preset combo box does with them. The combo box starts
// with the fixed entry "default", which is not a preset and never reaches the file.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/PresetFile.h"

namespace tarkel {

inline constexpr const char* kDefaultPresetEntry = "default";

class PresetList {
 public:
  // An empty list for a dialog with `valueCount` values in its presets.
  explicit PresetList(uint32_t valueCount) : valueCount_(valueCount) {}
  // The presets of a curve dialog: values of any length in the curve preset file (CurvePresets.h).
  static PresetList ForCurves() {
    PresetList list(kAnyValueCount);
    list.curves_ = true;
    return list;
  }

  // Reads the file at `path` (a missing or damaged file gives what could be read).
  void Load(const std::string& path);
  // Writes the whole list to `path` (through a temporary file). False when that failed.
  bool Store(const std::string& path) const;

  // Copies the values of every preset named `name` into `values`, in list order, so that the
  // last one of that name wins. False (values unchanged) when no preset has that name.
  bool Apply(const std::string& name, std::vector<int32_t>& values) const;
  // The values of the last preset named `name`, or null.
  const CEffectPreset* Find(const std::string& name) const;
  // Appends a preset; any name is accepted, also an empty one and one that exists already.
  void Save(const std::string& name, const std::vector<int32_t>& values);
  // Removes the first preset named `name`. False when there is none.
  bool Delete(const std::string& name);

  const std::vector<CEffectPreset>& Presets() const { return presets_; }
  uint32_t ValueCount() const { return valueCount_; }

 private:
  uint32_t valueCount_;
  bool curves_ = false;
  std::vector<CEffectPreset> presets_;
};

}  // namespace tarkel
