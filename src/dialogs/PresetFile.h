#pragma once
// Preset files of the effect dialogs ("Echo.par" and the others): one file per dialog, all
// integers 32-bit little-endian, no header:
//
//   N (unsigned)                          the number of presets
//   N records, back to back:
//     L (unsigned, at most 199)           name length in bytes
//     L name bytes                        no terminator
//     V (unsigned)                        value count (always the dialog's parameter count)
//     V signed values                     in the dialog's preset order
//
// A damaged file is read up to the damage: every record that is whole and fits the dialog is
// kept, and the first one that is not (a length or count larger than the bytes that remain, a
// name longer than 199 bytes, a value count other than the dialog's) ends the reading.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarkel {

inline constexpr uint32_t kMaxPresetNameLength = 199;
// A value count for ParsePresets that accepts records of any length (the curve presets).
inline constexpr uint32_t kAnyValueCount = UINT32_MAX;

struct CEffectPreset {
  std::string name;
  std::vector<int32_t> values;
};

struct PresetReadResult {
  std::vector<CEffectPreset> presets;
  bool damaged = false;  // the bytes ended early or held a record that does not fit
};

// Reads the presets of a dialog with `valueCount` values from the bytes of a preset file.
PresetReadResult ParsePresets(std::span<const uint8_t> bytes, uint32_t valueCount);
// The bytes of a preset file holding `presets` in order.
std::vector<uint8_t> SerializePresets(const std::vector<CEffectPreset>& presets);

// The presets in the file at `path`; none when it is missing or cannot be read.
PresetReadResult ReadPresetFile(const std::string& path, uint32_t valueCount);
// The whole content of a file (empty when missing); false when it exists but cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
// Replaces the file at `path` with `bytes` through a temporary file beside it that is flushed and
// renamed over it, so that a full disk or a crash leaves the old file whole. The folder is
// created first when it is missing. False when anything failed (the old file is then unchanged).
bool ReplaceFileBytes(const std::string& path, std::span<const uint8_t> bytes);
inline bool WritePresetFile(const std::string& path, const std::vector<CEffectPreset>& presets) {
  return ReplaceFileBytes(path, SerializePresets(presets));
}

// Where the preset files live: $XDG_DATA_HOME/Brannick/Tarkel, or ~/.local/share/Brannick/Tarkel
// when XDG_DATA_HOME is unset, empty or not an absolute path.
std::string DefaultPresetFolder();
// `folder` joined with a preset file name.
std::string PresetPath(const std::string& folder, const std::string& fileName);

}  // namespace tarkel
