#pragma once
// Scripted devices for tests of the engines and of whatever drives them: the test decides how
// many devices there are, what they take and when they fail, and moves time forward by telling
// the output how many frames it has played or the input how many frames arrived.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/BlockStream.h"
#include "audio/WaveDevice.h"

namespace tarkel::audio {

struct FakeScript {
  uint32_t outputs = 1;
  uint32_t inputs = 1;
  uint32_t formats = 0xFFF;           // fmt:: bits every device reports...
  std::vector<uint32_t> outputFormats;  // ...unless given here for output n
  bool refuseFormat = false;          // Open answers BadFormat
  int failPrepareAt = -1;             // the n-th Prepare (0-based, over the run) fails
  bool failReset = false;
};

class FakeDeviceSystem;

class FakeOutput final : public OutputDevice {
 public:
  FakeOutput(FakeDeviceSystem& system, DeviceNumber n) : system_(system), number_(n) {}
  ~FakeOutput() override;
  DeviceResult Open(const WaveFormat& format, bool queryOnly) override;
  bool IsOpen() const override { return open_; }
  DeviceResult Prepare(WaveBlock& b) override;
  DeviceResult Write(WaveBlock& b) override;
  uint64_t PositionFrames() override { return player_.FramesPlayed(); }
  DeviceResult Pause() override;
  DeviceResult Restart() override;
  DeviceResult Reset() override;
  DeviceResult Close() override;
  bool HasFailed() override;

  // Plays `frames` frames: their bytes (silence when nothing is queued) go to the system's record.
  void Advance(uint32_t frames);
  DeviceNumber Number() const { return number_; }
  bool IsPaused() const { return paused_; }

 private:
  FakeDeviceSystem& system_;
  DeviceNumber number_;
  BlockPlayer player_;
  uint32_t frameBytes_ = 1;
  bool open_ = false;
  bool paused_ = false;
};

class FakeInput final : public InputDevice {
 public:
  FakeInput(FakeDeviceSystem& system, DeviceNumber n) : system_(system), number_(n) {}
  ~FakeInput() override;
  DeviceResult Open(const WaveFormat& format, bool queryOnly) override;
  bool IsOpen() const override { return open_; }
  DeviceResult Prepare(WaveBlock& b) override;
  DeviceResult AddBuffer(WaveBlock& b) override;
  DeviceResult Start() override;
  DeviceResult Stop() override;
  uint64_t PositionFrames() override { return filler_.FramesRecorded(); }
  DeviceResult Reset() override;
  DeviceResult Close() override;
  bool HasFailed() override;

  // `bytes` arrive; what finds no queued block is lost, as on a real device. Returns the bytes kept.
  size_t Deliver(const std::vector<uint8_t>& bytes);
  DeviceNumber Number() const { return number_; }
  bool Started() const { return started_; }

 private:
  FakeDeviceSystem& system_;
  DeviceNumber number_;
  BlockFiller filler_;
  bool open_ = false;
  bool started_ = false;
};

class FakeDeviceSystem final : public DeviceSystem {
 public:
  explicit FakeDeviceSystem(FakeScript script = {}) : script(script) {}

  uint32_t OutputCount() override { return script.outputs; }
  uint32_t InputCount() override { return script.inputs; }
  DeviceCaps OutputCaps(DeviceNumber n) override;
  DeviceCaps InputCaps(DeviceNumber n) override;
  std::unique_ptr<OutputDevice> MakeOutput(DeviceNumber n) override;
  std::unique_ptr<InputDevice> MakeInput(DeviceNumber n) override;
  uint32_t OutputVolume(DeviceNumber n) override;
  void SetOutputVolume(DeviceNumber n, uint32_t volume) override;

  FakeScript script;
  // The devices now in existence (null when none).
  FakeOutput* output = nullptr;
  FakeInput* input = nullptr;
  // Every byte the outputs have played, silence included.
  std::vector<uint8_t> played;
  // Bytes taken from blocks only.
  std::vector<uint8_t> playedFromBlocks;
  int opens = 0;             // real opens (not queries)
  int queries = 0;
  int prepares = 0;
  int writes = 0;
  bool vanished = false;     // every device reports a failure from now on
  std::vector<uint32_t> volumes;
};

}  // namespace tarkel::audio
