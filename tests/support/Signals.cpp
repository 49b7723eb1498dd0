#include "support/Signals.h"

#include <cmath>
#include <cstring>

namespace tarkel::test {

std::vector<uint8_t> Staircase8(uint32_t bytes) {
  std::vector<uint8_t> v(bytes);
  for (uint32_t i = 0; i < bytes; ++i) v[i] = uint8_t(i);
  return v;
}

std::vector<uint8_t> Staircase16(uint32_t samples) {
  std::vector<uint8_t> v(samples * 2u);
  for (uint32_t i = 0; i < samples; ++i) {
    v[2 * i] = uint8_t(i);
    v[2 * i + 1] = uint8_t(i >> 8);
  }
  return v;
}

std::vector<int16_t> Sine16(double frequency, uint32_t rate, uint32_t samples, double amplitude) {
  std::vector<int16_t> v(samples);
  for (uint32_t i = 0; i < samples; ++i)
    v[i] = int16_t(std::lround(amplitude * std::sin(2.0 * M_PI * frequency * i / rate)));
  return v;
}

void Fill(WaveAudio& wave, uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& bytes) {
  wave.Format() = WaveFormat::Pcm(channels, rate, bits);
  wave.RefreshPcmCopy();
  uint8_t* data = wave.AllocateData(uint32_t(bytes.size()));
  if (data && !bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
}

std::vector<uint8_t> Bytes(const WaveAudio& wave) {
  if (!wave.Data()) return {};
  return std::vector<uint8_t>(wave.Data(), wave.Data() + wave.DataSize());
}

std::vector<int16_t> Samples16(const WaveAudio& wave) {
  std::vector<int16_t> v(wave.DataSize() / 2);
  if (!v.empty()) std::memcpy(v.data(), wave.Data(), v.size() * 2);
  return v;
}

}  // namespace tarkel::test
