#pragma once
// Wave output and input devices as the playback and recording engines see them: a device is
// opened for one format (or only asked whether it takes it), blocks of sample bytes are prepared
// and queued, the device sets each block's done flag when it has played or filled it, and the
// position is counted in frames. Blocks point into the document's own memory; a device never
// copies them on the caller's thread and never frees them.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "sound/WaveFormat.h"

namespace tarkel::audio {

// Flags of a block descriptor.
namespace block {
inline constexpr uint32_t kDone = 1;       // set by the device
inline constexpr uint32_t kPrepared = 2;   // set by Prepare
inline constexpr uint32_t kBeginLoop = 4;  // first block of a repeated group
inline constexpr uint32_t kEndLoop = 8;    // last block of a repeated group
}  // namespace block

// One block of sample bytes handed to a device. The device thread only reads `data`, `bytes`,
// `loops` and the loop flags, and only sets the done flag and `recorded`.
struct WaveBlock {
  uint8_t* data = nullptr;
  uint32_t bytes = 0;
  int32_t user = 0;     // what the queueing code wants to remember (the request it belongs to)
  uint32_t loops = 1;   // repetitions of the group this block begins
  uint32_t flags = 0;   // kPrepared, kBeginLoop, kEndLoop (owned by the queueing thread)
  std::atomic<bool> done{false};
  std::atomic<uint32_t> recorded{0};  // bytes a recording put into the block

  bool IsDone() const { return done.load(std::memory_order_acquire); }
  bool IsPrepared() const { return (flags & block::kPrepared) != 0; }
};

enum class DeviceResult {
  Ok,
  BadFormat,         // the device does not take this format
  Allocated,         // the device is in use
  NoDevice,          // no such device (or none at all)
  Failed,            // any other failure
};

// A device number of the device lists: 0 .. count - 1 are the devices, `count` is the system's
// default device (the wave mapper); any larger number opens the default device too.
using DeviceNumber = uint32_t;

// The twelve standard formats a device may take (8/16 bit, mono/stereo, 11/22/44 kHz).
namespace fmt {
inline constexpr uint32_t k1M08 = 0x1, k1S08 = 0x2, k1M16 = 0x4, k1S16 = 0x8;
inline constexpr uint32_t k2M08 = 0x10, k2S08 = 0x20, k2M16 = 0x40, k2S16 = 0x80;
inline constexpr uint32_t k4M08 = 0x100, k4S08 = 0x200, k4M16 = 0x400, k4S16 = 0x800;
}  // namespace fmt

// Playback features of an output device.
namespace feature {
inline constexpr uint32_t kPitch = 0x1;
inline constexpr uint32_t kPlaybackRate = 0x2;
inline constexpr uint32_t kVolume = 0x4;
inline constexpr uint32_t kLeftRightVolume = 0x8;
}  // namespace feature

struct DeviceCaps {
  std::string name;
  uint32_t formats = 0;   // fmt:: bits
  uint32_t features = 0;  // feature:: bits (output devices)
};

// What preparing a block means to every device: it is marked prepared, not done and empty.
inline DeviceResult PrepareBlock(WaveBlock& b) {
  b.flags |= block::kPrepared;
  b.done.store(false);
  b.recorded.store(0);
  return DeviceResult::Ok;
}
inline DeviceResult UnprepareBlock(WaveBlock& b) {
  b.flags &= ~block::kPrepared;
  return DeviceResult::Ok;
}

class OutputDevice {
 public:
  virtual ~OutputDevice() = default;
  // Opens the device for `format`; with `queryOnly` only asks whether the format is taken and
  // leaves the device closed.
  virtual DeviceResult Open(const WaveFormat& format, bool queryOnly) = 0;
  virtual bool IsOpen() const = 0;
  virtual DeviceResult Prepare(WaveBlock& b) { return PrepareBlock(b); }
  virtual DeviceResult Unprepare(WaveBlock& b) { return UnprepareBlock(b); }
  // Queues a prepared block behind those already queued.
  virtual DeviceResult Write(WaveBlock& b) = 0;
  // Starts the output of the blocks written so far when it is not running yet (called after
  // the blocks of one request are written, so a fast device never runs dry between them).
  virtual DeviceResult Commit() { return DeviceResult::Ok; }
  // Frames played from queued blocks since the device was opened or reset.
  virtual uint64_t PositionFrames() = 0;
  virtual DeviceResult Pause() = 0;
  virtual DeviceResult Restart() = 0;
  // Stops at once, marks every queued block done and sets the position to 0.
  virtual DeviceResult Reset() = 0;
  virtual DeviceResult Close() = 0;
  // True when the device stopped working on its own (removed, sound server gone).
  virtual bool HasFailed() = 0;
  // True while frames of blocks already marked done are still on their way to the speaker
  // (the device's own buffer); the end of a play waits for it before the device is closed.
  virtual bool Draining() { return false; }
};

class InputDevice {
 public:
  virtual ~InputDevice() = default;
  virtual DeviceResult Open(const WaveFormat& format, bool queryOnly) = 0;
  virtual bool IsOpen() const = 0;
  virtual DeviceResult Prepare(WaveBlock& b) { return PrepareBlock(b); }
  virtual DeviceResult Unprepare(WaveBlock& b) { return UnprepareBlock(b); }
  // Queues an empty block to be filled; filled blocks are marked done in order.
  virtual DeviceResult AddBuffer(WaveBlock& b) = 0;
  virtual DeviceResult Start() = 0;
  virtual DeviceResult Stop() = 0;
  // Frames recorded since the device was opened or reset.
  virtual uint64_t PositionFrames() = 0;
  // Stops, marks every queued block done (keeping what it holds) and sets the position to 0.
  virtual DeviceResult Reset() = 0;
  virtual DeviceResult Close() = 0;
  virtual bool HasFailed() = 0;
};

// The devices of the system, numbered as above.
class DeviceSystem {
 public:
  virtual ~DeviceSystem() = default;
  virtual uint32_t OutputCount() = 0;
  virtual uint32_t InputCount() = 0;
  // Capabilities of output or input number `n` (n == count: the default device).
  virtual DeviceCaps OutputCaps(DeviceNumber n) = 0;
  virtual DeviceCaps InputCaps(DeviceNumber n) = 0;
  // Only the names (the capabilities may take a while to find out).
  virtual std::string OutputName(DeviceNumber n) { return OutputCaps(n).name; }
  virtual std::string InputName(DeviceNumber n) { return InputCaps(n).name; }
  // A device object for number `n`, not yet opened; null when there is no device at all.
  virtual std::unique_ptr<OutputDevice> MakeOutput(DeviceNumber n) = 0;
  virtual std::unique_ptr<InputDevice> MakeInput(DeviceNumber n) = 0;
  // Left/right volume of an output device: low word left, high word right, 0xFFFF full.
  virtual uint32_t OutputVolume(DeviceNumber n) = 0;
  virtual void SetOutputVolume(DeviceNumber n, uint32_t volume) = 0;
};

}  // namespace tarkel::audio
