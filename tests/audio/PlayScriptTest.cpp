// Play scripts over scripted devices: pieces of several documents in one format reach the
// device back to back, a piece in another format waits for the device to play out and starts at
// the next tick, and a document of the script that stops or closes ends the whole script.
#include <gtest/gtest.h>

#include "AudioTestSupport.h"
#include "regions/ScriptFollower.h"
#include "sound/AppContext.h"

namespace tarkel::test {
namespace {

using audio::AudioTransport;
using audio::FakeDeviceSystem;
namespace wm = audio::wm;
using Script = std::vector<AudioTransport::ScriptPiece>;

// A 16-bit mono document of `frames` frames at 22050 Hz (another format than StereoDoc's).
std::unique_ptr<CTarkelDoc> MonoDoc(uint32_t frames) {
  auto doc = std::make_unique<CTarkelDoc>();
  Fill(doc->Sound(), 1, 22050, 16, Staircase16(frames));
  return doc;
}

std::vector<uint8_t> Repeated(const std::vector<uint8_t>& bytes, int times) {
  std::vector<uint8_t> all;
  for (int i = 0; i < times; ++i) all = Concat(all, bytes);
  return all;
}

class PlayScriptTest : public ::testing::Test {
 protected:
  PlayScriptTest() : transport(devices) { transport.AddListener(&log); }

  void PlayToEnd() {
    for (int i = 0; i < 1000 && transport.Playing(); ++i) {
      devices.output->Advance(4096);
      transport.Poll();
    }
  }

