#pragma once
// The PortAudio output and input devices (private to this library).
#include <portaudio.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/BlockStream.h"
#include "audio/WaveDevice.h"

namespace tarkel::audio::pa {

// Now on the steady clock, in nanoseconds.
int64_t NowNs();
// A stream that has not moved for this long while it should has stopped working (device
// removed, sound server gone) even when PortAudio has not said so.
inline constexpr int64_t kStallLimitNs = 3'000'000'000;

// Stream parameters for `format`; false when PortAudio cannot carry it (not 8/16-bit PCM, not
// mono or stereo).
bool StreamParameters(int device, const WaveFormat& format, bool output, PaStreamParameters& params);
DeviceResult ResultOf(PaError error);
// The answer to a query-only open.
DeviceResult QueryResult(PaError error);

// Streams given up because they stopped moving: each is aborted and closed by a thread of its
// own whenever PortAudio lets go of it. PortAudio is not terminated while one is left.
std::atomic<int>& AbandonedStreams();

// What the output callback works on; shared with the thread that closes an abandoned stream,
// so the callback never sees freed state.
struct OutputState {
  std::mutex lock;
  BlockPlayer player;
  uint32_t frameBytes = 1;
  std::atomic<uint32_t>* volume = nullptr;
  std::atomic<bool> paused{false};
  std::atomic<bool> stopping{false};
  std::atomic<bool> finished{false};
  std::atomic<bool> abandoned{false};
  std::atomic<uint64_t> framesPlayed{0};
  std::atomic<uint64_t> callbacks{0};
  // When the callback first found no block left to play (0: it has not yet).
  std::atomic<int64_t> emptySinceNs{0};
};

// Plays through a callback: the callback renders the queued blocks (the UI thread only queues
// them and frees them after the poll found them done).
class Output final : public OutputDevice {
 public:
  Output(int device, std::atomic<uint32_t>& volume);
  ~Output() override;
  DeviceResult Open(const WaveFormat& format, bool queryOnly) override;
  bool IsOpen() const override { return stream_ != nullptr; }
  DeviceResult Write(WaveBlock& b) override;
  DeviceResult Commit() override;
  uint64_t PositionFrames() override;
  DeviceResult Pause() override;
  DeviceResult Restart() override;
  DeviceResult Reset() override;
  DeviceResult Close() override;
  bool HasFailed() override;
  bool Draining() override;

 private:
  static int Callback(const void* in, void* out, unsigned long frames, const PaStreamCallbackTimeInfo* time,
                      PaStreamCallbackFlags flags, void* state);
  static void Finished(void* state);
  // Lets go of a stream that no longer moves without waiting for it: the blocks are released
  // at once, the stream is closed by a thread of its own.
  void Abandon();

  int device_;
  std::shared_ptr<OutputState> state_;
  PaStream* stream_ = nullptr;
  uint64_t latencyFrames_ = 0;
  std::chrono::nanoseconds latency_{0};
  bool started_ = false;
  bool failed_ = false;
  uint64_t lastCallbacks_ = 0;
  std::chrono::steady_clock::time_point lastProgress_;
};

// What the input's reader thread works on (kept alive by the thread when it is abandoned).
struct InputState {
  std::mutex lock;
  std::condition_variable wake;
  BlockFiller filler;
  PaStream* stream = nullptr;
  uint32_t frameBytes = 1;
  bool quit = false;
  bool abandoned = false;
  std::atomic<bool> failed{false};
  std::atomic<uint64_t> framesRecorded{0};
  // When the reader last got frames, or started waiting for them (steady clock, ns).
  std::atomic<int64_t> lastProgressNs{0};
};

// Records through a reader thread of its own that reads the stream and copies into the queued
// blocks; while no block is queued it does not read, so a paced device drops what it must and
// an unpaced source (a file) loses nothing.
class Input final : public InputDevice {
 public:
  explicit Input(int device) : device_(device), state_(std::make_shared<InputState>()) {}
  ~Input() override;
  DeviceResult Open(const WaveFormat& format, bool queryOnly) override;
  bool IsOpen() const override { return state_->stream != nullptr; }
  DeviceResult AddBuffer(WaveBlock& b) override;
  DeviceResult Start() override;
  DeviceResult Stop() override;
  uint64_t PositionFrames() override { return state_->framesRecorded.load(); }
  DeviceResult Reset() override;
  DeviceResult Close() override;
  bool HasFailed() override;

 private:
  static void ReadLoop(std::shared_ptr<InputState> state);

  int device_;
  std::shared_ptr<InputState> state_;
  std::thread reader_;
  bool stalled_ = false;
};

}  // namespace tarkel::audio::pa
