#include "fileformats/BackgroundRead.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "sound/LoadJob.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/WaveAudio.h"
#include "fileformats/ByteStream.h"

namespace tarkel {
namespace {

// Large enough to read at the disk's speed, small enough that a cancel is seen within
// milliseconds.
constexpr size_t kPieceBytes = size_t(8) << 20;

std::mutex posterMutex;
UiThreadPoster& PosterSlot() {
  static UiThreadPoster poster;
  return poster;
}

UiThreadPoster CurrentPoster() {
  const std::lock_guard<std::mutex> lock(posterMutex);
  return PosterSlot();
}

enum class ReadEnd { Done, Failed, Cancelled };

// Puts the pages of the block's next piece in place in one call, where the kernel can: the block
// was made without them so that the open returns at once, and one call costs far less than the
// page faults the read would otherwise take one by one.
void PreparePages(uint8_t* from, size_t bytes) {
  static const uintptr_t page = uintptr_t(::sysconf(_SC_PAGESIZE));
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(from) + page - 1) & ~(page - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(from) + bytes) & ~(page - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
}

// Reads `bytes` from `offset` of `fd` into `to` in pieces, looking at `cancel` (when given)
// before each. Bytes that the file no longer holds (it shrank) become `silence`.
ReadEnd ReadPieces(int fd, uint8_t* to, uint64_t offset, uint32_t bytes, uint8_t silence,
                   const std::atomic<bool>* cancel) {
  uint64_t done = 0;
  while (done < bytes) {
    if (cancel && cancel->load(std::memory_order_relaxed)) return ReadEnd::Cancelled;
    const size_t want = size_t(std::min<uint64_t>(kPieceBytes, bytes - done));
    PreparePages(to + done, want);
    const ssize_t got = ::pread(fd, to + done, want, off_t(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return ReadEnd::Failed;
    if (got == 0) {
      std::memset(to + done, silence, size_t(bytes - done));
      break;
    }
    done += size_t(got);
  }
  return ReadEnd::Done;
}

// What the worker and the completion posted to the UI thread share. The completion reaches the
// read only while this is alive, that is while the read itself exists.
struct ReadState {
  std::atomic<bool> cancel{false};
  ReadEnd end = ReadEnd::Done;  // written by the worker before it posts its end
};

class BackgroundRead final : public LoadJob {
 public:
  explicit BackgroundRead(WaveAudio& wave) : wave_(wave) {}
  ~BackgroundRead() override {
    state_->cancel = true;
    if (worker_.joinable()) worker_.join();
    CloseFile();
  }
  BackgroundRead(const BackgroundRead&) = delete;
  BackgroundRead& operator=(const BackgroundRead&) = delete;

  // Starts the worker, which then owns `fd`; false (nothing taken) when no thread can be had.
  bool Start(int fd, uint8_t* data, uint64_t offset, uint32_t bytes, const UiThreadPoster& poster) {
    const uint8_t silence = wave_.SilenceValue();
    try {
      worker_ = std::thread([this, state = state_.get(), weak = std::weak_ptr<ReadState>(state_), fd, data, offset,
                             bytes, silence, poster] {
        state->end = ReadPieces(fd, data, offset, bytes, silence, &state->cancel);
        if (state->end == ReadEnd::Cancelled) return;
        poster([this, weak] {
          if (const auto alive = weak.lock()) Complete();
        });
      });
    } catch (const std::system_error&) {
      return false;
    }
    fd_ = fd;
    return true;
  }

  void SetDone(std::function<void(bool)> done) { done_ = std::move(done); }

 private:
  // On the UI thread, once the worker has ended.
  void Complete() {
    if (worker_.joinable()) worker_.join();
    CloseFile();
    wave_.SetLoading(false);
    const bool ok = state_->end == ReadEnd::Done;
    if (!ok) ShowMessage(msg::kOpenFileError);
    // Last: the callback may close the document, and this read with it.
    if (auto done = std::exchange(done_, nullptr)) done(ok);
  }

  void CloseFile() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  WaveAudio& wave_;
  int fd_ = -1;
  std::shared_ptr<ReadState> state_ = std::make_shared<ReadState>();
  std::thread worker_;
  std::function<void(bool)> done_;
};

}  // namespace

void SetBackgroundReadPoster(UiThreadPoster poster) {
  const std::lock_guard<std::mutex> lock(posterMutex);
  PosterSlot() = std::move(poster);
}

bool UsesBackgroundRead(const WaveAudio& wave, const ByteSource& in) {
  return wave.BackgroundOption() != 0 && !wave.IsHardDisk() && !wave.FileName().empty() &&
         dynamic_cast<const FileSource*>(&in) != nullptr;
}

bool StartBackgroundRead(WaveAudio& wave, const std::string& path, uint64_t offset, uint32_t bytes) {
  UiThreadPoster poster = CurrentPoster();
  // A block read while the program goes on gets its pages as the read reaches them, so the
  // window opens at once.
  uint8_t* data = wave.AllocateDataForReading(bytes, !poster);
  if (!data) {
    ShowMessage(msg::kNotEnoughMemory);
    return false;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    wave.ReleaseData();
    ShowMessage(msg::kDateiMapping);
    return false;
  }
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  if (poster) {
    auto read = std::make_unique<BackgroundRead>(wave);
    if (read->Start(fd, data, offset, bytes, poster)) {
      wave.SetLoadJob(std::move(read));
      wave.SetLoading(true);
      return true;
    }
    // No thread to be had: the read runs here instead.
  }
  const bool read = ReadPieces(fd, data, offset, bytes, wave.SilenceValue(), nullptr) == ReadEnd::Done;
  ::close(fd);
  if (!read) {
    wave.ReleaseData();
    ShowMessage(msg::kOpenFileError);
  }
  return read;
}

void WhenBackgroundReadEnds(WaveAudio& wave, std::function<void(bool ok)> done) {
  if (auto* read = dynamic_cast<BackgroundRead*>(wave.CurrentLoadJob()); read && wave.IsLoading())
    read->SetDone(std::move(done));
}

}  // namespace tarkel
