#pragma once
// The region manager's play script through the audio transport: the pieces of one document
// queue behind each other on the output device, so they follow without a gap; a piece of
// another document starts when the previous run has played out (the next poll of the timer).
// A stop command ends the whole script.
#include <cstddef>
#include <vector>

#include "audio/TransportMessages.h"
#include "regions/RegionPlayer.h"

namespace tarkel::audio {
class AudioTransport;
}

namespace tarkel::app {

class TransportRegionPlayer final : public RegionPlayer, private audio::TransportListener {
 public:
  explicit TransportRegionPlayer(audio::AudioTransport& transport);
  ~TransportRegionPlayer() override;

  bool PlayScript(const std::vector<PlayPiece>& script) override;
  void Stop() override;

 private:
  void OnTransportMessage(int message) override;
  // Plays the next run of pieces of one document; false when none could start.
  bool PlayNextRun();

  audio::AudioTransport& transport_;
  std::vector<PlayPiece> script_;
  size_t next_ = 0;
  bool playing_ = false;
};

}  // namespace tarkel::app
