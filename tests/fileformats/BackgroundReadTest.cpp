// Reading a sound's data on a worker thread: the samples delivered, the end handed to the "UI
// thread" (here the test's own thread, through a queue), a document closed while its sound is
// still being read, and reads that fail.
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "document/CTarkelDoc.h"
#include "fileformats/BackgroundRead.h"
#include "fileformats/SoundFile.h"
#include "sound/AppContext.h"
#include "sound/MessageIds.h"
#include "sound/WaveAudio.h"
#include "CraftedFiles.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {

using test::ByteString;

// Stands in for the UI thread's event loop: the worker posts its end here, the test runs it.
class PostedQueue {
 public:
  PostedQueue() {
    SetBackgroundReadPoster([this](std::function<void()> work) {
      const std::lock_guard<std::mutex> lock(mutex_);
      queue_.push_back(std::move(work));
      posted_.notify_all();
    });
  }
  ~PostedQueue() { SetBackgroundReadPoster(nullptr); }

  // Waits for the next posted end and runs it; false when none came (a hang guard, not a speed
  // check).
  bool RunNext() {
    std::function<void()> work;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      if (!posted_.wait_for(lock, std::chrono::minutes(2), [this] { return !queue_.empty(); })) return false;
      work = std::move(queue_.front());
      queue_.pop_front();
    }
    work();
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> queue_;
};

// Sample bytes that differ from their neighbours, so a piece read to the wrong place shows.
ByteString Pattern(size_t bytes) {
  ByteString data(bytes);
  for (size_t i = 0; i < bytes; ++i) data[i] = uint8_t((i * 131u + (i >> 13)) & 0xFF);
  return data;
}

// A 16-bit stereo file whose data (crossing several read pieces) is followed by a kept chunk.
ByteString WaveWith(const ByteString& data) {
  using namespace test;
  return Riff(Cat({Chunk("fmt ", PcmFmtBody(2, 44100, 16)), Chunk("data", data), Chunk("note", Text("after"))}));
}

class BackgroundReadTest : public ::testing::Test {
 protected:
  test::RecordingPorts ports;
  test::TempFolder folder;
};

TEST_F(BackgroundReadTest, DeliversExactlyTheFileSamplesAndEndsOnTheUiThread) {
  PostedQueue ui;
  const ByteString data = Pattern((size_t(8) << 20) * 2 + 4 * 1001);  // two full pieces and a part
  const std::string path = folder.File("long.wav");
  test::WriteFileBytes(path, WaveWith(data));

  WaveAudio wave;
  ASSERT_TRUE(OpenSoundFile(wave, path, 1, false));
  EXPECT_TRUE(wave.IsLoading());
  EXPECT_EQ(wave.DataSize(), data.size());
  EXPECT_EQ(wave.FrameCount(), data.size() / 4);
  // The chunks after the data are read while the worker reads the data.
  ASSERT_EQ(wave.Chunks().chunks.size(), 1u);
  EXPECT_TRUE(wave.Chunks().chunks[0].afterData);
  int ends = 0;
  bool endOk = false;
  WhenBackgroundReadEnds(wave, [&](bool ok) {
    ++ends;
    endOk = ok;
    EXPECT_FALSE(wave.IsLoading());  // cleared before the callback runs
  });
  ASSERT_TRUE(ui.RunNext());
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(endOk);
  EXPECT_FALSE(wave.IsLoading());
  EXPECT_TRUE(ports.messages.empty());
  ASSERT_EQ(wave.DataSize(), data.size());
  EXPECT_TRUE(std::equal(data.begin(), data.end(), wave.Data()));

  // The same file read in the foreground holds the same.
  WaveAudio foreground;
  ASSERT_TRUE(OpenSoundFile(foreground, path, 0, false));
  EXPECT_FALSE(foreground.IsLoading());
  EXPECT_EQ(0, std::memcmp(foreground.Data(), wave.Data(), data.size()));
}

TEST_F(BackgroundReadTest, WithoutAnEventLoopTheReadEndsBeforeTheOpenReturns) {
  const ByteString data = Pattern(4 * 5000);
  const std::string path = folder.File("short.wav");
  test::WriteFileBytes(path, WaveWith(data));
  WaveAudio wave;
  ASSERT_TRUE(OpenSoundFile(wave, path, 1, false));
  EXPECT_FALSE(wave.IsLoading());
  ASSERT_EQ(wave.DataSize(), data.size());
  EXPECT_TRUE(std::equal(data.begin(), data.end(), wave.Data()));
  EXPECT_EQ(wave.CurrentLoadJob(), nullptr);
}

