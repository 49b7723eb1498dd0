#include "app/ChildStatusText.h"

#include <cmath>
#include <cstdio>

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

}  // namespace

std::string DataSizeText(uint64_t bytes) {
  if (bytes <= 9999) return std::to_string(bytes) + "Byte";
  if (bytes > 9999999) return std::to_string(bytes / 1048576) + "MByte";
  return std::to_string(bytes / 1024) + "kByte";
}

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

std::array<std::string, kChildPaneCount> ChildPaneTexts(const ChildStatus& s, int unit, int fps) {
  return {
      std::to_string(s.format.SamplesPerSec()) + "Hz",
      s.format.Channels() >= 2 ? "Stereo" : "Mono",
      std::to_string(s.format.BitsPerSample()) + "bit",
      DataSizeText(s.dataBytes),
      PositionText(s.position, unit, fps, s.format),
      PositionText(s.frames, unit, fps, s.format),
      PositionText(s.selectionLength, unit, fps, s.format),
  };
}

}  // namespace tarkel::app
