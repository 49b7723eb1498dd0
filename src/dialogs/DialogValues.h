#pragma once
// The values of one open effect dialog and the rules that bind them to its controls: one 32-bit
// value per parameter (a trackbar-only parameter holds its raw position, a Choice its number or
// index, the frequency its float bit pattern, a check box 0 or 1) plus the dial string or rate
// text. The widgets only show these values and forward what the user does.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/DialogCatalogue.h"

namespace tarkel {

// The tone synthesis frequency limits (hertz) and the float bit pattern presets keep.
inline constexpr double kMinFrequency = 0.1;
inline constexpr double kMaxFrequency = 48000.0;
int32_t FrequencyBits(float hertz);
float FrequencyOf(int32_t bits);

// A value clamped into the parameter's range, as a preset value (for a trackbar-only parameter
// the range of positions; for an index the entries; for the frequency 0.1 .. 48000 Hz).
int32_t ClampPresetValue(const ParamDecl& param, int32_t value);
// A preset value typed as text (the command line's --save-preset), clamped as above. Integers are
// the stored values; the frequency also takes hertz: a decimal number, or a whole number from 1
// to 48000 (no float bit pattern of a frequency in range is that small). Nothing for bad text.
std::optional<int32_t> ParsePresetValue(const ParamDecl& param, std::string_view text);

class DialogValues {
 public:
  // The values a dialog opens with (the initial trackbar positions pulled into range).
  explicit DialogValues(const DialogDecl& entry);

  const DialogDecl& Entry() const { return *spec_; }
  int32_t Value(size_t i) const { return values_[i]; }
  void SetValue(size_t i, int32_t value) { values_[i] = value; }
  const std::vector<int32_t>& Values() const { return values_; }
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

  // The trackbar position of parameter i (in the trackbar's range).
  int32_t Position(size_t i) const;
  // The trackbar of parameter i moved to `position`.
  void SetPosition(size_t i, int32_t position);
  // The edit of parameter i lost its focus: its value is clamped into the range.
  void Clamp(size_t i);
  // The value an edit shows (the frequency as a decimal number, others as an integer).
  std::string EditText(size_t i) const;

  // The values a preset keeps, in preset order, and their application.
  std::vector<int32_t> PresetValues() const;
  void ApplyPresetValues(const std::vector<int32_t>& values);

  // What the record receives for parameter i (after the conversion of its dialog).
  int32_t RecordValue(size_t i) const;

  // The check OK makes before it accepts (the offset against the sample width, the frequency
  // against its limits). Nothing when all is well, else the text to show.
  std::optional<std::string> Validate(uint16_t bitsPerSample) const;

 private:
  const DialogDecl* spec_;
  std::vector<int32_t> values_;
  std::string text_;
};

// The offset range the dialog accepts for samples of `bitsPerSample`.
std::pair<int32_t, int32_t> OffsetRange(uint16_t bitsPerSample);

}  // namespace tarkel
