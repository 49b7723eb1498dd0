// The monitors' maths on signals with known shapes: the VU level worked out by hand, the analysis
// window and spectrum of a sine, the scope's columns, the histogram's classes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "monitors/SampleHistogram.h"
#include "monitors/ScopeTrace.h"
#include "monitors/SoundLevel.h"
#include "monitors/Spectrum.h"
#include "sound/DocWaveAudio.h"
#include "support/Signals.h"

namespace tarkel {
namespace {

// A block over exactly the bytes given: reading one byte too far is a fault the sanitizer sees.
SampleBlock BlockOf(const std::vector<uint8_t>& bytes, uint16_t bits, uint16_t channels, uint32_t rate) {
  SampleBlock block;
  block.data = bytes.data();
  block.bytes = bytes.size();
  block.bitsPerSample = bits;
  block.channels = channels;
  block.rate = rate;
  block.frames = bytes.size() / (bits / 8) / channels;
  return block;
}

std::vector<uint8_t> Bytes16(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> bytes(samples.size() * 2);
  std::memcpy(bytes.data(), samples.data(), bytes.size());
  return bytes;
}

// Rate 8000: the level is taken 1000 frames ahead of the position.
constexpr uint32_t kRate = 8000;

TEST(SoundLevel, FullScaleSquareWaveShowsTheBottom) {
  // Stereo, +32767 and -32768 on alternate frames: the steps (left samples of frames 1000 ..
  // 1050) alternate |32767| and |-32768|, so each of the 50 terms is 1: m = 50, 50 / 304 = 0.
  std::vector<int16_t> samples;
  for (int frame = 0; frame < 2000; ++frame)
    for (int channel = 0; channel < 2; ++channel) samples.push_back(frame % 2 ? -32768 : 32767);
  const auto bytes = Bytes16(samples);
  EXPECT_EQ(SoundLevelAt(BlockOf(bytes, 16, 2, kRate), 0), kLevelFloor);
}

TEST(SoundLevel, SineAtAnEighthOfTheRate) {
  // Mono, 30000 sin(2 pi n / 8). The steps read frames 1000, 1002, ... (n mod 8 = 0, 2, 4, 6):
  // 0, 30000, 0, -30000 in magnitude 0, 30000, 0, 30000: every term is 30000.
  // m = 50 × 30000 = 1500000; 1500000 / 304 = 4934; ln 4934 = 8.50390.
  const auto bytes = Bytes16(test::Sine16(kRate / 8.0, kRate, 4000, 30000));
  const auto level = SoundLevelAt(BlockOf(bytes, 16, 1, kRate), 0);
  ASSERT_TRUE(level.has_value());
  EXPECT_NEAR(*level, std::log(4934.0), 1e-5);
  EXPECT_NEAR(*level, 8.50390, 1e-4);
}

TEST(SoundLevel, EightBitQuietAndSilentSound) {
  // Stereo 8-bit, left alternating 128 and 131 frame by frame: terms |0 - 3| = 3, m = 150,
  // 150 / 2 - 2 = 73, ln 73 = 4.29046.
  std::vector<uint8_t> bytes;
  for (int frame = 0; frame < 1200; ++frame) {
    bytes.push_back(frame % 2 ? 131 : 128);
    bytes.push_back(128);
  }
  EXPECT_NEAR(*SoundLevelAt(BlockOf(bytes, 8, 2, kRate), 0), std::log(73.0), 1e-5);
  // Silence (128, and the editor's silence value 127): m = 0, 0 / 2 - 2 = -2: no NaN, the bottom.
  for (uint8_t silence : {uint8_t(128), uint8_t(127)}) {
    const std::vector<uint8_t> quiet(2400, silence);
    const auto level = SoundLevelAt(BlockOf(quiet, 8, 2, kRate), 0);
    ASSERT_TRUE(level.has_value());
    EXPECT_EQ(*level, kLevelFloor);
  }
  // Barely audible, stereo, left 128 and 129 by turns: m = 50 × 1 = 50, 50 / 2 - 2 = 23: ln 23.
  std::vector<uint8_t> faint;
  for (int frame = 0; frame < 1200; ++frame) faint.insert(faint.end(), {uint8_t(frame % 2 ? 129 : 128), 128});
  EXPECT_NEAR(*SoundLevelAt(BlockOf(faint, 8, 2, kRate), 0), std::log(23.0), 1e-5);
  // The same in mono: the steps skip every other frame and see no change, the bottom.
  std::vector<uint8_t> faintMono;
  for (int frame = 0; frame < 1200; ++frame) faintMono.push_back(frame % 2 ? 129 : 128);
  EXPECT_EQ(*SoundLevelAt(BlockOf(faintMono, 8, 1, kRate), 0), kLevelFloor);
  const std::vector<int16_t> silent16(3000, 0);
  EXPECT_EQ(*SoundLevelAt(BlockOf(Bytes16(silent16), 16, 1, kRate), 0), kLevelFloor);
}

TEST(SoundLevel, LastFramesOfASoundStopAtItsEnd) {
  // Mono, 1030 frames; frames n with n mod 4 = 2 hold 30000, all others 0. At position 0 the
  // steps start at frame 1000; only 14 terms (1000 + 2k + 2 < 1030) lie inside the sound, each
  // 30000: m = 420000, 420000 / 304 = 1381, ln 1381 = 7.23057.
  std::vector<int16_t> samples(1030, 0);
  for (size_t n = 2; n < samples.size(); n += 4) samples[n] = 30000;
  const auto bytes = Bytes16(samples);
  const SampleBlock block = BlockOf(bytes, 16, 1, kRate);
  EXPECT_NEAR(*SoundLevelAt(block, 0), std::log(1381.0), 1e-5);
  // One frame before the end of the lead: no whole step left, the bottom.
  EXPECT_EQ(*SoundLevelAt(block, 29), kLevelFloor);
  // Within an eighth of a second of the end: nothing, the meters keep their value.
  EXPECT_FALSE(SoundLevelAt(block, 30).has_value());
  EXPECT_FALSE(SoundLevelAt(block, 5000).has_value());
}

TEST(SoundLevel, HeldSoundsAndOddWidths) {
  DocWaveAudio wave;
  test::Fill(wave, 1, kRate, 16, Bytes16(test::Sine16(kRate / 8.0, kRate, 4000, 30000)));
  EXPECT_NEAR(*SoundLevelAt(wave, 100), std::log(4934.0), 1e-5);
  DocWaveAudio empty;
  EXPECT_FALSE(SoundLevelAt(empty, 0).has_value());
  DocWaveAudio wide;
  test::Fill(wide, 1, kRate, 24, std::vector<uint8_t>(30000, 1));
  EXPECT_FALSE(SoundLevelAt(wide, 0).has_value());
}

TEST(Spectrum, AnalysisWindowOf512Values) {
  const std::vector<double> window = AnalysisWindow(512);
  ASSERT_EQ(window.size(), 512u);
  EXPECT_DOUBLE_EQ(window[0], 1.0 - (255.5 / 256.5) * (255.5 / 256.5));
  EXPECT_DOUBLE_EQ(window[255], 1.0 - (0.5 / 256.5) * (0.5 / 256.5));
  EXPECT_DOUBLE_EQ(window[100], 1.0 - ((100 - 255.5) / 256.5) * ((100 - 255.5) / 256.5));
  for (int i = 0; i < 256; ++i) EXPECT_DOUBLE_EQ(window[i], window[511 - i]);
}

TEST(Spectrum, BlockSizesAndScalings) {
  EXPECT_EQ(SpectrumBlockSize(128), 128u);
  EXPECT_EQ(SpectrumBlockSize(4096), 4096u);
  EXPECT_EQ(SpectrumBlockSize(1000), 512u);
  EXPECT_EQ(SpectrumBlockSize(64), 512u);
  EXPECT_EQ(SpectrumBlockSize(8192), 512u);
  EXPECT_EQ(SpectrumBlockSize(-1), 512u);
  EXPECT_EQ(SpectrumScalingOf(0), SpectrumScaling::Linear);
  EXPECT_EQ(SpectrumScalingOf(2), SpectrumScaling::Exponential);
  EXPECT_EQ(SpectrumScalingOf(7), SpectrumScaling::Logarithmic);
  EXPECT_DOUBLE_EQ(SpectrumHeight(0.0, SpectrumScaling::Logarithmic), 1.0);
  EXPECT_DOUBLE_EQ(SpectrumHeight(-48.0, SpectrumScaling::Logarithmic), 0.5);
  EXPECT_DOUBLE_EQ(SpectrumHeight(-120.0, SpectrumScaling::Logarithmic), 0.0);
  EXPECT_NEAR(SpectrumHeight(-20.0, SpectrumScaling::Linear), 0.1, 1e-12);
  EXPECT_NEAR(SpectrumHeight(-20.0, SpectrumScaling::Exponential), 0.01, 1e-12);
}

TEST(Spectrum, SineLandsInItsBin) {
  // 500 Hz at 8000 frames per second is bin 32 of a 512-frame block.
  const auto bytes = Bytes16(test::Sine16(500.0, kRate, 4096, 32767));
  const SampleBlock block = BlockOf(bytes, 16, 1, kRate);
  for (int32_t size : {512, 1024}) {
    SpectrumAnalysis analysis(size);
    const std::vector<float>& levels = analysis.Analyse(block, 2048);
    ASSERT_EQ(levels.size(), analysis.BlockSize() / 2);
    const size_t bin = 500 * analysis.BlockSize() / kRate;
    EXPECT_NEAR(levels[bin], 0.0, 0.1) << size;
    EXPECT_LT(levels[bin + 20], -60.0) << size;
    EXPECT_LT(levels[0], -60.0) << size;
  }
  // Before the start and past the end the frames are silence: the floor, never NaN.
  SpectrumAnalysis analysis(512);
  for (float level : analysis.Analyse(block, -10000)) EXPECT_EQ(level, static_cast<float>(kSpectrumFloorDb));
  const std::vector<float>& edge = analysis.Analyse(block, 4096);
  EXPECT_NEAR(edge[32], -6.0, 3.0);  // half the block holds the sine
}

TEST(ScopeTrace, ColumnsHoldTheirExtremes) {
  // 16-bit mono staircase: sample i holds i.
  const auto bytes = test::Staircase16(64);
  const SampleBlock block = BlockOf(bytes, 16, 1, kRate);
  std::vector<ScopeColumn> columns;
  TraceScope(block, 8, 16, 0, 4, true, columns);
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_FLOAT_EQ(columns[0].low, 8 / 32768.0f);
  EXPECT_FLOAT_EQ(columns[0].high, 11 / 32768.0f);
  EXPECT_FLOAT_EQ(columns[3].high, 23 / 32768.0f);
  TraceScope(block, 8, 16, 0, 4, false, columns);
  EXPECT_FLOAT_EQ(columns[1].low, 12 / 32768.0f);
  EXPECT_FLOAT_EQ(columns[1].high, 12 / 32768.0f);
  // Before the sound and past its end: silence; a channel the sound lacks: silence.
  TraceScope(block, -8, 16, 0, 2, true, columns);
  EXPECT_FLOAT_EQ(columns[0].low, 0.0f);
  EXPECT_FLOAT_EQ(columns[0].high, 0.0f);
  EXPECT_FLOAT_EQ(columns[1].high, 7 / 32768.0f);
  TraceScope(block, 60, 16, 0, 2, true, columns);
  EXPECT_FLOAT_EQ(columns[1].high, 0.0f);
  TraceScope(block, 0, 16, 1, 2, true, columns);
  EXPECT_FLOAT_EQ(columns[0].high, 0.0f);
  EXPECT_EQ(ScopeSpanFrames(44100), 2205u);
}

TEST(Histogram, EightBitValuesOneClassEach) {
  const std::vector<uint8_t> bytes = {0, 128, 128, 255, 127, 200};
  const SampleHistogram h = ComputeHistogram(BlockOf(bytes, 8, 1, kRate), 0, 4, ChannelMode::Mono);
  ASSERT_EQ(h.channels, 1);
  const ChannelHistogram& c = h.channel[0];
  EXPECT_EQ(c.samples, 5u);
  EXPECT_EQ(c.counts[0], 1u);
  EXPECT_EQ(c.counts[128], 2u);
  EXPECT_EQ(c.counts[255], 1u);
  EXPECT_EQ(c.counts[127], 1u);
  EXPECT_EQ(c.counts[200], 0u);  // frame 5 lies outside the range
  EXPECT_EQ(c.lowest, -128);
  EXPECT_EQ(c.highest, 127);
  EXPECT_EQ(c.atFullScale, 2u);
  // RMS of -128, 0, 0, 127, -1 against 128.
  EXPECT_NEAR(c.rms, std::sqrt((128.0 * 128 + 127.0 * 127 + 1) / 5) / 128, 1e-12);
  EXPECT_EQ(h.Largest(), 2u);
}

TEST(Histogram, SixteenBitChannelsAndRanges) {
  // Frames (left, right): (32767, 0), (-32768, 255), (0, 256), (100, -1).
  const auto bytes = Bytes16({32767, 0, -32768, 255, 0, 256, 100, -1});
  const SampleBlock block = BlockOf(bytes, 16, 2, kRate);
  SampleHistogram both = ComputeHistogram(block, 0, 100, ChannelMode::Both);  // end beyond the sound
  ASSERT_EQ(both.channels, 2);
  EXPECT_EQ(both.channel[0].samples, 4u);
  EXPECT_EQ(both.channel[0].counts[255], 1u);
  EXPECT_EQ(both.channel[0].counts[0], 1u);
  EXPECT_EQ(both.channel[0].counts[128], 2u);  // 0 and 100
  EXPECT_EQ(both.channel[1].counts[128], 2u);  // 0 and 255
  EXPECT_EQ(both.channel[1].counts[129], 1u);  // 256
  EXPECT_EQ(both.channel[1].counts[127], 1u);  // -1
  EXPECT_EQ(both.channel[0].atFullScale, 2u);
  SampleHistogram right = ComputeHistogram(block, 1, 2, ChannelMode::Right);
  EXPECT_EQ(right.channels, 1);
  EXPECT_EQ(right.firstChannel, 1);
  EXPECT_EQ(right.channel[0].lowest, 255);
  EXPECT_EQ(right.channel[0].highest, 256);
  EXPECT_EQ(ComputeHistogram(block, 9, 12, ChannelMode::Both).channels, 0);
  EXPECT_EQ(ComputeHistogram(SampleBlock{}, 0, 12, ChannelMode::Mono).channels, 0);
}

}  // namespace
}  // namespace tarkel
