#include "app/TransportPreviewPlayer.h"

#include "audio/AudioTransport.h"

namespace tarkel::app {

TransportPreviewPlayer::TransportPreviewPlayer(audio::AudioTransport& transport) : transport_(transport) {
  transport_.AddListener(this);
}

TransportPreviewPlayer::~TransportPreviewPlayer() { transport_.RemoveListener(this); }

bool TransportPreviewPlayer::Started(bool ok) {
  playing_ = ok;
  return ok;
}

// The dialogs always hand the whole image; the transport plays all of its data bytes.
bool TransportPreviewPlayer::PlayImage(CTarkelDoc& doc, const WaveImage& image, uint32_t) {
  return Started(transport_.PlayPreviewBlock(doc, image));
}

bool TransportPreviewPlayer::PlayDocument(CTarkelDoc& doc) { return Started(transport_.PlayAll(doc)); }

void TransportPreviewPlayer::Stop() { transport_.Stop(nullptr); }

void TransportPreviewPlayer::OnTransportMessage(int message) {
  if (message != audio::wm::kPlayStopped || !playing_) return;
  playing_ = false;
  NotifyEnded();
}

}  // namespace tarkel::app
