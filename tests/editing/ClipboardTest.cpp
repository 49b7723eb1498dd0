// The clipboard exchange: the image that copy writes, the strict check of what paste reads,
// the conversion to the document's format and its switch, "Paste New", and selections of any length.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "EditTestSupport.h"
#include "sound/AppContext.h"
#include "sound/Bytes.h"
#include "sound/CopyAllowance.h"
#include "sound/MessageIds.h"
#include "sound/WaveImage.h"
#include "editing/Clipboard.h"
#include "editing/ConvertClip.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {

class ClipboardTest : public ::testing::Test {
 protected:
  ClipboardTest() { App() = AppContext{}; }
  ~ClipboardTest() override { App() = AppContext{}; }
  test::RecordingPorts ports;
  DocWaveAudio wave;
};

TEST_F(ClipboardTest, CopyingTheRightChannelGivesAMonoImage) {
  test::Fill(wave, 2, 44100, 16, test::Staircase16(200));
  ASSERT_EQ(CopyToClipboard(wave, 10, 19, ChannelMode::Right), 10u);
  ASSERT_EQ(ports.clipboard.size(), 44u + 20u);
  const uint8_t* h = ports.clipboard.data();
  EXPECT_EQ(GetLE16(h + 22), 1);       // channels
  EXPECT_EQ(GetLE32(h + 24), 44100u);  // rate
  EXPECT_EQ(GetLE32(h + 28), 88200u);  // bytes per second halved
  EXPECT_EQ(GetLE16(h + 32), 2);       // block alignment
  EXPECT_EQ(GetLE32(h + 40), 20u);
  EXPECT_EQ(GetLE32(h + 4), 56u);
  for (int f = 0; f < 10; ++f) EXPECT_EQ(GetLE16(h + 44 + 2 * f), 2 * (10 + f) + 1);
}

// A minute of CD audio: far more than any fixed clipboard size of old.
constexpr uint32_t kMinuteFrames = 60 * 44100;

std::vector<uint8_t> CountingBytes(uint32_t size) {
  std::vector<uint8_t> bytes(size);
  for (uint32_t i = 0; i < size; ++i) bytes[i] = uint8_t(i * 7 + i / 251);
  return bytes;
}

TEST_F(ClipboardTest, AMinuteOfStereoIsCopiedAndPastedWhole) {
  const std::vector<uint8_t> minute = CountingBytes(kMinuteFrames * 4);
  test::Fill(wave, 2, 44100, 16, minute);
  ASSERT_EQ(CopyToClipboard(wave, 0, kMinuteFrames - 1, ChannelMode::Both), kMinuteFrames);
  EXPECT_EQ(GetLE32(ports.clipboard.data() + 40), kMinuteFrames * 4);
  EXPECT_EQ(GetLE32(ports.clipboard.data() + 4), kMinuteFrames * 4 + 36);
  EXPECT_TRUE(std::equal(minute.begin(), minute.end(), ports.clipboard.begin() + 44));

  // Pasted into the middle of a short sound, the whole minute goes in.
  DocWaveAudio target;
  test::Fill(target, 2, 44100, 16, test::Staircase16(2 * 10));
  ASSERT_EQ(InsertClip(target, 4, 4, ChannelMode::Both), int64_t(kMinuteFrames));
  ASSERT_EQ(target.Frames(), kMinuteFrames + 10);
  const std::vector<uint8_t> after = test::Bytes(target);
  EXPECT_TRUE(std::equal(minute.begin(), minute.end(), after.begin() + 16));
  const std::vector<uint8_t> stairs = test::Staircase16(2 * 10);
  EXPECT_TRUE(std::equal(stairs.begin() + 16, stairs.end(), after.end() - 24));
}

TEST_F(ClipboardTest, CutTakesAndRemovesTheWholeSelection) {
  const uint32_t frames = 600000;  // 2.4 MB of 16-bit stereo
  test::Fill(wave, 2, 44100, 16, std::vector<uint8_t>(frames * 4, 7));
  ASSERT_EQ(CutToClipboard(wave, 100, frames - 101, ChannelMode::Both), int64_t(frames - 200));
  EXPECT_EQ(GetLE32(ports.clipboard.data() + 40), (frames - 200) * 4);
  EXPECT_EQ(wave.Frames(), 200u);
  // One channel goes as a mono image of the whole range.
  test::Fill(wave, 2, 44100, 16, std::vector<uint8_t>(frames * 4, 7));
  ASSERT_EQ(CopyToClipboard(wave, 0, frames - 1, ChannelMode::Left), frames);
  EXPECT_EQ(GetLE32(ports.clipboard.data() + 40), frames * 2);
}

