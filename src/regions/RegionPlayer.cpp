#include "regions/RegionPlayer.h"

#include <algorithm>

#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "sound/AppContext.h"
#include "regions/CWaveSelection.h"

namespace tarkel {

bool PieceOf(const CWaveSelection& region, uint32_t repeats, PlayPiece& piece) {
  if (!region.document || repeats == 0) return false;
  const uint32_t frames = region.document->Sound().Frames();
  if (frames == 0 || region.start > region.end || region.start >= frames) return false;
  piece = {region.document, region.start, std::min(region.end, frames - 1), repeats};
  return true;
}

std::vector<PlayPiece> SingleScript(const CWaveSelection& region) {
  PlayPiece piece;
  if (!PieceOf(region, 1, piece)) return {};
  return {piece};
}

std::vector<PlayPiece> FullScript(const std::vector<CWaveSelection>& regions) {
  std::vector<PlayPiece> script;
  for (size_t i = 0; i < regions.size(); ++i) {
    PlayPiece piece;
    if (!PieceOf(regions[i], regions[i].repeats, piece)) continue;
    piece.region = i;
    script.push_back(piece);
  }
  return script;
}

bool DocumentPlayCommandPlayer::PlayScript(const std::vector<PlayPiece>& script) {
  Stop();
  if (script.empty()) return false;
  const PlayPiece& piece = script.front();
  piece.document->Sound().SetRepeatCount(piece.repeats);
  return piece.document->PlayRange(piece.first, piece.last);
}

void DocumentPlayCommandPlayer::Stop() {
  CTarkelDoc* playing = App().playingDocument;
  if (playing && TheDocumentHooks().stopAudio) TheDocumentHooks().stopAudio(*playing);
}

}  // namespace tarkel
