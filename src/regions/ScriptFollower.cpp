#include "regions/ScriptFollower.h"

#include "document/CTarkelDoc.h"

namespace tarkel {
namespace {

// A piece plays its frames first..last; the position may read one past the last while the
// device finishes it.
bool Holds(const PlayPiece& piece, const PlayPosition& position) {
  return piece.document && &piece.document->Sound() == position.sound && position.frame >= piece.first &&
         position.frame <= piece.last + 1;
}

}  // namespace

void ScriptFollower::Start(std::vector<PlayPiece> script) {
  script_ = std::move(script);
  current_ = 0;
}

void ScriptFollower::Stop() {
  script_.clear();
  current_ = 0;
}

int ScriptFollower::Update(const std::optional<PlayPosition>& position) {
  if (script_.empty()) return -1;
  if (!position) {
    Stop();
    return -1;
  }
  if (position->sound && !Holds(script_[current_], *position)) {
    for (size_t next = current_ + 1; next < script_.size(); ++next) {
      if (Holds(script_[next], *position)) {
        current_ = next;
        break;
      }
    }
  }
  return int(script_[current_].region);
}

}  // namespace tarkel
