#include "dialogs/DialogValues.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarkel {

int32_t FrequencyBits(float hertz) { return std::bit_cast<int32_t>(hertz); }
float FrequencyOf(int32_t bits) { return std::bit_cast<float>(bits); }

std::pair<int32_t, int32_t> OffsetRange(uint16_t bitsPerSample) {
  return bitsPerSample == 8 ? std::pair<int32_t, int32_t>{0, 255} : std::pair<int32_t, int32_t>{-32768, 32767};
}

int32_t ClampPresetValue(const ParamDecl& param, int32_t value) {
  switch (param.kind) {
    case ParamKind::SliderOnly: return std::clamp(value, param.positionMin, param.positionMax);
    case ParamKind::Radio:
    case ParamKind::Choice:
      if (!param.numericEntries) return std::clamp(value, 0, int32_t(param.entries.size()) - 1);
      return std::clamp(value, param.min, param.max);
    case ParamKind::Frequency: {
      const float f = FrequencyOf(value);
      if (std::isnan(f)) return FrequencyBits(float(param.initial));
      return FrequencyBits(std::clamp(f, float(kMinFrequency), float(kMaxFrequency)));
    }
    default: return std::clamp(value, param.min, param.max);
  }
}

std::optional<int32_t> ParsePresetValue(const ParamDecl& param, std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int64_t whole = 0;
  const char* end = text.data() + text.size();
  const auto [at, ec] = std::from_chars(text.data(), end, whole);
  const bool isWhole = !text.empty() && ec == std::errc() && at == end;
  if (param.kind == ParamKind::Frequency) {
    if (isWhole && whole >= 1 && whole <= int64_t(kMaxFrequency)) return FrequencyBits(float(whole));
    double hertz = 0;
    const auto [dAt, dEc] = std::from_chars(text.data(), end, hertz);
    if (!isWhole && !text.empty() && dEc == std::errc() && dAt == end)
      return ClampPresetValue(param, FrequencyBits(float(hertz)));
  }
  if (!isWhole || whole < INT32_MIN || whole > INT32_MAX) return std::nullopt;
  return ClampPresetValue(param, int32_t(whole));
}

DialogValues::DialogValues(const DialogDecl& entry) : spec_(&entry) {
  for (const ParamDecl& p : entry.params) {
    const int32_t position = std::clamp(p.initial, p.positionMin, p.positionMax);
    switch (p.kind) {
      case ParamKind::Slider: values_.push_back(p.map.ValueAt(position)); break;
      case ParamKind::SliderOnly: values_.push_back(position); break;
      case ParamKind::Frequency: values_.push_back(FrequencyBits(float(p.initial))); break;
      default: values_.push_back(p.initial); break;
    }
  }
}

int32_t DialogValues::Position(size_t i) const {
  const ParamDecl& p = spec_->params[i];
  const int32_t position = p.kind == ParamKind::SliderOnly ? values_[i] : p.map.PositionOf(values_[i]);
  return std::clamp(position, p.positionMin, p.positionMax);
}

void DialogValues::SetPosition(size_t i, int32_t position) {
  const ParamDecl& p = spec_->params[i];
  position = std::clamp(position, p.positionMin, p.positionMax);
  values_[i] = p.kind == ParamKind::SliderOnly ? position : p.map.ValueAt(position);
}

void DialogValues::Clamp(size_t i) {
  const ParamDecl& p = spec_->params[i];
  if (p.kind == ParamKind::Slider) values_[i] = std::clamp(values_[i], p.min, p.max);
}

std::string DialogValues::EditText(size_t i) const {
  if (spec_->params[i].kind != ParamKind::Frequency) return std::to_string(values_[i]);
  char text[32];
  std::snprintf(text, sizeof text, "%g", double(FrequencyOf(values_[i])));
  return text;
}

std::vector<int32_t> DialogValues::PresetValues() const {
  std::vector<int32_t> out;
  for (size_t i = 0; i < values_.size(); ++i)
    if (spec_->params[i].InPresets()) out.push_back(values_[i]);
  return out;
}

void DialogValues::ApplyPresetValues(const std::vector<int32_t>& values) {
  size_t next = 0;
  for (size_t i = 0; i < values_.size() && next < values.size(); ++i)
    if (spec_->params[i].InPresets()) values_[i] = values[next++];
}

int32_t DialogValues::RecordValue(size_t i) const {
  const ParamDecl& p = spec_->params[i];
  int64_t v = values_[i];
  switch (p.kind) {
    case ParamKind::SliderOnly: v = p.map.ValueAt(values_[i]); break;
    case ParamKind::Frequency: v = int64_t(double(FrequencyOf(values_[i])) * 100.0); break;
    case ParamKind::Choice:
      if (!p.entryRecordValues.empty() && v >= 0 && size_t(v) < p.entryRecordValues.size())
        v = p.entryRecordValues[size_t(v)];
      break;
    default: break;
  }
  return int32_t(v * p.scale.mul / p.scale.div + p.scale.add);
}

std::optional<std::string> DialogValues::Validate(uint16_t bitsPerSample) const {
  for (size_t i = 0; i < values_.size(); ++i) {
    const ParamDecl& p = spec_->params[i];
    if (p.kind == ParamKind::SampleOffset) {
      const auto [low, high] = OffsetRange(bitsPerSample);
      if (values_[i] < low || values_[i] > high)
        return "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".";
    }
    if (p.kind == ParamKind::Frequency) {
      const float f = FrequencyOf(values_[i]);
      if (!(f >= float(kMinFrequency) && f <= float(kMaxFrequency))) return "Please enter a number between 0.1 and 48000.";
    }
  }
  return std::nullopt;
}

}  // namespace tarkel
