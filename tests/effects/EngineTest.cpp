// The dispatcher and the general driver: refusals, branch texts, delays in bytes, previews,
// progress and cancel.
#include "effects/RunEffect.h"
#include "EffectTestSupport.h"

namespace tarkel::test {
namespace {

using namespace effect;

TEST_F(EffectTest, RefusesRangesOfLessThanTwoFramesAndProcessesTwo) {
  Fill16(wave, 1, 8000, {1000, 1000, 1000});
  EXPECT_EQ(Apply(kAmplitude, 50, 0, 0, 0, ChannelMode::Mono, 1, 1), 0u);
  EXPECT_EQ(ports.messages, std::vector<int>{1000});
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{1000, 1000, 1000}));
  EXPECT_EQ(Apply(kAmplitude, 50, 0, 0, 0, ChannelMode::Mono, 1, 2), 2u);
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{1000, 500, 500}));
}

TEST_F(EffectTest, ChannelModeIsMadeToFitTheSound) {
  Fill16(wave, 1, 8000, Constant16(4, 1000));
  EXPECT_EQ(Apply(kAmplitude, 50, 0, 0, 0, ChannelMode::Left), 4u);  // a mono sound has no left channel
  EXPECT_EQ(Samples16(wave), Constant16(4, 500));
  Fill16(wave, 2, 8000, Constant16(8, 1000));
  EXPECT_EQ(Apply(kAmplitude, 50, 0, 0, 0, ChannelMode::Mono), 4u);  // a stale mono mode: both channels
  EXPECT_EQ(Samples16(wave), Constant16(8, 500));
}

TEST_F(EffectTest, RefusesASoundWithoutSamplesAndAZeroLength) {
  EXPECT_EQ(Apply(kFade, 100, 0, 0, 0, ChannelMode::Mono, 0, 10), 0u);
  Fill16(wave, 1, 8000, Constant16(4, 1));
  EffectParams p(kFade, 100, 0);
  EXPECT_EQ(RunEffect(wave, ChannelMode::Mono, 0, p, wave.Data(), wave.Data()), 0);
  EXPECT_EQ(ports.messages, (std::vector<int>{1000, 1000}));
}

// The text says the step could not be done: the call fails and the samples stay as they were.
TEST_F(EffectTest, BranchesShowTheirTextsAndFailForIdsTheyDoNotImplement) {
  struct Case {
    uint16_t channels, bits;
    ChannelMode mode;
    uint32_t id;
    const char* text;
  } cases[] = {
      {1, 16, ChannelMode::Mono, kDigitalDelay, "Not implemented yet (3a)"},
      {2, 8, ChannelMode::Both, kBandPass, "Not implemented yet (1)"},
      {1, 8, ChannelMode::Mono, kRampRising, "Not implemented yet (3a)"},
      {2, 16, ChannelMode::Both, kNumericalFilter, "Not implemented yet (3a)"},
      {2, 8, ChannelMode::Left, kToneSynthesis, "Not implemented yet (4)"},
      {2, 8, ChannelMode::Right, kBandPass, "Not implemented yet (3)"},
      {2, 16, ChannelMode::Left, kAmiga, "Not implemented yet (6)"},
      {2, 16, ChannelMode::Right, kBandPass, "Not implemented yet (5)"},
      {2, 16, ChannelMode::Left, 9, "Not implemented yet (6)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingPorts local;
    DocWaveAudio w;
    Fill(w, c.channels, 8000, c.bits, Staircase8(64));
    EffectParams p(c.id, 1, 1, 1, 1);
    EXPECT_EQ(RunEffect(w, c.mode, 64, p, w.Data(), w.Data()), 0);
    EXPECT_EQ(local.texts, std::vector<std::string>{c.text});
    EXPECT_EQ(Bytes(w), Staircase8(64));
  }
}

TEST_F(EffectTest, DigitalDelayOnAMonoSoundFailsWithoutChange) {
  Fill16(wave, 1, 8000, Constant16(100, 7));
  EXPECT_EQ(Apply(kDigitalDelay, 1), 0u);
  EXPECT_EQ(ports.texts, std::vector<std::string>{"Not implemented yet (3a)"});
  EXPECT_EQ(Samples16(wave), Constant16(100, 7));
}

TEST_F(EffectTest, EchoDelayIsComputedWithTheDivisionFirst) {
  // 8-bit mono 11,025 Hz, 100 ms: (1 x 11,025 / 1000) x 100 = 1,100 bytes, not 1,102.
  std::vector<uint8_t> bytes(3000, 100);
  for (size_t i = 0; i < 1100; ++i) bytes[i] = 200;
  Fill(wave, 1, 11025, 8, bytes);
  EXPECT_EQ(Apply(kEcho, 1, 100), 3000u);
  const auto out = Bytes(wave);
  // Targets run from the last sample down to the one after the first delay's end.
  EXPECT_EQ(out[1099], 200);
  EXPECT_EQ(out[1100], 100);
  EXPECT_EQ(out[1101], 150);  // mean of 100 and the 200 1,100 bytes earlier
  EXPECT_EQ(out[2199], 150);
  EXPECT_EQ(out[2200], 100);
}

TEST_F(EffectTest, HallDelayIsDoubledFor16BitData) {
  // 16-bit stereo 22,050 Hz, D = 10: (2 x 22,050 / 10) x 2 = 8,820 bytes = 4,410 samples.
  std::vector<int16_t> s(8000, 0);
  s[100] = 17100;
  Fill16(wave, 2, 22050, s);
  EXPECT_EQ(Apply(kHall, 1, 10, 0, 0, ChannelMode::Both), 4000u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[100 + 4410], 17100 * 100 / 171);
  EXPECT_EQ(out[100 + 4409], 0);
  EXPECT_EQ(out[100], 17100);  // inside the first delay: never a target
}

TEST_F(EffectTest, EchoOf16BitFullScaleIsLimited) {
  Fill16(wave, 1, 1000, {32767, 32767, 32767, -32768, -32768, -32768});
  EXPECT_EQ(Apply(kEcho, 1, 1), 6u);  // one sample of delay at 1,000 Hz
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{32767, 32767, 32767, 0, -32768, -32768}));
}