  RecordingPorts ports;
  FakeDeviceSystem devices;
  AudioTransport transport;
  MessageLog log;
};

TEST_F(PlayScriptTest, PiecesOfSeveralDocumentsInOneFormatFollowEachOtherWithoutAGap) {
  auto a = StereoDoc(5000), b = StereoDoc(4000);
  ASSERT_TRUE(transport.PlayScript(Script{{a.get(), 100, 600, 2}, {b.get(), 1000, 1300, 1}, {a.get(), 2000, 2200, 3}}));
  EXPECT_EQ(devices.opens, 1);
  EXPECT_TRUE(a->Sound().IsPlaying());
  EXPECT_TRUE(b->Sound().IsPlaying());
  EXPECT_EQ(App().playingDocument, a.get());

  // The device is 100 frames into b's piece when the poll comes: b is the transport document.
  devices.output->Advance(1100);
  transport.Poll();
  EXPECT_EQ(App().playingDocument, b.get());
  EXPECT_EQ(transport.CurrentTransportFrame(), 1100u);
  EXPECT_TRUE(a->Sound().IsPlaying());  // its last piece is still to come

  PlayToEnd();
  const std::vector<uint8_t> script = Concat(Concat(Repeated(FrameBytes(*a, 100, 600), 2), FrameBytes(*b, 1000, 1300)),
                                             Repeated(FrameBytes(*a, 2000, 2200), 3));
  ASSERT_GE(devices.played.size(), script.size());
  EXPECT_EQ(std::vector<uint8_t>(devices.played.begin(), devices.played.begin() + script.size()), script);
  EXPECT_EQ(devices.playedFromBlocks, script);
  EXPECT_EQ(log.messages, (std::vector<int>{wm::kPlayStarted, wm::kPlayStopped}));
  EXPECT_EQ(App().playingDocument, nullptr);
  EXPECT_FALSE(a->Sound().IsPlaying());
  EXPECT_FALSE(b->Sound().IsPlaying());
  EXPECT_EQ(a->Sound().RepeatCount(), 1u);  // the documents' own repeat counts stay
}

// The region list marks the region heard from the sound and frame the engine reports: stepping
// through a script, every region is marked in turn, overlapping repeats included.
TEST_F(PlayScriptTest, TheHeardSoundAndFrameLeadThroughTheScriptsRegions) {
  auto a = StereoDoc(5000), b = StereoDoc(4000);
  ASSERT_TRUE(transport.PlayScript(Script{{a.get(), 100, 600, 2}, {b.get(), 1000, 1300, 1}, {a.get(), 300, 500, 3}}));
  ScriptFollower follower;
  follower.Start({{a.get(), 100, 599, 2, 0}, {b.get(), 1000, 1299, 1, 1}, {a.get(), 300, 499, 3, 4}});
  std::vector<int> marked;
  for (int i = 0; i < 1000 && transport.Playing(); ++i) {
    std::optional<PlayPosition> at;
    if (transport.Playing()) at = PlayPosition{transport.Playback().Wave(), transport.CurrentTransportFrame()};
    const int region = follower.Update(at);
    if (marked.empty() || marked.back() != region) marked.push_back(region);
    devices.output->Advance(50);
    transport.Poll();
  }
  EXPECT_EQ(follower.Update(std::nullopt), -1);
  EXPECT_EQ(marked, (std::vector<int>{0, 1, 4}));
}

TEST_F(PlayScriptTest, APieceInAnotherFormatStartsAtTheFirstTickAfterTheDevicePlayedOut) {
  auto a = StereoDoc(3000);
  auto m = MonoDoc(2000);
  ASSERT_TRUE(transport.PlayScript(Script{{a.get(), 0, 1000, 1}, {m.get(), 0, 500, 2}, {a.get(), 1000, 1500, 1}}));
  EXPECT_EQ(devices.opens, 1);
  EXPECT_TRUE(transport.Holds(*m));
  EXPECT_TRUE(m->Sound().IsPlaying());  // waiting counts: closing it must stop the script

  devices.output->Advance(1000);
  transport.Tick();  // an odd tick, but a piece waits: the poll runs and opens the device anew
  EXPECT_EQ(devices.opens, 2);
  EXPECT_EQ(App().playingDocument, m.get());
  devices.output->Advance(1000);
  transport.Tick();
  EXPECT_EQ(devices.opens, 3);
  EXPECT_EQ(App().playingDocument, a.get());
  PlayToEnd();

  EXPECT_EQ(devices.playedFromBlocks, Concat(Concat(FrameBytes(*a, 0, 1000), Repeated(FrameBytes(*m, 0, 500), 2)),
                                             FrameBytes(*a, 1000, 1500)));
  EXPECT_EQ(log.messages, (std::vector<int>{wm::kPlayStarted, wm::kPlayStopped, wm::kPlayStarted, wm::kPlayStopped,
                                            wm::kPlayStarted, wm::kPlayStopped}));
  EXPECT_FALSE(m->Sound().IsPlaying());
  EXPECT_FALSE(transport.Holds(*a));
}

TEST_F(PlayScriptTest, ClosingOrStoppingADocumentOfTheScriptEndsTheWholeScript) {
  transport.InstallDocumentHooks();
  auto a = StereoDoc(3000), b = StereoDoc(3000);
  auto m = MonoDoc(2000);

  // A document whose piece still waits for the device closes.
  ASSERT_TRUE(transport.PlayScript(Script{{a.get(), 0, 1000, 1}, {m.get(), 0, 500, 1}}));
  m->Close();
  EXPECT_FALSE(transport.Playing());
  EXPECT_FALSE(transport.Holds(*m));
  EXPECT_FALSE(a->Sound().IsPlaying());
  EXPECT_EQ(App().playingDocument, nullptr);
  transport.Tick();
  transport.Tick();
  EXPECT_EQ(devices.opens, 1);  // nothing starts afterwards

  // A document queued behind the one heard now is stopped (as an edit of it does first).
  ASSERT_TRUE(transport.PlayScript(Script{{a.get(), 0, 1000, 1}, {b.get(), 0, 1000, 1}}));
  EXPECT_TRUE(transport.Holds(*b));
  transport.Stop(b.get());
  EXPECT_FALSE(transport.Playing());
  EXPECT_FALSE(b->Sound().IsPlaying());
  EXPECT_EQ(log.messages.back(), wm::kPlayStopped);

  // A play command of one of its documents ends the script too.
  auto m2 = MonoDoc(2000);
  devices.playedFromBlocks.clear();
  ASSERT_TRUE(transport.PlayScript(Script{{a.get(), 0, 1000, 1}, {m2.get(), 0, 500, 1}}));
  ASSERT_TRUE(a->PlayRange(0, 100));
  devices.output->Advance(100);
  transport.Tick();
  transport.Tick();
  EXPECT_FALSE(transport.Playing());
  EXPECT_FALSE(m2->Sound().IsPlaying());
  EXPECT_EQ(devices.playedFromBlocks, FrameBytes(*a, 0, 100));
}

TEST_F(PlayScriptTest, ADeviceFailingInTheMiddleLeavesNothingPlaying) {
  auto a = StereoDoc(3000), b = StereoDoc(3000);
  devices.script.failPrepareAt = 1;  // the second piece's block
  EXPECT_FALSE(transport.PlayScript(Script{{a.get(), 0, 1000, 1}, {b.get(), 0, 1000, 1}}));
  EXPECT_FALSE(transport.Playing());
  EXPECT_FALSE(transport.Holds(*a));
  EXPECT_FALSE(a->Sound().IsPlaying());
  EXPECT_FALSE(b->Sound().IsPlaying());
  EXPECT_EQ(App().playingDocument, nullptr);
  EXPECT_EQ(log.messages, (std::vector<int>{wm::kPlayStarted, wm::kPlayStopped}));
}

}  // namespace
}  // namespace tarkel::test