TEST_F(BackgroundReadTest, ClosingWhileTheReadRunsStopsItSafely) {
  PostedQueue ui;
  const std::string path = folder.File("big.wav");
  test::WriteFileBytes(path, WaveWith(Pattern(size_t(48) << 20)));
  int ends = 0;
  {
    // The data released while the worker still writes into it (the document's close).
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundFile(wave, path, 1, false));
    ASSERT_TRUE(wave.IsLoading());
    WhenBackgroundReadEnds(wave, [&](bool) { ++ends; });
    wave.ReleaseData();
    EXPECT_FALSE(wave.IsLoading());
    EXPECT_EQ(wave.Data(), nullptr);
  }
  {
    // The sound destroyed while loading.
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundFile(wave, path, 1, false));
    WhenBackgroundReadEnds(wave, [&](bool) { ++ends; });
  }
  {
    // A read that ended and posted, closed before the UI thread ran its end: the end does nothing.
    WaveAudio wave;
    ASSERT_TRUE(StartBackgroundRead(wave, path, 0, 4096));
    WhenBackgroundReadEnds(wave, [&](bool) { ++ends; });
    // Its end may already be queued; release first, then let the queue run whatever came.
    wave.ReleaseData();
  }
  // Whatever the stopped reads posted runs now, before a last read's end, without touching the
  // sounds that are gone.
  WaveAudio probe;
  ASSERT_TRUE(StartBackgroundRead(probe, path, 0, 16));
  bool probeEnded = false;
  WhenBackgroundReadEnds(probe, [&](bool) { probeEnded = true; });
  while (!probeEnded) ASSERT_TRUE(ui.RunNext());
  EXPECT_EQ(ends, 0);
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(BackgroundReadTest, ADocumentClosedWhileLoadingAndCommandsRefusedUntilItIsRead) {
  PostedQueue ui;
  App() = AppContext{};
  App().loadInBackground = 1;
  const std::string path = folder.File("doc.wav");
  const ByteString original = WaveWith(Pattern(size_t(40) << 20));
  test::WriteFileBytes(path, original);
  {
    CTarkelDoc doc;
    ASSERT_TRUE(doc.Open(path));
    ASSERT_TRUE(doc.Sound().IsLoading());
    // Nothing reaches the block while the worker fills it.
    EXPECT_FALSE(doc.SetLength(10));
    EXPECT_FALSE(doc.RunEdit(UndoRequest::None(), ChannelMode::Both, [](DocWaveAudio&) { return EditOutcome::Done(); }));
    EXPECT_FALSE(doc.Save(path));
    EXPECT_FALSE(doc.SaveSelectedArea(folder.File("part.wav"), 0, 10));
    EXPECT_TRUE(doc.Sound().IsLoading());
    EXPECT_FALSE(doc.IsModified());
    doc.Close();
    EXPECT_FALSE(doc.Sound().IsLoading());
    EXPECT_FALSE(doc.Sound().HasData());
  }
  EXPECT_EQ(test::ReadFileBytes(path), original);
  EXPECT_TRUE(ports.messages.empty());
  {
    // Read to the end, the document is an ordinary one.
    CTarkelDoc doc;
    ASSERT_TRUE(doc.Open(path));
    bool ended = false;
    WhenBackgroundReadEnds(doc.Sound(), [&](bool) { ended = true; });
    while (!ended) ASSERT_TRUE(ui.RunNext());
    EXPECT_TRUE(doc.SetLength(10));
    EXPECT_EQ(doc.Sound().Frames(), 10u);
  }
  App() = AppContext{};
}

TEST_F(BackgroundReadTest, ReadsThatFailSaySoAndLeaveNothingHalfRead) {
  PostedQueue ui;
  // The file cannot be opened for the read: 3008, no data.
  WaveAudio missing;
  EXPECT_FALSE(StartBackgroundRead(missing, folder.File("gone.wav"), 0, 100));
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kDateiMapping});
  EXPECT_FALSE(missing.HasData());
  EXPECT_FALSE(missing.IsLoading());

  // Opened, but every read fails (a folder): the end reports the failure on the UI thread.
  ports.messages.clear();
  WaveAudio failing;
  failing.Format() = WaveFormat::Pcm(1, 8000, 8);
  ASSERT_TRUE(StartBackgroundRead(failing, folder.Path(), 0, 100000));
  EXPECT_TRUE(failing.IsLoading());
  int ends = 0;
  bool endOk = true;
  WhenBackgroundReadEnds(failing, [&](bool ok) {
    ++ends;
    endOk = ok;
  });
  ASSERT_TRUE(ui.RunNext());
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(endOk);
  EXPECT_FALSE(failing.IsLoading());
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kOpenFileError});

  // Without an event loop the same failure fails the open itself.
  ports.messages.clear();
  SetBackgroundReadPoster(nullptr);
  WaveAudio direct;
  EXPECT_FALSE(StartBackgroundRead(direct, folder.Path(), 0, 100));
  EXPECT_FALSE(direct.HasData());
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kOpenFileError});
}

TEST_F(BackgroundReadTest, BytesTheFileNoLongerHoldsReadAsSilence) {
  PostedQueue ui;
  const std::string path = folder.File("cut.raw");
  test::WriteFileBytes(path, ByteString(1000, 0x40));
  WaveAudio wave;
  wave.Format() = WaveFormat::Pcm(1, 8000, 8);
  ASSERT_TRUE(StartBackgroundRead(wave, path, 200, 3000));  // the file ends 800 bytes in
  bool ended = false;
  WhenBackgroundReadEnds(wave, [&](bool ok) { ended = ok; });
  ASSERT_TRUE(ui.RunNext());
  EXPECT_TRUE(ended);
  ASSERT_EQ(wave.DataSize(), 3000u);
  for (size_t i = 0; i < 3000; ++i) ASSERT_EQ(wave.Data()[i], i < 800 ? 0x40 : 127) << i;
}

}  // namespace
}  // namespace tarkel