TEST_F(EffectTest, RobotizeRunsFiveMorePasses) {
  // A step from 0 to 128: the first target whose source is 0 is halved once per pass.
  constexpr int d = 40;
  std::vector<uint8_t> bytes(8 * d, 128);
  for (int i = 0; i < d; ++i) bytes[i] = 0;
  Fill(wave, 1, 8000, 8, bytes);
  EXPECT_EQ(Apply(kRobotize, 1, 0, d), uint32_t(8 * d));
  EXPECT_EQ(Bytes(wave)[d + 1], 128 >> 6);
}

TEST_F(EffectTest, MetalHalvesTheSumWhateverTheDialogSays) {
  // p2 / p3 = 10 ms at 8,000 Hz mono: 80 bytes, 160 for 16-bit: 80 samples.
  std::vector<int16_t> s(400, 1000);
  for (int i = 0; i < 80; ++i) s[i] = -3001;
  Fill16(wave, 1, 8000, s);
  EXPECT_EQ(Apply(kMetal, 1, 10, 1, 1000), 400u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[81], -1000);  // (1000 - 3001) / 2, truncated towards zero
  EXPECT_EQ(out[161], 1000);
}

TEST_F(EffectTest, DelayNotShorterThanTheSelectionIsRefused) {
  Fill16(wave, 2, 44100, Constant16(2 * 441, 5));  // 441 frames; 10 ms = 441 frames of delay
  EXPECT_EQ(Apply(kEcho, 1, 10, 0, 0, ChannelMode::Both), 0u);
  EXPECT_EQ(ports.messages, std::vector<int>{1024});
  EXPECT_EQ(Samples16(wave), Constant16(2 * 441, 5));
  EXPECT_EQ(ports.progressCloses, 1);
}

