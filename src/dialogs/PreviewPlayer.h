#pragma once
// What an effect dialog needs from the playback engine to preview: play a wave image (the
// processed copy of the selection) or the document's own sound, stop, and tell the dialog when
// playback has ended. The audio engine implements it; the tests supply a recording fake.
#include <cstdint>
#include <functional>

namespace tarkel {

class CTarkelDoc;
class WaveImage;

class PreviewPlayer {
 public:
  virtual ~PreviewPlayer() = default;
  // Plays `bytes` bytes of the image's samples from their start. False when playback could not
  // start (the player shows its own message).
  virtual bool PlayImage(CTarkelDoc& doc, const WaveImage& image, uint32_t bytes) = 0;
  // Plays the whole sound of `doc` (the speed dialog's preview at a trial rate).
  virtual bool PlayDocument(CTarkelDoc& doc) = 0;
  // Stops whatever playback is running (nothing happens when none is); the end callback then
  // runs as for a natural end. A dialog calls it when it closes, as closing stops playback.
  virtual void Stop() = 0;
  // Called once whenever a playback started here ends or is stopped (message 1034), on the
  // user-interface thread.
  void SetEndCallback(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }

 protected:
  // The engine calls this when playback has ended.
  void NotifyEnded() {
    if (onEnd_) onEnd_();
  }

 private:
  std::function<void()> onEnd_;
};

}  // namespace tarkel
