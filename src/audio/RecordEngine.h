#pragma once
// The one input stream of the program. A recording fills a frame range of a sound in place:
// the range is cut into blocks that point into the sound's memory, two of them are always with
// the device, and the poll (from the main window's timer) frees the filled ones and queues the
// next. A stop keeps whatever the device has written so far.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

#include "audio/AudioSettings.h"
#include "audio/WaveDevice.h"

namespace tarkel {
class DocWaveAudio;
}

namespace tarkel::audio {

class RecordEngine {
 public:
  struct Hooks {
    std::function<void(int)> post;               // transport messages
    std::function<void()> stopPlayback;          // a recording stops any playback first
    std::function<bool(const char*)> confirm;    // the preparation question; true for OK
  };
  RecordEngine(DeviceSystem& devices, const AudioSettings& settings, Hooks hooks);
  ~RecordEngine();
  RecordEngine(const RecordEngine&) = delete;
  RecordEngine& operator=(const RecordEngine&) = delete;

  // Records into frames a up to, not including, b of the sound from its record device.
  bool Record(DocWaveAudio& wave, uint32_t a, uint32_t b);
  // Frees the filled blocks and queues the next; true when the recording has just ended (the
  // range is full, or the device stopped working: what arrived is kept).
  bool Poll();
  // Stops, keeping what was recorded; the rest of the range stays as it was.
  void Stop();

  bool Recording() const { return recording_; }
  DocWaveAudio* Wave() const { return wave_; }
  // The frame being recorded now; 0 when nothing records.
  uint32_t CurrentRecordFrame();
  // True when the last recording ended because the device stopped working.
  bool LastRecordingFailed() const { return failed_; }
  size_t BlockCount() const { return blocks_.size(); }

 private:
  void BuildRecordBlocks(uint8_t* data, uint32_t bytes);
  bool QueueRecordBlock();
  bool KeepTwoQueued();
  void Release();

  DeviceSystem& devices_;
  const AudioSettings& settings_;
  Hooks hooks_;
  std::unique_ptr<InputDevice> device_;
  std::deque<std::unique_ptr<WaveBlock>> blocks_;
  DocWaveAudio* wave_ = nullptr;
  uint32_t rangeStart_ = 0;
  uint32_t rangeEnd_ = 0;
  bool recording_ = false;
  bool failed_ = false;
};

}  // namespace tarkel::audio
