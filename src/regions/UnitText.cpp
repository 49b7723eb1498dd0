#include "regions/UnitText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarkel::units {
namespace {

// The 0.001 that SMPTE formatting multiplies with, held in single precision as the program
// always did: a whole number of seconds comes out one millisecond short.
constexpr double kMilli = double(0.001f);

std::string Printf(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

uint32_t ClampFrames(double frames) {
  if (!(frames > 0)) return 0;
  if (frames >= double(UINT32_MAX)) return UINT32_MAX;
  return uint32_t(frames);
}

uint64_t ParseUnsigned(const std::string& text) {
  const size_t digit = text.find_first_not_of(" \t");
  return digit != std::string::npos && text[digit] == '-' ? 0 : std::strtoull(text.c_str(), nullptr, 10);
}
double ParseDecimal(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

std::string Smpte(uint64_t frames, const SoundClock& clock) {
  uint64_t t = uint64_t(std::floor(double(frames) / (double(clock.rate) * kMilli)));
  const uint64_t hh = t / 3600000;
  t -= hh * 3600000;
  const uint64_t mm = t / 60000;
  t -= mm * 60000;
  const uint64_t ss = t / 1000;
  t -= ss * 1000;
  const uint64_t ff = uint64_t(std::floor(double(clock.framesPerSecond) * double(t) * kMilli));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%02llu:%02llu:%02llu.%02llu", (unsigned long long)hh, (unsigned long long)mm,
                (unsigned long long)ss, (unsigned long long)ff);
  return buffer;
}

// hh:mm:ss.ff, fields taken from the right; missing ones are 0.
double SmpteFrames(const std::string& text, const SoundClock& clock) {
  std::string rest = text;
  double ff = 0;
  if (const size_t dot = rest.rfind('.'); dot != std::string::npos) {
    ff = double(ParseUnsigned(rest.substr(dot + 1)));
    rest.erase(dot);
  }
  uint64_t fields[3] = {0, 0, 0};  // ss, mm, hh
  for (int i = 0; i < 3; ++i) {
    const size_t colon = i < 2 ? rest.rfind(':') : std::string::npos;
    fields[i] = ParseUnsigned(colon == std::string::npos ? rest : rest.substr(colon + 1));
    if (colon == std::string::npos) break;
    rest.erase(colon);
  }
  const double seconds = double((fields[2] * 60 + fields[1]) * 60 + fields[0]);
  const double r = clock.rate;
  return r * seconds + (clock.framesPerSecond ? r * ff / clock.framesPerSecond : 0);
}

const char* UnitName(int unit) {
  switch (unit) {
    case kSamples: return " samples";
    case kSeconds: return " sec";
    case kMilliseconds: return " ms";
    case kBytes: return " byte";
    case kSmpte: return " (hh:mm:ss.fr)";
    case kFrames: return " frames";
    default: return "";
  }
}

}  // namespace

std::string FramesToText(uint64_t frames, int unit, const SoundClock& clock, bool appendUnitName) {
  const bool timed = unit == kSeconds || unit == kMilliseconds || unit == kSmpte || unit == kFrames;
  if (unit == kBeats || unit < 0 || unit >= kUnitCount || (timed && clock.rate == 0)) return "n/a";
  std::string text;
  switch (unit) {
    case kSamples: text = std::to_string(frames); break;
    case kSeconds: text = Printf("%.4g", double(frames) / clock.rate); break;
    case kMilliseconds: {
      // The divisor is the rate divided by 1000 and truncated; below 1000 Hz exactly.
      const uint64_t divisor = clock.rate / 1000;
      text = std::to_string(divisor ? frames / divisor : frames * 1000 / clock.rate);
      break;
    }
    case kBytes: text = std::to_string(frames * clock.blockAlign); break;
    case kSmpte: text = Smpte(frames, clock); break;
    case kFrames: text = Printf("%.5g", double(frames) / clock.rate * clock.framesPerSecond); break;
  }
  if (appendUnitName) text += UnitName(unit);
  return text;
}

uint32_t TextToFrames(const std::string& text, int unit, const SoundClock& clock, uint32_t previous) {
  const double r = clock.rate;
  switch (unit) {
    case kSamples: return ClampFrames(double(ParseUnsigned(text)));
    case kSeconds: return ClampFrames(std::floor(ParseDecimal(text) * r));
    case kMilliseconds: return ClampFrames(double(ParseUnsigned(text) * clock.rate / 1000));
    case kBytes: return clock.blockAlign ? ClampFrames(double(ParseUnsigned(text) / clock.blockAlign)) : 0;
    case kSmpte: return ClampFrames(std::floor(SmpteFrames(text, clock)));
    case kFrames:
      return clock.framesPerSecond ? ClampFrames(std::floor(r * (ParseDecimal(text) / clock.framesPerSecond))) : 0;
    default: return previous;
  }
}

}  // namespace tarkel::units
