#pragma once
// The region manager's play script through the audio transport: every region with its repeats,
// one after another; regions in the format the device plays follow each other without a gap,
// of whichever document. A stop command ends the whole script.
#include <vector>

#include "regions/RegionPlayer.h"

namespace tarkel::audio {
class AudioTransport;
}

namespace tarkel::app {

class TransportRegionPlayer final : public RegionPlayer {
 public:
  explicit TransportRegionPlayer(audio::AudioTransport& transport) : transport_(transport) {}

  bool PlayScript(const std::vector<PlayPiece>& script) override;
  void Stop() override;
  std::optional<PlayPosition> Position() override;

 private:
  audio::AudioTransport& transport_;
};

}  // namespace tarkel::app