TEST_F(ClipboardTest, ACopyWithoutTheMemoryForItSays1001AndKeepsTheOldClipboard) {
  const std::vector<uint8_t> old = test::WaveImageOf(1, 8000, 8, {1, 2, 3, 4});
  ports.clipboard = old;
  test::Fill(wave, 2, 44100, 16, test::Staircase16(2 * 1000));
  CopyCeiling noMemory(1000);
  EXPECT_EQ(CopyToClipboard(wave, 0, 999, ChannelMode::Both), 0u);
  EXPECT_EQ(CutToClipboard(wave, 0, 999, ChannelMode::Both), -1);
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kCopyOutOfMemory, msg::kCopyOutOfMemory}));
  EXPECT_EQ(ports.clipboard, old);
  EXPECT_EQ(wave.Frames(), 1000u);
}

TEST_F(ClipboardTest, AClipboardThatWouldConvertBeyondTheMemoryIsRefused) {
  test::Fill(wave, 2, 44100, 16, std::vector<uint8_t>(20, 0));
  // Mono 8-bit at 173 Hz grows 1,020 times into 16-bit stereo at 44,100 Hz: a mebibyte of
  // clipboard claims a gigabyte.
  ports.clipboard = test::WaveImageOf(1, 173, 8, std::vector<uint8_t>(1 << 20, 1));
  {
    CopyCeiling noMemory(100u << 20);
    EXPECT_EQ(InsertClip(wave, 0, 0, ChannelMode::Both), -1);
    EXPECT_EQ(ports.messages, std::vector<int>{msg::kTempMemory});
    EXPECT_EQ(wave.DataSize(), 20u);
  }
  // Beyond the 32-bit sizes of a wave image: refused before anything is allocated.
  ports.messages.clear();
  ports.clipboard = test::WaveImageOf(1, 173, 8, std::vector<uint8_t>(9 << 19, 1));
  EXPECT_EQ(InsertClip(wave, 0, 0, ChannelMode::Both), -1);
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kAcmSize});
  EXPECT_EQ(wave.DataSize(), 20u);
}

// Each row a crafted image and whether the check takes it.
TEST(ClipboardImageCheck, RefusesEveryLayoutButTheCanonicalOne) {
  const std::vector<uint8_t> good = test::WaveImageOf(1, 8000, 8, {1, 2, 3, 4});
  auto with = [&](size_t offset, std::vector<uint8_t> bytes) {
    std::vector<uint8_t> v = good;
    std::memcpy(v.data() + offset, bytes.data(), bytes.size());
    return v;
  };
  std::vector<uint8_t> shortData = good;
  shortData.resize(46);  // "data" says 4 bytes, 2 are there
  std::vector<uint8_t> withSpare = good;
  withSpare.resize(good.size() + 218);  // spare bytes after the data are fine
  struct Row {
    const char* what;
    std::vector<uint8_t> image;
    bool accepted;
  };
  const Row rows[] = {
      {"canonical", good, true},
      {"spare bytes after the data", withSpare, true},
      {"empty", {}, false},
      {"43 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 43), false},
      {"data size past the block", shortData, false},
      {"huge data size", with(40, {0xFF, 0xFF, 0xFF, 0xFF}), false},
      {"not RIFF", with(0, {'R', 'I', 'F', 'X'}), false},
      {"not WAVE", with(8, {'A', 'V', 'I', ' '}), false},
      {"an extra chunk before data", with(36, {'L', 'I', 'S', 'T'}), false},
      {"format chunk of 18 bytes", with(16, {18, 0, 0, 0}), false},
      {"zero block alignment", with(32, {0, 0}), false},
  };
  for (const Row& r : rows) {
    ClipImageInfo info;
    const int result = CheckClipboardImage(r.image.data(), r.image.size(), &info);
    EXPECT_EQ(result == 0, r.accepted) << r.what;
    if (!r.accepted) {
      EXPECT_EQ(result, msg::kClipboardInvalid) << r.what;
    }
  }
}

TEST_F(ClipboardTest, AnInvalidImageIsRefusedWith1018AndChangesNothing) {
  test::Fill(wave, 1, 22050, 8, test::Staircase8(10));
  ports.clipboard = test::WaveImageOf(1, 22050, 8, {1, 2, 3});
  ports.clipboard.resize(45);
  EXPECT_EQ(InsertClip(wave, 2, 2, ChannelMode::Mono), -1);
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kClipboardInvalid});
  EXPECT_EQ(test::Bytes(wave), test::Staircase8(10));
}

TEST_F(ClipboardTest, AnEmptyOrClosedClipboardIsReported) {
  test::Fill(wave, 1, 22050, 8, test::Staircase8(10));
  EXPECT_EQ(InsertClip(wave, 2, 2, ChannelMode::Mono), -1);
  ports.clipboardOpens = false;
  EXPECT_EQ(OverwriteClip(wave, 2, 2, ChannelMode::Mono), -1);
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kNothingSelected, msg::kClipboardAccess}));
}

