// Decoding held formats: what the dither may do to wide samples, and what it must not.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "editing/ForeignDecoder.h"
#include "sound/Bytes.h"

namespace tarkel {
namespace {

std::vector<uint8_t> Pcm24(const std::vector<int32_t>& samples) {
  std::vector<uint8_t> bytes(samples.size() * 3);
  for (size_t i = 0; i < samples.size(); ++i) std::memcpy(&bytes[3 * i], &samples[i], 3);
  return bytes;
}

std::vector<int16_t> Decode(const WaveFormat& format, const std::vector<uint8_t>& data) {
  ForeignDecoder decoder;
  EXPECT_TRUE(decoder.Open(format, data.data(), uint32_t(data.size()), std::nullopt));
  EXPECT_EQ(decoder.DecodedFormat().BitsPerSample(), 16u);
  std::vector<int16_t> out(decoder.Frames() * decoder.DecodedFormat().Channels());
  EXPECT_EQ(decoder.Read(reinterpret_cast<uint8_t*>(out.data()), decoder.Frames()), decoder.Frames());
  return out;
}

TEST(ForeignDecoder, DitherKeepsEverySampleOnOneOfItsTwoNeighbours) {
  std::vector<int32_t> samples;
  for (int i = 0; i < 50000; ++i) samples.push_back(int32_t(std::lround(std::sin(i * 0.01) * 8388000.0)) + (i % 7) - 3);
  samples.push_back(8388607);   // full scale does not wrap
  samples.push_back(-8388608);
  const WaveFormat format = WaveFormat::Pcm(1, 48000, 24);
  const std::vector<int16_t> out = Decode(format, Pcm24(samples));
  ASSERT_EQ(out.size(), samples.size());
  double meanError = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    const double exact = samples[i] / 256.0;
    ASSERT_GE(out[i], std::floor(exact)) << i;
    ASSERT_LE(out[i], std::min(std::floor(exact) + 1, 32767.0)) << i;
    meanError += out[i] - exact;
  }
  // Dithered, not truncated: the errors average out.
  EXPECT_LT(std::abs(meanError / double(samples.size())), 0.05);
  EXPECT_EQ(out, Decode(format, Pcm24(samples)));  // the same every time
}

TEST(ForeignDecoder, SilenceAndSixteenBitContentPassUnchanged) {
  std::vector<int32_t> samples;
  for (int i = -3000; i < 3000; ++i) samples.push_back(i * 256 * 5);  // low byte zero: 16-bit values
  samples.insert(samples.end(), 1000, 0);
  const std::vector<int16_t> out = Decode(WaveFormat::Pcm(2, 44100, 24), Pcm24(samples));
  for (size_t i = 0; i < samples.size(); ++i) ASSERT_EQ(out[i], samples[i] / 256) << i;
}

TEST(ForeignDecoder, RefusesWhatLibsndfileCannotRead) {
  ForeignDecoder decoder;
  const std::vector<uint8_t> data(100, 1);
  EXPECT_FALSE(decoder.Open(WaveFormat::Make(0x1234, 1, 8000, 8), data.data(), 100, std::nullopt));
}

}  // namespace
}  // namespace tarkel
