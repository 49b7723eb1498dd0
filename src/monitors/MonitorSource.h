#pragma once
// What the monitor windows read from the rest of the program: the sound that plays or records
// now with its current frame, and the left and right volume of the selected output device. The
// audio engine implements both; tests supply fakes.
#include <cstdint>

namespace tarkel {

class WaveAudio;

class MonitorSource {
 public:
  virtual ~MonitorSource() = default;
  // The sound of the transport document while it plays or records; null otherwise.
  virtual const WaveAudio* TransportSound() const = 0;
  // The current play frame while playing, the current record frame while recording.
  virtual uint32_t TransportFrame() const = 0;
};

class OutputVolume {
 public:
  virtual ~OutputVolume() = default;
  // The selected output device's volume words, 0 .. 65535 (left is the low word, right the high
  // word of the device's volume); setting one keeps the other.
  virtual uint16_t LeftVolume() const = 0;
  virtual uint16_t RightVolume() const = 0;
  virtual void SetLeftVolume(uint16_t volume) = 0;
  virtual void SetRightVolume(uint16_t volume) = 0;
};

}  // namespace tarkel
