#pragma once
// Keeping the positions that a file's chunks store in step with the sound: cue points
// ("cue "), their labelled regions (LIST/"adtl" "ltxt") and sampler loops ("smpl"). A change
// before a position moves it; a cut into the range a position points into drops it, together
// with the labels and notes of a dropped cue point.
#include <cstdint>
#include <functional>
#include <optional>

#include "sound/FileChunks.h"

namespace tarkel {

// A range of frames, both ends inclusive (a point is a range of one frame).
struct FrameRange {
  uint32_t first = 0;
  uint32_t last = 0;
};
// Where a range of the old sound stands in the new one; nullopt: it was cut.
using RangeMap = std::function<std::optional<FrameRange>(FrameRange)>;

// Rewrites every stored position through `map`.
void MapPositions(FileChunks& kept, const RangeMap& map);
// One change of length.
void ApplySplice(FileChunks& kept, const FrameSplice& splice);
// A new sampling rate: every position scaled by newRate / oldRate.
void ScalePositions(FileChunks& kept, uint32_t oldRate, uint32_t newRate);
// The chunks as a file holding only frames first up to, not including, end of a sound of
// `total` frames must have them.
FileChunks ChunksForPart(const FileChunks& kept, uint32_t first, uint32_t end, uint32_t total);

}  // namespace tarkel
