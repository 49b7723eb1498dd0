#pragma once
// Which region of a running play script is being heard, so that the region list can mark it.
// The player only tells the sound and the frame it plays; the follower walks the script with it,
// forward only: it stays on a piece while the frame lies inside it and moves on to the first later
// piece that holds the frame (two pieces of one sound may overlap, and a piece's repeats wrap
// the frame back to its start, so the search never goes backwards).
#include <optional>
#include <vector>

#include "regions/RegionPlayer.h"

namespace tarkel {

class ScriptFollower {
 public:
  // A script has started: its first piece is heard.
  void Start(std::vector<PlayPiece> script);
  void Stop();
  // The region heard at `position` (the player's answer), by its place in the list; -1 when
  // the script has ended (no position) or none runs.
  int Update(const std::optional<PlayPosition>& position);
  bool Running() const { return !script_.empty(); }

 private:
  std::vector<PlayPiece> script_;
  size_t current_ = 0;
};

}  // namespace tarkel
