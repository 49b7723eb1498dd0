#pragma once
// How regions follow their sound when it changes length.
//
// The document reports each cut, delete, trim, paste, move and effect with a notice (start frame,
// end frame, restore flag); the sound's length before and after tells what happened:
//   - restore 0: end - start frames were inserted before frame `start` (paste);
//   - restore 1 and the sound did not get shorter: frames changed in place (effects, a move,
//     a delete in one channel of a stereo sound): regions stay where they are;
//   - restore 1 and the sound got k frames shorter: a trim kept only start..end when the
//     document's undo record says so (without a record: when the new length is that range's),
//     otherwise the k frames from `start` on were removed (cut, delete).
// A region behind an insertion or removal moves by its length; a region that an insertion falls
// into grows by it; a region that a removal cuts through loses the removed frames, and one that
// lies wholly inside the removed or trimmed-away frames is dropped. Changes the document does
// not report (insert silence, speed, change length, undo) leave regions where they are.
#include <cstdint>
#include <optional>

#include "document/DocumentObserver.h"
#include "document/UndoStore.h"

namespace tarkel {

struct FrameChange {
  enum class Kind { None, Inserted, Removed, Kept };
  Kind kind = Kind::None;
  uint32_t first = 0;  // Inserted: before this frame; Removed, Kept: the first frame of the range
  uint32_t count = 0;  // frames inserted, removed or kept
};

// What the notice means for a sound of `framesBefore` frames that now has `framesAfter`;
// `undoKind` is the kind of the document's undo record for this change, if it took one.
FrameChange ClassifyChange(const RegionNotice& notice, uint32_t framesBefore, uint32_t framesAfter,
                           std::optional<UndoKind> undoKind);

// Moves the inclusive range start..end as `change` says. False when nothing of it is left.
bool FollowChange(const FrameChange& change, uint32_t& start, uint32_t& end);

}  // namespace tarkel
