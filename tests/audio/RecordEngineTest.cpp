// The recording engine over scripted devices: where the frames land, two blocks always with the
// device, undo, stops that keep what arrived, and what a recording does to a playback.
#include <gtest/gtest.h>

#include "AudioTestSupport.h"
#include "document/UndoStore.h"
#include "sound/AppContext.h"
#include "sound/Selection.h"

namespace tarkel::test {
namespace {

using audio::AudioTransport;
using audio::FakeDeviceSystem;
namespace wm = audio::wm;

std::vector<uint8_t> Pattern(size_t bytes, uint8_t seed) {
  std::vector<uint8_t> v(bytes);
  for (size_t i = 0; i < bytes; ++i) v[i] = uint8_t(seed + i * 31 + (i >> 8));
  return v;
}

class RecordTest : public ::testing::Test {
 protected:
  RecordTest() : transport(devices) { transport.AddListener(&log); }

  // `bytes` arrive at the input in pieces of `piece`, the poll running after each.
  void Arrive(const std::vector<uint8_t>& bytes, size_t piece) {
    for (size_t at = 0; at < bytes.size() && transport.Recording(); at += piece) {
      ASSERT_NE(devices.input, nullptr);
      const size_t n = std::min(piece, bytes.size() - at);
      devices.input->Deliver(std::vector<uint8_t>(bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(at + n)));
      transport.Poll();
    }
  }