TEST_F(EffectTest, DigitalDelayDelaysLeftByTwiceAndRightByOnceTheDelay) {
  Fill16(wave, 2, 1000, StereoStaircase16(10));  // m = 2 frames at 1,000 Hz and 2 ms
  EXPECT_EQ(Apply(kDigitalDelay, 2, 0, 0, 0, ChannelMode::Both), 10u);
  const auto out = Samples16(wave);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(out[2 * i], i < 4 ? i : i - 4) << i;
    EXPECT_EQ(out[2 * i + 1], 1000 + (i < 2 ? i : i - 2)) << i;
  }
  // 2m = 10 frames is not shorter than the selection.
  EXPECT_EQ(Apply(kDigitalDelay, 5, 0, 0, 0, ChannelMode::Both), 0u);
  EXPECT_EQ(ports.messages, std::vector<int>{1024});
  // One channel: that channel by m frames, the other untouched.
  Fill(wave, 2, 1000, 8, Staircase8(20));
  EXPECT_EQ(Apply(kDigitalDelay, 3, 0, 0, 0, ChannelMode::Right), 10u);
  const auto bytes = Bytes(wave);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(bytes[2 * i], 2 * i);
    EXPECT_EQ(bytes[2 * i + 1], 2 * (i < 3 ? i : i - 3) + 1);
  }
}

TEST_F(EffectTest, BandPassRunsHighPassThenLowPass) {
  Fill(wave, 1, 8000, 8, std::vector<uint8_t>(50, 200));
  EffectParams p(kBandPass, 3);
  EXPECT_EQ(ApplyEffect(wave, 0, 49, ChannelMode::Mono, p), 50u);
  EXPECT_EQ(p.effectId, kLowPass);
}

TEST_F(EffectTest, ProgressWindowThatCannotOpenIsReported) {
  ports.progressOpens = false;
  Fill16(wave, 1, 8000, Constant16(10, 100));
  EXPECT_EQ(Apply(kAmplitude, 50), 0u);
  EXPECT_EQ(ports.messages, std::vector<int>{1026});
  EXPECT_EQ(Samples16(wave), Constant16(10, 100));
}

TEST_F(EffectTest, PreviewProcessesACopyWithRoomForTheHeader) {
  Fill16(wave, 2, 8000, StereoStaircase16(100));
  EffectParams p(kAmplitude, 50);
  p.preview = 1;
  EXPECT_EQ(ApplyEffect(wave, 10, 19, ChannelMode::Both, p), 10u);
  EXPECT_EQ(Samples16(wave), StereoStaircase16(100));
  const WaveImage& image = wave.PreviewImage();
  ASSERT_FALSE(image.Empty());
  EXPECT_EQ(image.DataSize(), 40u);
  EXPECT_EQ(std::memcmp(image.Block(), "RIFF", 4), 0);
  EXPECT_EQ(image.Data(), image.Block() + 44);
  const int16_t* s = reinterpret_cast<const int16_t*>(image.Data());
  EXPECT_EQ(s[0], 5);
  EXPECT_EQ(s[1], 505);
  // A failing preview frees its block.
  p = EffectParams(kEcho, 1, 1000);
  p.preview = 1;
  EXPECT_EQ(ApplyEffect(wave, 10, 19, ChannelMode::Both, p), 0u);
  EXPECT_TRUE(wave.PreviewImage().Empty());
}

TEST_F(EffectTest, CancelHalfWayLeavesTheFirstPartProcessed) {
  // 2,000 samples, 20 steps of 100: the tenth step comes after sample 1,000.
  Fill16(wave, 1, 8000, Constant16(2000, 1000));
  ports.cancelAtPump = 9;
  EXPECT_EQ(Apply(kAmplitude, 50), 0u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[0], 500);
  EXPECT_EQ(out[1000], 500);
  EXPECT_EQ(out[1001], 1000);
  EXPECT_EQ(out[1999], 1000);
  EXPECT_FALSE(wave.ProgressActive());
  EXPECT_EQ(ports.captions, std::vector<std::string>{"Applying tool..."});
}

TEST_F(EffectTest, ProgressStepsThroughTheWholeBarOverAllPasses) {
  Fill16(wave, 2, 1000, Constant16(2 * 2000, 1));
  EXPECT_EQ(Apply(kEcho, 3, 1, 0, 0, ChannelMode::Both), 2000u);
  EXPECT_EQ(ports.progressTexts.front(), "0%");
  EXPECT_EQ(ports.progressTexts.back(), "95%");  // the last step falls on the last samples' far side
  EXPECT_GE(ports.pumps, 19);
}

}  // namespace
}  // namespace tarkel::test
