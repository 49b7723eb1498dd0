#include "app/PositionUnits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tarkel::app {
namespace {

std::string Format(const char* pattern, double value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

// hh:mm:ss.ff; the milliseconds come from a single-precision 0.001, as the time axis counts them.
std::string SmpteText(uint64_t n, uint32_t rate, int fps) {
  const float k = 0.001f;
  const uint64_t t0 = uint64_t(double(n) / (double(rate) * double(k)));
  uint64_t t = t0;
  const uint64_t hh = t / 3600000;
  t -= hh * 3600000;
  const uint64_t mm = t / 60000;
  t -= mm * 60000;
  const uint64_t ss = t / 1000;
  t -= ss * 1000;
  const uint64_t ff = uint64_t(double(fps) * double(t) * double(k));
  char text[64];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%02d", int(int8_t(hh)), int(int8_t(mm)), int(int8_t(ss)),
                int(int8_t(ff)));
  return text;
}

constexpr const char* kUnitNames[kDisplayUnitCount] = {"Samples", "Seconds", "Milliseconds", "Beats",
                                                        "Bytes",   "SMPTE",   "Frames"};

// The platform's integer and decimal conversions: the number at the start, 0 when there is none.
int64_t LeadingInteger(const std::string& text) { return std::strtoll(text.c_str(), nullptr, 10); }
double LeadingDecimalNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

uint32_t Clamp(double frames) {
  if (!(frames > 0)) return 0;
  return frames >= double(UINT32_MAX) ? UINT32_MAX : uint32_t(frames);
}

uint32_t Clamp(int64_t frames) {
  if (frames <= 0) return 0;
  return frames >= int64_t(UINT32_MAX) ? UINT32_MAX : uint32_t(frames);
}

// hh:mm:ss.ff, split from the right.
uint32_t ParseSmpte(const std::string& text, uint32_t rate, int fps) {
  std::string rest = text;
  int64_t ff = 0;
  if (const size_t dot = rest.rfind('.'); dot != std::string::npos) {
    ff = LeadingInteger(rest.substr(dot + 1));
    rest.resize(dot);
  }
  int64_t fields[2] = {0, 0};  // ss, mm
  for (int64_t& field : fields) {
    const size_t colon = rest.rfind(':');
    if (colon == std::string::npos) break;
    field = LeadingInteger(rest.substr(colon + 1));
    rest.resize(colon);
  }
  const bool hasColon = text.find(':') != std::string::npos;
  const int64_t hh = hasColon ? LeadingInteger(rest) : 0;
  const int64_t ss = hasColon ? fields[0] : LeadingInteger(rest);
  const int64_t mm = fields[1];
  const int64_t seconds = (hh * 60 + mm) * 60 + ss;
  return Clamp(int64_t(rate) * seconds + int64_t(rate) * ff / (fps ? fps : 1));
}

}  // namespace

const char* DisplayUnitName(int unit) { return unit >= 0 && unit < kDisplayUnitCount ? kUnitNames[unit] : ""; }

std::string PositionText(uint64_t n, int unit, int fps, const WaveFormat& format) {
  const uint32_t rate = format.SamplesPerSec();
  if (unit != kDisplaySamples && unit != kDisplayBytes && unit != kDisplayBeats && rate == 0) return "0";
  switch (unit) {
    case kDisplaySamples: return std::to_string(n);
    case kDisplaySeconds: return Format("%.4g", double(n) / rate);
    case kDisplayMilliseconds: {
      const uint32_t divisor = rate / 1000 ? rate / 1000 : 1;
      return std::to_string(n / divisor);
    }
    case kDisplayBytes: return std::to_string(n * format.BlockAlign());
    case kDisplaySmpte: return SmpteText(n, rate, fps);
    case kDisplayFrames: return Format("%.5g", double(n) / rate * fps);
    default: return "n/a";
  }
}

uint32_t ParsePosition(const std::string& text, int unit, int fps, const WaveFormat& format, uint32_t previous) {
  const uint32_t rate = format.SamplesPerSec();
  switch (unit) {
    case kDisplaySamples: return Clamp(LeadingInteger(text));
    case kDisplaySeconds: return Clamp(std::floor(LeadingDecimalNumber(text) * rate));
    case kDisplayMilliseconds: return Clamp(LeadingInteger(text) * int64_t(rate) / 1000);
    case kDisplayBytes: return format.BlockAlign() ? Clamp(LeadingInteger(text) / format.BlockAlign()) : 0;
    case kDisplaySmpte: return ParseSmpte(text, rate, fps);
    case kDisplayFrames: return fps ? Clamp(std::floor(rate * (LeadingDecimalNumber(text) / fps))) : 0;
    default: return previous;
  }
}

}  // namespace tarkel::app
