#include "app/TransportRegionPlayer.h"

#include "audio/AudioTransport.h"

namespace tarkel::app {

TransportRegionPlayer::TransportRegionPlayer(audio::AudioTransport& transport) : transport_(transport) {
  transport_.AddListener(this);
}

TransportRegionPlayer::~TransportRegionPlayer() { transport_.RemoveListener(this); }

bool TransportRegionPlayer::PlayScript(const std::vector<PlayPiece>& script) {
  Stop();
  script_ = script;
  next_ = 0;
  return PlayNextRun();
}

void TransportRegionPlayer::Stop() {
  script_.clear();
  next_ = 0;
  transport_.Stop(nullptr);
}

bool TransportRegionPlayer::PlayNextRun() {
  while (next_ < script_.size()) {
    CTarkelDoc* doc = script_[next_].document;
    std::vector<audio::AudioTransport::LoopedRange> run;
    for (; next_ < script_.size() && script_[next_].document == doc; ++next_) {
      const PlayPiece& piece = script_[next_];
      // A piece names its last frame; the transport takes the frame after it.
      run.push_back({piece.first, piece.last + 1, piece.repeats});
    }
    playing_ = true;
    if (doc && transport_.PlayRanges(*doc, run)) return true;
    playing_ = false;
  }
  script_.clear();
  return false;
}

void TransportRegionPlayer::OnTransportMessage(int message) {
  if (message != audio::wm::kPlayStopped || !playing_) return;
  playing_ = false;
  if (transport_.LastPlayRanOut() && next_ < script_.size()) {
    PlayNextRun();
  } else {
    script_.clear();
  }
}

}  // namespace tarkel::app
