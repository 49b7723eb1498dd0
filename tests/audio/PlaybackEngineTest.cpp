// The playback engine over scripted devices: what reaches the device, how requests queue and
// repeat, what the poll frees, the position, and devices that fail.
#include <gtest/gtest.h>

#include "AudioTestSupport.h"
#include "sound/AppContext.h"
#include "sound/Selection.h"

namespace tarkel::test {
namespace {

using audio::AudioTransport;
using audio::FakeDeviceSystem;
namespace wm = audio::wm;

class PlaybackTest : public ::testing::Test {
 protected:
  PlaybackTest() : transport(devices) { transport.AddListener(&log); }

  // Lets the device play `frames` frames, then polls as the timer does.
  void PlayFor(uint32_t frames) {
    ASSERT_NE(devices.output, nullptr);
    devices.output->Advance(frames);
    transport.Poll();
  }
  void PlayToEnd() {
    for (int i = 0; i < 1000 && transport.Playing(); ++i) PlayFor(4096);
  }

  RecordingPorts ports;
  FakeDeviceSystem devices;
  AudioTransport transport;
  MessageLog log;
};

TEST_F(PlaybackTest, PlayAllDeliversEveryFrameIncludingTheLast) {
  auto doc = StereoDoc(1001);
  ASSERT_TRUE(transport.PlayAll(*doc));
  EXPECT_EQ(App().playingDocument, doc.get());
  EXPECT_TRUE(doc->Sound().IsPlaying());
  PlayToEnd();
  EXPECT_EQ(devices.playedFromBlocks, FrameBytes(*doc, 0, 1001));
  EXPECT_EQ(log.messages, (std::vector<int>{wm::kPlayStarted, wm::kPlayStopped}));
  EXPECT_EQ(App().playingDocument, nullptr);
  EXPECT_FALSE(doc->Sound().IsPlaying());
  EXPECT_EQ(devices.output, nullptr);  // closed and released
}

TEST_F(PlaybackTest, SelectionPlaysEvenStartToEvenEndAndToTheEndIncludesTheLastFrame) {
  auto doc = StereoDoc(1001);
  Selection inner;
  inner.SetRange(101, 501);  // 100 .. 500, the end exclusive
  ASSERT_TRUE(transport.PlaySelection(*doc, inner));
  PlayToEnd();
  EXPECT_EQ(devices.playedFromBlocks, FrameBytes(*doc, 100, 500));

  devices.playedFromBlocks.clear();
  Selection toEnd;
  toEnd.SetRange(600, 1000);
  ASSERT_TRUE(transport.PlaySelection(*doc, toEnd));
  PlayToEnd();
  EXPECT_EQ(devices.playedFromBlocks, FrameBytes(*doc, 600, 1001));

  devices.playedFromBlocks.clear();
  Selection empty;
  empty.SetRange(300, 300);  // nothing selected: the whole sound
  ASSERT_TRUE(transport.PlaySelection(*doc, empty));
  PlayToEnd();
  EXPECT_EQ(devices.playedFromBlocks, FrameBytes(*doc, 0, 1001));
}

TEST_F(PlaybackTest, LongRangeIsOneGroupOfBlocksHandedOverAtOnceAndThePollFreesDoneOnes) {
  auto doc = StereoDoc(10000);
  transport.Settings().playBufferSize = 4000;  // 1000 frames a block
  ASSERT_TRUE(transport.PlayAll(*doc));
  EXPECT_EQ(transport.Playback().BlockCount(), 10u);
  EXPECT_EQ(devices.writes, 10);  // no gap between blocks
  PlayFor(2500);
  EXPECT_EQ(transport.Playback().BlockCount(), 8u);  // two done and freed, the third half played
  EXPECT_EQ(transport.CurrentTransportFrame(), 2500u);
  PlayToEnd();
  EXPECT_EQ(devices.playedFromBlocks, FrameBytes(*doc, 0, 10000));
  EXPECT_EQ(transport.Playback().BlockCount(), 0u);
}

TEST_F(PlaybackTest, LoopRepeatsTheGroupAndThePositionWrapsInsideTheRange) {
  auto doc = StereoDoc(4000);
  doc->Sound().SetRepeatCount(2);
  transport.Settings().playBufferSize = 1600;  // 400 frames a block
  Selection range;
  range.SetRange(1000, 2000);
  ASSERT_TRUE(transport.PlaySelection(*doc, range));
  PlayFor(1000 + 250);  // the second round, 250 frames in
  EXPECT_EQ(transport.CurrentTransportFrame(), 1250u);
  PlayToEnd();
  const std::vector<uint8_t> once = FrameBytes(*doc, 1000, 2000);
  EXPECT_EQ(devices.playedFromBlocks, Concat(once, once));

  // Play-Loop: 32000 rounds, the marker stays inside the range.
  doc->Sound().SetRepeatCount(1);
  transport.ToggleLoop(*doc);
  EXPECT_EQ(doc->Sound().RepeatCount(), kLoopRepeatCount);
  ASSERT_TRUE(transport.PlaySelection(*doc, range));
  for (int i = 0; i < 7; ++i) PlayFor(777);
  EXPECT_EQ(transport.CurrentTransportFrame(), 1000u + (7 * 777) % 1000);
  EXPECT_TRUE(transport.Playing());
  transport.ToggleLoop(*doc);  // refused while output is busy
  EXPECT_EQ(doc->Sound().RepeatCount(), kLoopRepeatCount);
  transport.Stop(doc.get());
  EXPECT_FALSE(transport.Playing());
}

TEST_F(PlaybackTest, StartAndEndQueuesTheTailRightBehindTheLeadIn) {
  auto doc = StereoDoc(20000, 1000);  // 2 s at 1000 frames per second = 2000 frames
  Selection range;
  range.SetRange(1000, 16000);
  ASSERT_TRUE(transport.PlayStartEnd(*doc, range));
  EXPECT_EQ(devices.writes, 2);  // the tail waits in the device, not for the timer's poll
  PlayFor(2500);                 // the device went on into the tail before the poll came
  EXPECT_EQ(transport.CurrentTransportFrame(), 14500u);
  PlayToEnd();
  const std::vector<uint8_t> both = Concat(FrameBytes(*doc, 1000, 3000), FrameBytes(*doc, 14000, 16000));
  EXPECT_EQ(devices.playedFromBlocks, both);
  // No silence between them.
  ASSERT_GE(devices.played.size(), both.size());
  EXPECT_EQ(std::vector<uint8_t>(devices.played.begin(), devices.played.begin() + both.size()), both);
  EXPECT_EQ(log.messages, (std::vector<int>{wm::kPlayStarted, wm::kPlayStopped}));
}

TEST_F(PlaybackTest, ClipboardAndPreviewBlocksPlayInTheDocumentsFormat) {
  auto doc = StereoDoc(1000);
  const std::vector<uint8_t> clip = FrameBytes(*StereoDoc(300), 0, 300);
  ports.clipboard = WaveImageOf(WaveFormat::Pcm(2, 44100, 16), clip);
  ASSERT_TRUE(transport.PlayClipboard(*doc));
  PlayToEnd();
  EXPECT_EQ(devices.playedFromBlocks, clip);
  EXPECT_TRUE(doc->Sound().WorkImage().Empty());  // the converted copy is freed at the end

  // An effect preview: the processed block, then the rest of the sound.
  devices.playedFromBlocks.clear();
  WaveImage preview;
  ASSERT_TRUE(preview.Allocate(400));
  std::fill(preview.Data(), preview.Data() + 400, uint8_t(7));
  ASSERT_TRUE(transport.PlayPreviewBlock(*doc, preview, 900u));
  PlayToEnd();
  EXPECT_EQ(devices.playedFromBlocks, Concat(std::vector<uint8_t>(400, 7), FrameBytes(*doc, 900, 1000)));
}

TEST_F(PlaybackTest, EditPreviewPlaysTheClipboardBetweenTheDocumentsParts) {
  auto doc = StereoDoc(1000);
  const std::vector<uint8_t> clip = FrameBytes(*StereoDoc(300), 50, 150);
  ports.clipboard = WaveImageOf(WaveFormat::Pcm(2, 44100, 16), clip);
  Selection at;
  at.SetRange(200, 200);
  ASSERT_TRUE(transport.PlayEditPreview(*doc, PreviewKind::Paste, at));
  // A second press while the first plays: the stop must not take the new preview's data away.
  ASSERT_TRUE(transport.PlayEditPreview(*doc, PreviewKind::Paste, at));
  PlayToEnd();
  EXPECT_EQ(devices.playedFromBlocks, Concat(Concat(FrameBytes(*doc, 0, 200), clip), FrameBytes(*doc, 200, 1000)));
  EXPECT_TRUE(doc->Sound().WorkImage().Empty());

  ports.clipboard.clear();  // nothing to paste: message, nothing plays
  EXPECT_FALSE(transport.PlayEditPreview(*doc, PreviewKind::Paste, at));
  EXPECT_FALSE(transport.Playing());
  EXPECT_EQ(App().playingDocument, nullptr);
}

TEST_F(PlaybackTest, PlayCommandStopsAnotherDocumentFirst) {
  auto a = StereoDoc(5000), b = StereoDoc(5000);
  ASSERT_TRUE(transport.PlayAll(*a));
  PlayFor(100);
  ASSERT_TRUE(transport.PlayAll(*b));
  EXPECT_FALSE(a->Sound().IsPlaying());
  EXPECT_TRUE(b->Sound().IsPlaying());
  EXPECT_EQ(App().playingDocument, b.get());
  EXPECT_EQ(log.messages, (std::vector<int>{wm::kPlayStarted, wm::kPlayStopped, wm::kPlayStarted}));
  transport.Stop(nullptr);
  EXPECT_EQ(App().playingDocument, nullptr);
}

TEST_F(PlaybackTest, PauseAndResume) {
  auto doc = StereoDoc(5000);
  ASSERT_TRUE(transport.PlayAll(*doc));
  transport.Pause();
  EXPECT_TRUE(transport.Paused());
  PlayFor(1000);  // a paused device plays nothing
  EXPECT_TRUE(devices.playedFromBlocks.empty());
  transport.Pause();
  EXPECT_EQ(log.messages, (std::vector<int>{wm::kPlayStarted, wm::kPlayPaused, wm::kPlayResumed}));
  PlayToEnd();
  EXPECT_EQ(devices.playedFromBlocks, FrameBytes(*doc, 0, 5000));
}

TEST_F(PlaybackTest, RefusedFormatShowsTheMessageAndPlaysNothing) {
  devices.script.refuseFormat = true;
  auto doc = StereoDoc(100);
  EXPECT_FALSE(transport.PlayAll(*doc));
  EXPECT_EQ(ports.texts, (std::vector<std::string>{audio::kOutputFormatRefused}));
  EXPECT_FALSE(transport.Playing());
  EXPECT_EQ(App().playingDocument, nullptr);
}

TEST_F(PlaybackTest, DeviceFailingToPrepareOrVanishingStopsCleanly) {
  auto doc = StereoDoc(10000);
  transport.Settings().playBufferSize = 4000;
  devices.script.failPrepareAt = 3;
  EXPECT_FALSE(transport.PlayAll(*doc));
  EXPECT_FALSE(transport.Playing());
  EXPECT_EQ(transport.Playback().BlockCount(), 0u);
  EXPECT_FALSE(doc->Sound().IsPlaying());

  ASSERT_TRUE(transport.PlayAll(*doc));
  PlayFor(1500);
  devices.vanished = true;
  transport.Tick();
  transport.Tick();  // the poll runs on every second tick
  EXPECT_FALSE(transport.Playing());
  EXPECT_EQ(ports.texts, (std::vector<std::string>{audio::kOutputDeviceLost}));
  EXPECT_EQ(log.messages.back(), wm::kPlayStopped);
  EXPECT_EQ(App().playingDocument, nullptr);
  EXPECT_FALSE(doc->Sound().IsPlaying());
}

TEST_F(PlaybackTest, ADeviceThatRefusesToStopKeepsPlaying) {
  auto doc = StereoDoc(5000);
  ASSERT_TRUE(transport.PlayAll(*doc));
  devices.script.failReset = true;
  transport.Stop(doc.get());
  EXPECT_TRUE(transport.Playing());
  EXPECT_EQ(App().playingDocument, doc.get());
  devices.script.failReset = false;
  transport.Stop(doc.get());
  EXPECT_FALSE(transport.Playing());
  EXPECT_EQ(App().playingDocument, nullptr);
}

TEST_F(PlaybackTest, TickMovesTheMarkerOnEveryTickAndPollsOnEverySecond) {
  auto doc = StereoDoc(3000);
  ASSERT_TRUE(transport.PlayAll(*doc));
  devices.output->Advance(3000);  // every block done
  transport.Tick();               // odd tick: marker only
  EXPECT_TRUE(transport.Playing());
  ASSERT_EQ(log.positions.size(), 1u);
  transport.Tick();  // even tick: the poll ends the play
  EXPECT_FALSE(transport.Playing());
  EXPECT_EQ(log.messages.back(), wm::kPlayStopped);
}

TEST_F(PlaybackTest, DocumentHooksPlayLeadInOutAndCloseStops) {
  transport.InstallDocumentHooks();
  auto doc = StereoDoc(1000);
  ASSERT_TRUE(doc->PlayRange(100, 200));
  EXPECT_EQ(App().playingDocument, doc.get());
  doc->Close();  // closing a playing document stops it first
  EXPECT_FALSE(transport.Playing());
  EXPECT_EQ(App().playingDocument, nullptr);
}

TEST_F(PlaybackTest, VolumeIsAGainOnTheWayToTheDevice) {
  auto doc = StereoDoc(100);
  transport.SetVolume(1, true, 0x8000);  // the default-device entry stands for device 0
  EXPECT_EQ(transport.Volume(0, true), 0x8000);
  EXPECT_EQ(transport.Volume(0, false), 0xFFFF);
  ASSERT_TRUE(transport.PlayAll(*doc));
  PlayToEnd();
  const std::vector<uint8_t> original = FrameBytes(*doc, 0, 100);
  ASSERT_EQ(devices.playedFromBlocks.size(), original.size());
  for (size_t i = 0; i < original.size(); i += 4) {
    const int16_t left = int16_t(original[i] | original[i + 1] << 8);
    const int16_t right = int16_t(original[i + 2] | original[i + 3] << 8);
    EXPECT_EQ(int16_t(devices.playedFromBlocks[i] | devices.playedFromBlocks[i + 1] << 8), left);
    EXPECT_EQ(int16_t(devices.playedFromBlocks[i + 2] | devices.playedFromBlocks[i + 3] << 8),
              int16_t(int32_t(right) * 0x8000 / 0xFFFF));
  }
}

}  // namespace
}  // namespace tarkel::test
