#include "view/TimeFormat.h"

#include <cstdio>
#include <limits>

#include "sound/WaveFormat.h"

namespace tarkel {
namespace {

using Wide = unsigned __int128;

constexpr uint64_t kMaxFrames = std::numeric_limits<uint32_t>::max();
// Digits beyond these add nothing a 32-bit frame count can show.
constexpr size_t kMaxIntegerDigits = 12;
constexpr size_t kMaxFractionDigits = 18;
constexpr uint64_t kMaxExponent = 12;

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::optional<uint64_t> Integer(std::string_view text) {
  if (!IsDigits(text) || text.size() > kMaxIntegerDigits) return std::nullopt;
  uint64_t v = 0;
  for (char c : text) v = v * 10 + uint64_t(c - '0');
  return v;
}

// A decimal "I", "I.F" or ".F" as the fraction numerator / 10^digits.
struct Decimal {
  Wide numerator = 0;
  Wide denominator = 1;
};

std::optional<Decimal> ParsePlainDecimal(std::string_view text);

std::optional<Decimal> ParseDecimal(std::string_view text) {
  // The exponent form the seconds and frames read-outs take from 10000 up ("1.235e+04").
  int exponent = 0;
  if (const size_t e = text.find_first_of("eE"); e != std::string_view::npos) {
    std::string_view digits = text.substr(e + 1);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
    const auto v = Integer(digits);
    if (!v || *v > kMaxExponent) return std::nullopt;
    exponent = negative ? -int(*v) : int(*v);
    text = text.substr(0, e);
  }
  auto d = ParsePlainDecimal(text);
  if (!d) return std::nullopt;
  for (; exponent > 0; --exponent) d->numerator *= 10;
  for (; exponent < 0; ++exponent) d->denominator *= 10;
  return d;
}

std::optional<Decimal> ParsePlainDecimal(std::string_view text) {
  const size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  std::string_view fraction = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (!whole.empty() && !Integer(whole)) return std::nullopt;
  if (dot != std::string_view::npos && !fraction.empty() && !IsDigits(fraction)) return std::nullopt;
  if (fraction.size() > kMaxFractionDigits) fraction = fraction.substr(0, kMaxFractionDigits);
  Decimal d;
  d.numerator = whole.empty() ? 0 : *Integer(whole);
  for (char c : fraction) {
    d.numerator = d.numerator * 10 + unsigned(c - '0');
    d.denominator *= 10;
  }
  return d;
}

std::optional<uint32_t> Frames(Wide value) {
  if (value > kMaxFrames) return std::nullopt;
  return uint32_t(value);
}

// "hh:mm:ss.ff", fields taken from the right: ff after the last ".", then ss and mm after the
// last two ":", the leading number hh. Leading fields may be left out.
std::optional<uint32_t> ParseSmpte(std::string_view text, uint32_t rate, uint16_t fps) {
  uint64_t ff = 0;
  if (const size_t dot = text.rfind('.'); dot != std::string_view::npos) {
    const auto f = Integer(text.substr(dot + 1));
    if (!f) return std::nullopt;
    ff = *f;
    text = text.substr(0, dot);
  }
  uint64_t fields[3] = {0, 0, 0};  // ss, mm, hh
  for (int i = 0; i < 3; ++i) {
    const size_t colon = text.rfind(':');
    const std::string_view field = colon == std::string_view::npos ? text : text.substr(colon + 1);
    const auto v = Integer(field);
    if (!v) return std::nullopt;
    fields[i] = *v;
    if (colon == std::string_view::npos) {
      text = {};
      break;
    }
    text = text.substr(0, colon);
    if (i == 2) return std::nullopt;  // more than three fields before the frames
  }
  const Wide seconds = (Wide(fields[2]) * 60 + fields[1]) * 60 + fields[0];
  return Frames(Wide(rate) * seconds + Wide(rate) * ff / fps);
}

std::string Printf(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

void TimeFormat::SetFormat(const WaveFormat& format) { SetFormat(format.SamplesPerSec(), format.BlockAlign()); }

void TimeFormat::SetFormat(uint32_t rate, uint16_t blockAlign) {
  // A format without a rate or a block align would divide by zero; it counts as 1.
  rate_ = rate ? rate : 1;
  blockAlign_ = blockAlign ? blockAlign : 1;
}

std::optional<uint32_t> TimeFormat::Parse(DisplayUnit unit, std::string_view text) const {
  switch (unit) {
    case DisplayUnit::Samples: {
      const auto v = Integer(text);
      return v ? Frames(*v) : std::nullopt;
    }
    case DisplayUnit::Seconds: {
      const auto d = ParseDecimal(text);
      return d ? Frames(d->numerator * rate_ / d->denominator) : std::nullopt;
    }
    case DisplayUnit::Milliseconds: {
      const auto v = Integer(text);
      return v ? Frames(Wide(*v) * rate_ / 1000) : std::nullopt;
    }
    case DisplayUnit::Bytes: {
      const auto v = Integer(text);
      return v ? Frames(*v / blockAlign_) : std::nullopt;
    }
    case DisplayUnit::Smpte: return ParseSmpte(text, rate_, fps_);
    case DisplayUnit::Frames: {
      const auto d = ParseDecimal(text);
      return d ? Frames(d->numerator * rate_ / (d->denominator * fps_)) : std::nullopt;
    }
    case DisplayUnit::Beats: break;
  }
  return std::nullopt;
}

std::string TimeFormat::Format(uint32_t frames, DisplayUnit unit, bool appendName) const {
  std::string text;
  switch (unit) {
    case DisplayUnit::Samples: text = std::to_string(frames); break;
    case DisplayUnit::Seconds: text = Printf("%.4g", double(frames) / rate_); break;
    case DisplayUnit::Milliseconds: text = std::to_string(uint64_t(frames) * 1000 / rate_); break;
    case DisplayUnit::Bytes: text = std::to_string(uint64_t(frames) * blockAlign_); break;
    case DisplayUnit::Smpte: {
      // From the exact frame count: whole seconds, and the frame within the second.
      const uint64_t seconds = frames / rate_;
      // The frame shown is the last one whose parsed position lies at or before `frames`, so
      // that a text typed in and shown again stays the same text.
      const uint64_t ff = ((uint64_t(frames % rate_) + 1) * fps_ - 1) / rate_;
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%02llu:%02llu:%02llu.%02llu", (unsigned long long)(seconds / 3600),
                    (unsigned long long)(seconds / 60 % 60), (unsigned long long)(seconds % 60),
                    (unsigned long long)ff);
      text = buffer;
      break;
    }
    case DisplayUnit::Frames: text = Printf("%.5g", double(frames) * fps_ / rate_); break;
    case DisplayUnit::Beats: return "n/a";
  }
  if (appendName) text += UnitSuffix(unit);
  return text;
}

bool TimeFormat::ConvertPosition(DisplayUnit from, std::string_view text, DisplayUnit to, std::string& out,
                                 bool appendName) {
  if (from != DisplayUnit::Beats) value_ = Parse(from, text).value_or(0);
  out = Format(value_, to, appendName);
  return to != DisplayUnit::Beats;
}

std::string_view UnitSuffix(DisplayUnit unit) {
  switch (unit) {
    case DisplayUnit::Samples: return " samples";
    case DisplayUnit::Seconds: return " sec";
    case DisplayUnit::Milliseconds: return " ms";
    case DisplayUnit::Bytes: return " byte";
    case DisplayUnit::Smpte: return " (hh:mm:ss.fr)";
    case DisplayUnit::Frames: return " frames";
    case DisplayUnit::Beats: break;
  }
  return {};
}

std::optional<std::pair<std::string, std::string>> SplitPositionPair(std::string_view text, DisplayUnit unit) {
  size_t colon = std::string_view::npos;
  if (unit == DisplayUnit::Smpte) {
    const size_t dot = text.find('.');
    if (dot != std::string_view::npos) colon = text.find(':', dot);
  } else {
    colon = text.find(':');
    if (colon != std::string_view::npos && text.find(':', colon + 1) != std::string_view::npos)
      colon = std::string_view::npos;
  }
  if (colon == std::string_view::npos) return std::nullopt;
  return std::make_pair(std::string(text.substr(0, colon)), std::string(text.substr(colon + 1)));
}

}  // namespace tarkel
