#pragma once
// The one output stream of the program. A request (a frame range of a sound, or a separate
// block of bytes in the sound's format) becomes a group of blocks that point into the sound's
// memory; the whole group goes to the device at once, and a request made while another one
// plays goes to the device right behind it, so it starts the moment the previous one is done
// (waiting for the timer's poll would leave up to two timer periods of silence between them).
// Requests of several sounds may stand in the list when they share the device's format (a play
// script). The poll, called from the main window's timer, is the only place that frees blocks.
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

class PlaybackEngine {
 public:
  // `post` receives the transport messages (wm::), `settings` is read at every request.
  PlaybackEngine(DeviceSystem& devices, const AudioSettings& settings, std::function<void(int)> post);
  ~PlaybackEngine();
  PlaybackEngine(const PlaybackEngine&) = delete;
  PlaybackEngine& operator=(const PlaybackEngine&) = delete;

  // Plays frames start up to, not including, end of the sound on its play device. start >= end
  // plays the whole sound; end is limited to the length. False (with the device's message
  // shown) when nothing could be played.
  bool Play(DocWaveAudio& wave, uint32_t start, uint32_t end);
  // Plays `bytes` bytes at `data` (in the sound's format, e.g. a preview or the clipboard's
  // data), which must stay where they are until the play has ended.
  bool PlayExternal(DocWaveAudio& wave, const uint8_t* data, uint32_t bytes);
  // Like Play, but queues behind whatever is queued even when that is another sound: false, with
  // nothing queued or stopped, when the device plays a format other than `wave`'s.
  bool PlayAfter(DocWaveAudio& wave, uint32_t start, uint32_t end);
  // Whether PlayAfter can queue `wave` now (idle, or the open device plays its format).
  bool TakesFormat(const DocWaveAudio& wave) const;

  // Between HoldStart and ReleaseStart queued requests go to the device but it does not start:
  // a caller that queues several requests at once lets them all in before the first is heard
  // (a device faster than real time would otherwise play silence between them). Holds nest.
  // ReleaseStart is false when the device failed to start (the play has ended then).
  void HoldStart() { ++startHolds_; }
  bool ReleaseStart();

  // Frees the blocks the device is done with (and forgets the requests they made up). True when
  // playback has just ended (the last block was done, or the device stopped working).
  bool PollPlayback();
  // Stops at once; false when the device refused to stop (the state is kept then).
  bool Stop();
  void PauseResume();

  bool Busy() const { return busy_; }
  bool Paused() const { return paused_; }
  // The sound of the request heard now (the first one not yet done); null when idle.
  DocWaveAudio* Wave() const { return requests_.empty() ? nullptr : requests_.front().wave; }
  // Whether any queued request plays from `wave`'s memory.
  bool Holds(const DocWaveAudio& wave) const;
  // The frame of the sound heard now: inside the range of the request being played (wrapping
  // while it repeats); 0 when nothing plays.
  uint32_t CurrentPlayFrame();
  // Set by a stop, cleared by the caller (the per-document poll frees the preview then).
  bool TakeFinishedByStop();
  // True when the last play ended because the device stopped working.
  bool LastPlayFailed() const { return failed_; }
  // Blocks still held (queued or waiting).
  size_t BlockCount() const { return blocks_.size(); }

 private:
  struct Request {
    int32_t id = 0;
    DocWaveAudio* wave = nullptr;
    bool external = false;
    uint32_t start = 0;   // first frame (an external block: the frame it stands beside)
    uint32_t frames = 0;
    uint32_t loops = 1;
    uint64_t positionBase = 0;  // device position at which this request began
    bool written = false;
  };

  bool OpenForQuery(DocWaveAudio& wave);
  bool QueueRange(DocWaveAudio& wave, uint32_t start, uint32_t end);
  bool HoldsOnly(const DocWaveAudio& wave) const;
  bool Queue(DocWaveAudio& wave, Request request, const uint8_t* data, uint32_t bytes);
  void BuildPlayBlocks(const uint8_t* data, uint32_t bytes, int32_t user, uint32_t loops);
  bool WritePlayBlocks();
  void RetireDoneRequests();
  void CloseAndForget();
  void Finish();

  DeviceSystem& devices_;
  const AudioSettings& settings_;
  std::function<void(int)> post_;
  std::unique_ptr<OutputDevice> device_;
  std::deque<std::unique_ptr<WaveBlock>> blocks_;
  std::deque<Request> requests_;
  WaveFormat format_;  // what the device was opened for
  int32_t nextRequestId_ = 1;
  uint64_t playedBefore_ = 0;  // frames of the requests already finished since the device opened
  uint32_t lastDocumentEnd_ = 0;
  int startHolds_ = 0;
  bool busy_ = false;
  bool paused_ = false;
  bool finishedByStop_ = false;
  bool failed_ = false;
};

}  // namespace tarkel::audio
