#pragma once
// The effect dialogs' preview through the audio transport: the processed copy plays as a preview
// block, the speed dialog's trial plays the whole document, and the end of a playback started
// here (message 1034) ends the dialog's preview.
#include "audio/TransportMessages.h"
#include "dialogs/PreviewPlayer.h"

namespace tarkel::audio {
class AudioTransport;
}

namespace tarkel::app {

class TransportPreviewPlayer final : public PreviewPlayer, private audio::TransportListener {
 public:
  explicit TransportPreviewPlayer(audio::AudioTransport& transport);
  ~TransportPreviewPlayer() override;

  bool PlayImage(CTarkelDoc& doc, const WaveImage& image, uint32_t bytes) override;
  bool PlayDocument(CTarkelDoc& doc) override;
  void Stop() override;

 private:
  void OnTransportMessage(int message) override;
  bool Started(bool ok);

  audio::AudioTransport& transport_;
  bool playing_ = false;
};

}  // namespace tarkel::app
