#include "effects/Dtmf.h"

#include <cmath>
#include <cstring>

namespace tarkel {

std::optional<DtmfPair> DtmfTonesOf(char c) {
  static constexpr uint32_t kLow[4] = {697, 770, 852, 941};
  static constexpr uint32_t kHigh[3] = {1209, 1336, 1477};
  int row = -1;
  int column = -1;
  if (c >= '1' && c <= '9') {
    row = (c - '1') / 3;
    column = (c - '1') % 3;
  } else if (c == '*' || c == '0' || c == '#') {
    row = 3;
    column = c == '*' ? 0 : c == '0' ? 1 : 2;
  } else {
    return std::nullopt;
  }
  return DtmfPair{kLow[row], kHigh[column]};
}

void WriteDtmfTone(uint8_t* target, uint64_t frames, uint32_t samplesPerFrame, uint32_t strideSamples, double hertz,
                   uint32_t rate, double amplitude) {
  const double peak = rate ? amplitude * 32767.0 : 0.0;
  if (rate == 0) rate = 1;
  for (uint64_t j = 0; j < frames; ++j) {
    // The phase is taken modulo whole cycles so that long slots keep their precision.
    const double cycles = std::fmod(double(j) * hertz, double(rate));
    double v = std::sin(2.0 * M_PI * cycles / rate) * peak;
    v = v <= -32768.0 ? -32768.0 : v >= 32767.0 ? 32767.0 : std::trunc(v);
    const int16_t s = int16_t(v);
    for (uint32_t c = 0; c < samplesPerFrame; ++c)
      std::memcpy(target + 2 * (j * strideSamples + c), &s, 2);
  }
}

}  // namespace tarkel
