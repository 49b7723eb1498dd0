#include "app/TransportRegionPlayer.h"

#include "audio/AudioTransport.h"

namespace tarkel::app {

bool TransportRegionPlayer::PlayScript(const std::vector<PlayPiece>& script) {
  std::vector<audio::AudioTransport::ScriptPiece> pieces;
  pieces.reserve(script.size());
  // A piece names its last frame; the transport takes the frame after it.
  for (const PlayPiece& piece : script) pieces.push_back({piece.document, piece.first, piece.last + 1, piece.repeats});
  return transport_.PlayScript(pieces);
}

void TransportRegionPlayer::Stop() { transport_.Stop(nullptr); }

std::optional<PlayPosition> TransportRegionPlayer::Position() {
  const DocWaveAudio* heard = transport_.Playback().Wave();
  if (!transport_.Playing() || !heard) return std::nullopt;
  return PlayPosition{heard, transport_.CurrentTransportFrame()};
}

}  // namespace tarkel::app
