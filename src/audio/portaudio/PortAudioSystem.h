#pragma once
// The sound devices of the machine through PortAudio's ALSA host API. Output and input numbers
// 0 .. N - 1 are the ALSA devices PortAudio lists; number N is ALSA's default device. PortAudio
// is started on first use (quietly) and stopped when the object goes away.
#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "audio/WaveDevice.h"

namespace tarkel::audio {

class PortAudioSystem final : public DeviceSystem {
 public:
  PortAudioSystem();
  ~PortAudioSystem() override;
  PortAudioSystem(const PortAudioSystem&) = delete;
  PortAudioSystem& operator=(const PortAudioSystem&) = delete;

  // False when PortAudio could not be started (no device is then listed).
  bool Available();

  uint32_t OutputCount() override;
  uint32_t InputCount() override;
  DeviceCaps OutputCaps(DeviceNumber n) override;
  DeviceCaps InputCaps(DeviceNumber n) override;
  std::string OutputName(DeviceNumber n) override;
  std::string InputName(DeviceNumber n) override;
  std::unique_ptr<OutputDevice> MakeOutput(DeviceNumber n) override;
  std::unique_ptr<InputDevice> MakeInput(DeviceNumber n) override;
  uint32_t OutputVolume(DeviceNumber n) override;
  void SetOutputVolume(DeviceNumber n, uint32_t volume) override;

 private:
  bool Start();
  // PortAudio's index of output or input number `n`; -1 when there is none.
  int OutputIndex(DeviceNumber n);
  int InputIndex(DeviceNumber n);
  std::atomic<uint32_t>& VolumeOf(DeviceNumber n);

  bool started_ = false;
  bool available_ = false;
  std::vector<int> outputs_;  // PortAudio device indexes of the ALSA outputs
  std::vector<int> inputs_;
  int defaultOutput_ = -1;
  int defaultInput_ = -1;
  std::array<std::atomic<uint32_t>, 32> volumes_;
};

}  // namespace tarkel::audio