  RecordingPorts ports;
  FakeDeviceSystem devices;
  AudioTransport transport;
  MessageLog log;
};

TEST_F(RecordTest, RecordAllFillsTheSoundThroughBlocksTwoAtATime) {
  auto doc = StereoDoc(10000);
  transport.Settings().recordBufferSize = 4000;  // 1000 frames a block
  ASSERT_TRUE(transport.RecordAll(*doc));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(App().playingDocument, doc.get());
  EXPECT_EQ(devices.prepares, 2);  // two blocks with the device from the start
  const std::vector<uint8_t> input = Pattern(40000, 3);
  Arrive(input, 3000);
  EXPECT_FALSE(transport.Recording());
  EXPECT_EQ(FrameBytes(*doc, 0, 10000), input);
  EXPECT_EQ(log.messages, (std::vector<int>{wm::kRecordStarted, wm::kRecordStopped}));
  EXPECT_EQ(App().playingDocument, nullptr);
  EXPECT_FALSE(doc->Sound().IsRecording());
}

TEST_F(RecordTest, RecordSelectionLandsInTheRangeLeavesTheRestAndUndoRestoresIt) {
  auto doc = StereoDoc(5000);
  const std::vector<uint8_t> before = FrameBytes(*doc, 0, 5000);
  Selection range;
  range.SetRange(1000, 3001);  // 1000 .. 3000, end exclusive
  ASSERT_TRUE(transport.RecordSelection(*doc, range));
  const std::vector<uint8_t> input = Pattern(8000, 9);
  Arrive(input, 1234);
  EXPECT_FALSE(transport.Recording());
  EXPECT_EQ(FrameBytes(*doc, 1000, 3000), input);
  EXPECT_EQ(FrameBytes(*doc, 0, 1000), std::vector<uint8_t>(before.begin(), before.begin() + 4000));
  EXPECT_EQ(FrameBytes(*doc, 3000, 5000), std::vector<uint8_t>(before.begin() + 12000, before.end()));
  ASSERT_TRUE(doc->CanUndo());
  ASSERT_TRUE(doc->UndoLastChange());
  EXPECT_EQ(FrameBytes(*doc, 0, 5000), before);
}

TEST_F(RecordTest, RecordAllLeavesNoOlderRecordToPutBackOverIt) {
  auto doc = StereoDoc(5000);
  Selection range;
  range.SetRange(1000, 3001);
  ASSERT_TRUE(transport.RecordSelection(*doc, range));
  Arrive(Pattern(8000, 9), 1234);
  ASSERT_TRUE(doc->CanUndo());
  ASSERT_TRUE(transport.RecordAll(*doc));
  Arrive(Pattern(20000, 5), 4000);
  EXPECT_FALSE(doc->CanUndo());
  EXPECT_EQ(FrameBytes(*doc, 0, 5000), Pattern(20000, 5));
}

TEST_F(RecordTest, StopKeepsWhatWasRecordedAndTheRestOfTheRange) {
  auto doc = StereoDoc(10000);
  const std::vector<uint8_t> before = FrameBytes(*doc, 0, 10000);
  transport.Settings().recordBufferSize = 4000;
  ASSERT_TRUE(transport.RecordAll(*doc));
  const std::vector<uint8_t> input = Pattern(6000, 1);  // a block and a half
  Arrive(input, 6000);
  transport.Stop(doc.get());
  EXPECT_FALSE(transport.Recording());
  EXPECT_EQ(FrameBytes(*doc, 0, 1500), input);
  EXPECT_EQ(FrameBytes(*doc, 1500, 10000), std::vector<uint8_t>(before.begin() + 6000, before.end()));
  EXPECT_EQ(log.messages.back(), wm::kRecordStopped);
}

TEST_F(RecordTest, VanishingInputStopsWithAMessageAndKeepsWhatArrived) {
  auto doc = StereoDoc(10000);
  transport.Settings().recordBufferSize = 4000;
  ASSERT_TRUE(transport.RecordAll(*doc));
  const std::vector<uint8_t> input = Pattern(5000, 4);
  Arrive(input, 5000);
  devices.vanished = true;
  transport.Tick();
  transport.Tick();
  EXPECT_FALSE(transport.Recording());
  EXPECT_EQ(FrameBytes(*doc, 0, 1250), input);
  EXPECT_EQ(ports.texts, (std::vector<std::string>{audio::kInputDeviceLost}));
  EXPECT_EQ(App().playingDocument, nullptr);
}

TEST_F(RecordTest, RecordingStopsPlaybackFirst) {
  auto song = StereoDoc(5000), take = StereoDoc(5000);
  ASSERT_TRUE(transport.PlayAll(*song));
  ASSERT_TRUE(transport.RecordAll(*take));
  EXPECT_FALSE(transport.Playing());
  EXPECT_FALSE(song->Sound().IsPlaying());
  EXPECT_EQ(log.messages, (std::vector<int>{wm::kPlayStarted, wm::kPlayStopped, wm::kRecordStarted}));
  EXPECT_EQ(App().playingDocument, take.get());
  transport.Stop(nullptr);
}

TEST_F(RecordTest, PreparationQuestionCancelRecordsNothing) {
  auto doc = StereoDoc(1000);
  transport.TogglePrepareRecording();
  std::vector<std::string> asked;
  transport.confirmRecording = [&](const std::string& text) {
    asked.push_back(text);
    return false;
  };
  EXPECT_FALSE(transport.RecordAll(*doc));
  EXPECT_EQ(asked, (std::vector<std::string>{audio::kPrepareRecordingQuestion}));
  EXPECT_FALSE(transport.Recording());
  EXPECT_FALSE(doc->IsModified());

  transport.confirmRecording = [](const std::string&) { return true; };
  EXPECT_TRUE(transport.RecordAll(*doc));
  transport.Stop(nullptr);
}

TEST_F(RecordTest, RefusedFormatAndFailingPrepareRecordNothing) {
  auto doc = StereoDoc(1000);
  devices.script.refuseFormat = true;
  EXPECT_FALSE(transport.RecordAll(*doc));
  EXPECT_EQ(ports.texts, (std::vector<std::string>{audio::kInputFormatRefused}));
  devices.script.refuseFormat = false;
  transport.Settings().recordBufferSize = 400;
  devices.script.failPrepareAt = devices.prepares + 1;  // the second block
  EXPECT_FALSE(transport.RecordAll(*doc));
  EXPECT_FALSE(transport.Recording());
  EXPECT_EQ(transport.Recorder().BlockCount(), 0u);
  EXPECT_EQ(App().playingDocument, nullptr);
}

}  // namespace
}  // namespace tarkel::test
