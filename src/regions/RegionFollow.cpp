#include "regions/RegionFollow.h"

#include <algorithm>

namespace tarkel {

FrameChange ClassifyChange(const RegionNotice& notice, uint32_t framesBefore, uint32_t framesAfter,
                           std::optional<UndoKind> undoKind) {
  using Kind = FrameChange::Kind;
  if (notice.end < notice.start) return {};
  const uint32_t rangeFrames = notice.end - notice.start + 1;
  if (notice.restore == 0) {
    const uint32_t inserted = notice.end - notice.start;
    if (inserted == 0 || framesAfter < framesBefore || framesAfter - framesBefore != inserted) return {};
    return {Kind::Inserted, notice.start, inserted};
  }
  if (framesAfter >= framesBefore) return {};
  const uint32_t removed = framesBefore - framesAfter;
  const bool trim = undoKind ? *undoKind == UndoKind::Trim : framesAfter == rangeFrames;
  if (trim && framesAfter == rangeFrames) return {Kind::Kept, notice.start, rangeFrames};
  if (removed <= rangeFrames && !(undoKind && *undoKind == UndoKind::Trim)) return {Kind::Removed, notice.start, removed};
  return {};
}

bool FollowChange(const FrameChange& change, uint32_t& start, uint32_t& end) {
  using Kind = FrameChange::Kind;
  const uint64_t first = change.first, count = change.count;
  uint64_t s = start, e = end;
  switch (change.kind) {
    case Kind::None: return true;
    case Kind::Inserted:
      if (s >= first) s += count;
      if (e >= first) e += count;
      break;
    case Kind::Removed: {
      const uint64_t last = first + count - 1;
      if (s >= first && e <= last) return false;
      if (s > last) s -= count;
      else if (s > first) s = first;
      if (e > last) e -= count;
      else if (e >= first) e = first - 1;  // s < first here
      break;
    }
    case Kind::Kept: {
      const uint64_t last = first + count - 1;
      if (e < first || s > last) return false;
      s = std::max(s, first) - first;
      e = std::min(e, last) - first;
      break;
    }
  }
  if (s > UINT32_MAX || e > UINT32_MAX) return false;
  start = uint32_t(s);
  end = uint32_t(e);
  return true;
}

}  // namespace tarkel