TEST_F(ClipboardTest, PasteConvertsToTheSoundsFormatUnlessSwitchedOff) {
  // 8-bit 11,025 Hz clipboard data into a 16-bit 44,100 Hz sound.
  test::Fill(wave, 1, 44100, 16, std::vector<uint8_t>(20, 0));
  ports.clipboard = test::WaveImageOf(1, 11025, 8, std::vector<uint8_t>(100, 128 + 64));
  ASSERT_EQ(InsertClip(wave, 0, 0, ChannelMode::Mono), 400);
  const std::vector<int16_t> s = test::Samples16(wave);
  EXPECT_NEAR(s[200], 64 * 256, 200);  // a steady level keeps its value through the rate change

  App().autoConvertDisabled = true;
  test::Fill(wave, 1, 44100, 16, std::vector<uint8_t>(20, 0));
  ASSERT_EQ(InsertClip(wave, 0, 0, ChannelMode::Mono), 50);  // the 100 bytes as they stand
  EXPECT_EQ(wave.Data()[0], 128 + 64);
}

TEST_F(ClipboardTest, ConvertClipReportsTheSizeItWillProduce) {
  test::Fill(wave, 2, 44100, 16, std::vector<uint8_t>(8, 0));
  ports.clipboard = test::WaveImageOf(1, 22050, 8, std::vector<uint8_t>(1001, 100));
  wave.ClipboardBlock() = ports.clipboard;
  uint32_t size = 0;
  ASSERT_EQ(ConvertClip(wave, ChannelMode::Both, ClipPurpose::SizeOnly, size, nullptr), 0);
  uint32_t converted = 0;
  const uint8_t* data = nullptr;
  ASSERT_EQ(ConvertClip(wave, ChannelMode::Both, ClipPurpose::Paste, converted, &data), 0);
  EXPECT_EQ(size, converted);
  EXPECT_EQ(size, 2002u * 4);
  EXPECT_EQ(data, wave.WorkImage().Data());
  // For one channel the target is mono.
  ASSERT_EQ(ConvertClip(wave, ChannelMode::Left, ClipPurpose::SizeOnly, size, nullptr), 0);
  EXPECT_EQ(size, 2002u * 2);
  // The same format is used as it stands, except for a preview, which always copies.
  wave.ClipboardBlock() = test::WaveImageOf(2, 44100, 16, std::vector<uint8_t>(16, 3));
  ASSERT_EQ(ConvertClip(wave, ChannelMode::Both, ClipPurpose::Paste, size, &data), 0);
  EXPECT_EQ(data, wave.ClipboardBlock().data() + 44);
  ASSERT_EQ(ConvertClip(wave, ChannelMode::Both, ClipPurpose::Preview, size, &data), 0);
  EXPECT_EQ(data, wave.WorkImage().Data());
  // A compressed clipboard format cannot be converted.
  std::vector<uint8_t> adpcm = test::WaveImageOf(1, 22050, 4, std::vector<uint8_t>(16, 3));
  PutLE16(adpcm.data() + 20, 2);
  wave.ClipboardBlock() = adpcm;
  EXPECT_EQ(ConvertClip(wave, ChannelMode::Both, ClipPurpose::Paste, size, &data), msg::kAcmOpen);
  ReleaseClipSamples(wave);
}

TEST_F(ClipboardTest, PasteNewTakesTheClipboardsFormatAndData) {
  ports.clipboard = test::WaveImageOf(2, 11025, 16, test::Staircase16(20));
  ASSERT_TRUE(FillFromClipboard(wave));
  EXPECT_EQ(wave.Channels(), 2);
  EXPECT_EQ(wave.Rate(), 11025u);
  EXPECT_EQ(wave.Frames(), 10u);
  EXPECT_EQ(test::Bytes(wave), test::Staircase16(20));
}

TEST_F(ClipboardTest, MixingAFullScaleClipIntoSilenceKeepsItsPeak) {
  test::Fill(wave, 1, 22050, 16, std::vector<uint8_t>(200, 0));
  std::vector<uint8_t> clip(200);
  for (int i = 0; i < 100; ++i) PutLE16(clip.data() + 2 * i, uint16_t(i % 2 ? 32767 : -32767));
  ports.clipboard = test::WaveImageOf(1, 22050, 16, clip);
  ASSERT_EQ(MixClip(wave, 0, 10, ChannelMode::Mono), 100);
  // The mean halves it to 16383; the compensation (199 %) brings it back near full scale.
  const std::vector<int16_t> s = test::Samples16(wave);
  EXPECT_GE(s[1], 32600);
  EXPECT_LE(s[0], -32600);
}

}  // namespace
}  // namespace tarkel
