#pragma once
// The PortAudio output and input devices (private to this library).
#include <portaudio.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
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

// Plays through a callback: the callback renders the queued blocks (the UI thread only queues
// them and frees them after the poll found them done).
class Output final : public OutputDevice {
 public:
  Output(int device, std::atomic<uint32_t>& volume) : device_(device), volume_(volume) {}
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
                      PaStreamCallbackFlags flags, void* self);
  static void Finished(void* self);
  int Render(uint8_t* out, unsigned long frames);

  int device_;
  std::atomic<uint32_t>& volume_;
  PaStream* stream_ = nullptr;
  std::mutex lock_;
  BlockPlayer player_;
  uint32_t frameBytes_ = 1;
  double rate_ = 44100;
  uint64_t latencyFrames_ = 0;
  std::chrono::nanoseconds latency_{0};
  // When the callback first found no block left to play (0: it has not yet).
  std::atomic<int64_t> emptySinceNs_{0};
  bool started_ = false;
  std::atomic<bool> paused_{false};
  std::atomic<bool> stopping_{false};
  std::atomic<bool> finished_{false};
  std::atomic<uint64_t> framesPlayed_{0};
  std::atomic<uint64_t> callbacks_{0};
  uint64_t lastCallbacks_ = 0;
  std::chrono::steady_clock::time_point lastProgress_;
};

// Records through a reader thread of its own that reads the stream straight into the queued
// blocks; while no block is queued it does not read, so a paced device drops what it must and
// an unpaced source (a file) loses nothing.
class Input final : public InputDevice {
 public:
  explicit Input(int device) : device_(device) {}
  ~Input() override;
  DeviceResult Open(const WaveFormat& format, bool queryOnly) override;
  bool IsOpen() const override { return stream_ != nullptr; }
  DeviceResult AddBuffer(WaveBlock& b) override;
  DeviceResult Start() override;
  DeviceResult Stop() override;
  uint64_t PositionFrames() override { return framesRecorded_.load(); }
  DeviceResult Reset() override;
  DeviceResult Close() override;
  bool HasFailed() override;

 private:
  void ReadLoop();

  int device_;
  PaStream* stream_ = nullptr;
  std::mutex lock_;
  std::condition_variable wake_;
  BlockFiller filler_;
  uint32_t frameBytes_ = 1;
  std::thread reader_;
  bool quit_ = false;
  std::atomic<bool> failed_{false};
  std::atomic<uint64_t> framesRecorded_{0};
  // When the reader last got frames, or started waiting for them (steady clock, ns).
  std::atomic<int64_t> lastProgressNs_{0};
};

}  // namespace tarkel::audio::pa
