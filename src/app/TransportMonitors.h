#pragma once
// The monitor windows' view of the audio transport: the sound of the playing or recording
// document with its current frame, and the volume of the chosen output device. Both read the
// program's transport at every call, so they work whenever it is registered.
#include "monitors/MonitorSource.h"

namespace tarkel::app {

class TransportMonitorSource final : public MonitorSource {
 public:
  const WaveAudio* TransportSound() const override;
  uint32_t TransportFrame() const override;
};

class TransportOutputVolume final : public OutputVolume {
 public:
  uint16_t LeftVolume() const override { return Get(false); }
  uint16_t RightVolume() const override { return Get(true); }
  void SetLeftVolume(uint16_t volume) override { Set(false, volume); }
  void SetRightVolume(uint16_t volume) override { Set(true, volume); }

 private:
  uint16_t Get(bool right) const;
  void Set(bool right, uint16_t volume);
};

}  // namespace tarkel::app
