// The PortAudio devices through ALSA's file plugin: the bytes that reach the device are exactly
// the frames asked for, with only silence around them, and recordings land byte for byte.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "AlsaFileSupport.h"
#include "AudioTestSupport.h"
#include "audio/portaudio/PortAudioSystem.h"
#include "cli/CliRunner.h"
#include "sound/Selection.h"

namespace tarkel::test {
namespace {

using audio::AudioTransport;

// One configuration and one PortAudio for the whole program: ALSA reads its configuration once.
struct AlsaWorld {
  TempDir dir;
  AlsaFileDevice device{dir.Path(), true};
  std::unique_ptr<audio::PortAudioSystem> system;
  AlsaWorld() {
    // A long, known input for the recordings.
    std::vector<uint8_t> input(4 << 20);
    for (size_t i = 0; i < input.size(); ++i) input[i] = uint8_t(i * 7 + (i >> 9) + 1);
    WriteFileBytes(device.input, input);
    ::setenv("ALSA_CONFIG_PATH", device.config.c_str(), 1);
    system = std::make_unique<audio::PortAudioSystem>();
  }
};

AlsaWorld& World() {
  static AlsaWorld world;
  return world;
}

class AlsaFileTest : public ::testing::Test {
 protected:
  AlsaFileTest() : transport(*World().system) {}

  void WaitForEnd() {
    for (int i = 0; i < 3000 && !transport.Idle(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      transport.Poll();
    }
    ASSERT_TRUE(transport.Idle());
  }
  std::vector<uint8_t> Played() { return ReadFileBytes(World().device.played); }
  std::vector<uint8_t> Input(size_t bytes) {
    std::vector<uint8_t> all = ReadFileBytes(World().device.input);
    all.resize(bytes);
    return all;
  }

  RecordingPorts ports;
  AudioTransport transport;
};

TEST_F(AlsaFileTest, TheDefaultDeviceIsListedLastAndTakesTheStandardFormats) {
  audio::DeviceSystem& devices = *World().system;
  ASSERT_GE(devices.OutputCount(), 1u);
  const audio::DeviceCaps mapper = devices.OutputCaps(devices.OutputCount());
  EXPECT_NE(mapper.name.find("default"), std::string::npos);
  EXPECT_EQ(mapper.formats, 0xFFFu);
  EXPECT_EQ(devices.InputCaps(devices.InputCount()).formats, 0xFFFu);
}

TEST_F(AlsaFileTest, PlayAllSelectionAndStartEnd) {
  auto doc = StereoDoc(12001);
  ASSERT_TRUE(transport.PlayAll(*doc));
  WaitForEnd();
  EXPECT_TRUE(FindWithSilenceAround(Played(), {FrameBytes(*doc, 0, 12001)}));

  Selection range;
  range.SetRange(2000, 7001);
  ASSERT_TRUE(transport.PlaySelection(*doc, range));
  WaitForEnd();
  EXPECT_TRUE(FindWithSilenceAround(Played(), {FrameBytes(*doc, 2000, 7000)}));

  transport.Settings().startEndPlaySeconds = 0;  // then nothing plays: no lead-in
  EXPECT_FALSE(transport.PlayStartEnd(*doc, range));
  auto slow = StereoDoc(12000, 1000);  // 2 s = 2000 frames
  transport.Settings().startEndPlaySeconds = 2;
  ASSERT_TRUE(transport.PlayStartEnd(*slow, range));
  WaitForEnd();
  EXPECT_TRUE(FindWithSilenceAround(Played(), {FrameBytes(*slow, 2000, 4000), FrameBytes(*slow, 5000, 7000)}));
}

TEST_F(AlsaFileTest, LoopOfTwoRoundsLongRangeAndClipboard) {
  auto doc = StereoDoc(30000);
  doc->Sound().SetRepeatCount(2);
  transport.Settings().playBufferSize = 4096;
  Selection range;
  range.SetRange(100, 20101);
  ASSERT_TRUE(transport.PlaySelection(*doc, range));
  WaitForEnd();
  const std::vector<uint8_t> once = FrameBytes(*doc, 100, 20100);  // 80,000 bytes: 20 blocks
  EXPECT_TRUE(FindWithSilenceAround(Played(), {Concat(once, once)}));

  doc->Sound().SetRepeatCount(1);
  ASSERT_TRUE(transport.PlayAll(*doc));
  WaitForEnd();
  EXPECT_TRUE(FindWithSilenceAround(Played(), {FrameBytes(*doc, 0, 30000)}));

  // The clipboard holds 8-bit mono: it is played converted to the document's format.
  std::vector<uint8_t> mono8(3000);
  for (size_t i = 0; i < mono8.size(); ++i) mono8[i] = uint8_t(1 + i % 120);
  ports.clipboard = WaveImageOf(WaveFormat::Pcm(1, 44100, 8), mono8);
  ASSERT_TRUE(transport.PlayClipboard(*doc));
  const std::vector<uint8_t> converted(doc->Sound().WorkData(), doc->Sound().WorkData() + doc->Sound().WorkImage().DataSize());
  ASSERT_EQ(converted.size(), 3000u * 4);
  WaitForEnd();
  EXPECT_TRUE(FindWithSilenceAround(Played(), {converted}));
}

TEST_F(AlsaFileTest, EightBitSoundsPlayTheirOwnBytes) {
  auto doc = std::make_unique<CTarkelDoc>();
  std::vector<uint8_t> bytes(5000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i % 256 == 128 ? 1 : i % 256);
  Fill(doc->Sound(), 1, 22050, 8, bytes);
  ASSERT_TRUE(transport.PlayAll(*doc));
  WaitForEnd();
  EXPECT_TRUE(FindWithSilenceAround(Played(), {bytes}, 0x80));
}

TEST_F(AlsaFileTest, RecordingLandsInTheRangeAndUndoRestoresIt) {
  auto doc = StereoDoc(400000);  // 1.6 MB: two blocks of the default size
  const std::vector<uint8_t> before = FrameBytes(*doc, 0, 400000);
  Selection range;
  range.SetRange(1000, 350001);
  ASSERT_TRUE(transport.RecordSelection(*doc, range));
  WaitForEnd();
  EXPECT_EQ(FrameBytes(*doc, 1000, 350000), Input(349000 * 4));
  EXPECT_EQ(FrameBytes(*doc, 0, 1000), std::vector<uint8_t>(before.begin(), before.begin() + 4000));
  EXPECT_EQ(FrameBytes(*doc, 350000, 400000), std::vector<uint8_t>(before.begin() + 350000 * 4, before.end()));
  ASSERT_TRUE(doc->UndoLastChange());
  EXPECT_EQ(FrameBytes(*doc, 0, 400000), before);
}

TEST_F(AlsaFileTest, StopKeepsWhatWasRecorded) {
  auto doc = StereoDoc(100000);
  const std::vector<uint8_t> before = FrameBytes(*doc, 0, 100000);
  transport.Settings().recordBufferSize = 4000;  // 1000 frames a block
  ASSERT_TRUE(transport.RecordAll(*doc));
  // Without a poll no block beyond the first two is queued: the device fills those and waits.
  for (int i = 0; i < 400 && doc->Sound().Data() && transport.Recorder().CurrentRecordFrame() < 2000; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  transport.Stop(doc.get());
  EXPECT_EQ(FrameBytes(*doc, 0, 2000), Input(8000));
  EXPECT_EQ(FrameBytes(*doc, 2000, 100000), std::vector<uint8_t>(before.begin() + 8000, before.end()));
}

}  // namespace
}  // namespace tarkel::test
