#include "fileformats/MarkerShift.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "sound/Bytes.h"

namespace tarkel {
namespace {

constexpr size_t kCuePointSize = 24;
constexpr size_t kCuePositionField = 4;
constexpr size_t kCueSampleOffsetField = 20;
constexpr size_t kSmplHeaderSize = 36;
constexpr size_t kSmplPeriodField = 8;
constexpr size_t kSmplLoopCountField = 28;
constexpr size_t kSmplLoopSize = 24;
constexpr size_t kSmplLoopStartField = 8;
constexpr size_t kSmplLoopEndField = 12;
constexpr size_t kLtxtLengthField = 4;
constexpr uint64_t kNanosecondsPerSecond = 1000000000;

bool HasId(const KeptChunk& c, const char (&tag)[5]) { return std::memcmp(c.id.data(), tag, 4) == 0; }
bool IsAdtlList(const KeptChunk& c) { return HasId(c, "LIST") && c.bytes.size() >= 4 && HasTag(c.bytes.data(), "adtl"); }

// Visits the sub-chunks of a LIST/"adtl" chunk: (offset of the sub-chunk header, its id, size).
template <class Visit>
void ForEachAdtlEntry(const std::vector<uint8_t>& list, Visit&& visit) {
  size_t at = 4;
  while (at + 8 <= list.size()) {
    const uint32_t size = GetLE32(&list[at + 4]);
    const size_t held = std::min<size_t>(size, list.size() - at - 8);
    visit(at, &list[at], held);
    at += 8 + held + (held & 1u);
  }
}

// The lengths of the labelled regions ("ltxt") by cue point id.
std::map<uint32_t, uint32_t> RegionLengths(const FileChunks& kept) {
  std::map<uint32_t, uint32_t> lengths;
  for (const KeptChunk& c : kept.chunks) {
    if (!IsAdtlList(c)) continue;
    ForEachAdtlEntry(c.bytes, [&](size_t at, const uint8_t* id, size_t held) {
      if (HasTag(id, "ltxt") && held >= 8) lengths[GetLE32(&c.bytes[at + 8])] = GetLE32(&c.bytes[at + 8 + kLtxtLengthField]);
    });
  }
  return lengths;
}

// The range a cue point covers: its region, or the frame it marks.
FrameRange CueRange(uint32_t position, uint32_t regionLength) {
  const uint64_t last = uint64_t(position) + (regionLength ? regionLength - 1 : 0);
  return {position, uint32_t(std::min<uint64_t>(last, UINT32_MAX))};
}

// Rewrites a "cue " chunk; the ids of dropped points go to `dropped`, new region lengths to `lengths`.
void MapCuePoints(KeptChunk& cue, const RangeMap& map, std::map<uint32_t, uint32_t>& lengths,
                  std::set<uint32_t>& dropped) {
  if (cue.bytes.size() < 4) return;
  const size_t count = std::min<size_t>(GetLE32(cue.bytes.data()), (cue.bytes.size() - 4) / kCuePointSize);
  std::vector<uint8_t> out(cue.bytes.begin(), cue.bytes.begin() + 4);
  uint32_t kept = 0;
  for (size_t i = 0; i < count; ++i) {
    uint8_t point[kCuePointSize];
    std::memcpy(point, &cue.bytes[4 + i * kCuePointSize], kCuePointSize);
    const uint32_t id = GetLE32(point);
    const uint32_t offset = GetLE32(point + kCueSampleOffsetField);
    const auto length = lengths.find(id);
    const std::optional<FrameRange> moved = map(CueRange(offset, length == lengths.end() ? 0 : length->second));
    if (!moved) {
      dropped.insert(id);
      continue;
    }
    // The play-order position follows the sample offset where the file kept them equal.
    if (GetLE32(point + kCuePositionField) == offset) PutLE32(point + kCuePositionField, moved->first);
    PutLE32(point + kCueSampleOffsetField, moved->first);
    if (length != lengths.end() && length->second) length->second = moved->last - moved->first + 1;
    out.insert(out.end(), point, point + kCuePointSize);
    ++kept;
  }
  // Bytes after the points (a damaged count) stay as they were.
  out.insert(out.end(), cue.bytes.begin() + 4 + count * kCuePointSize, cue.bytes.end());
  PutLE32(out.data(), kept);
  cue.bytes = std::move(out);
}

// Drops the labels, notes and regions of dropped cue points and writes the new region lengths.
void MapAdtlList(KeptChunk& list, const std::map<uint32_t, uint32_t>& lengths, const std::set<uint32_t>& dropped) {
  std::vector<uint8_t> out(list.bytes.begin(), list.bytes.begin() + 4);
  ForEachAdtlEntry(list.bytes, [&](size_t at, const uint8_t* id, size_t held) {
    const bool refersToCue = held >= 4 && (HasTag(id, "labl") || HasTag(id, "note") || HasTag(id, "ltxt"));
    const uint32_t cueId = refersToCue ? GetLE32(&list.bytes[at + 8]) : 0;
    if (refersToCue && dropped.count(cueId)) return;
    const size_t start = out.size();
    const size_t end = std::min(list.bytes.size(), at + 8 + held + (held & 1u));
    out.insert(out.end(), list.bytes.begin() + at, list.bytes.begin() + end);
    if (HasTag(id, "ltxt") && held >= 8)
      if (const auto length = lengths.find(cueId); length != lengths.end())
        PutLE32(&out[start + 8 + kLtxtLengthField], length->second);
  });
  list.bytes = std::move(out);
}

// Rewrites the loops of a "smpl" chunk; a loop that was cut into is dropped.
void MapSamplerLoops(KeptChunk& smpl, const RangeMap& map) {
  if (smpl.bytes.size() < kSmplHeaderSize) return;
  const size_t count =
      std::min<size_t>(GetLE32(&smpl.bytes[kSmplLoopCountField]), (smpl.bytes.size() - kSmplHeaderSize) / kSmplLoopSize);
  std::vector<uint8_t> out(smpl.bytes.begin(), smpl.bytes.begin() + kSmplHeaderSize);
  uint32_t kept = 0;
  for (size_t i = 0; i < count; ++i) {
    uint8_t loop[kSmplLoopSize];
    std::memcpy(loop, &smpl.bytes[kSmplHeaderSize + i * kSmplLoopSize], kSmplLoopSize);
    const uint32_t start = GetLE32(loop + kSmplLoopStartField);
    const uint32_t end = std::max(start, GetLE32(loop + kSmplLoopEndField));
    const std::optional<FrameRange> moved = map({start, end});
    if (!moved) continue;
    PutLE32(loop + kSmplLoopStartField, moved->first);
    PutLE32(loop + kSmplLoopEndField, moved->last);
    out.insert(out.end(), loop, loop + kSmplLoopSize);
    ++kept;
  }
  out.insert(out.end(), smpl.bytes.begin() + kSmplHeaderSize + count * kSmplLoopSize, smpl.bytes.end());
  PutLE32(&out[kSmplLoopCountField], kept);
  smpl.bytes = std::move(out);
}

uint32_t AfterSplice(uint32_t frame, const FrameSplice& s) {
  if (frame < s.at) return frame;
  const uint64_t moved = uint64_t(frame) - s.removed + s.inserted;
  return uint32_t(std::min<uint64_t>(moved, UINT32_MAX));
}

}  // namespace

void MapPositions(FileChunks& kept, const RangeMap& map) {
  std::map<uint32_t, uint32_t> lengths = RegionLengths(kept);
  std::set<uint32_t> dropped;
  for (KeptChunk& c : kept.chunks) {
    if (HasId(c, "cue ")) MapCuePoints(c, map, lengths, dropped);
    if (HasId(c, "smpl")) MapSamplerLoops(c, map);
  }
  for (KeptChunk& c : kept.chunks)
    if (IsAdtlList(c)) MapAdtlList(c, lengths, dropped);
}

void ApplySplice(FileChunks& kept, const FrameSplice& s) {
  if (s.removed == 0 && s.inserted == 0) return;
  MapPositions(kept, [&s](FrameRange r) -> std::optional<FrameRange> {
    const bool cut = s.removed && r.first < uint64_t(s.at) + s.removed && r.last >= s.at;
    if (cut) return std::nullopt;
    return FrameRange{AfterSplice(r.first, s), AfterSplice(r.last, s)};
  });
}

void ScalePositions(FileChunks& kept, uint32_t oldRate, uint32_t newRate) {
  if (oldRate == 0 || newRate == 0 || oldRate == newRate) return;
  const auto scale = [&](uint32_t frame) {
    return uint32_t(std::min<uint64_t>(uint64_t(frame) * newRate / oldRate, UINT32_MAX));
  };
  // A range keeps its length in time: its end is scaled as the frame after it.
  MapPositions(kept, [&](FrameRange r) -> std::optional<FrameRange> {
    const uint32_t first = scale(r.first);
    const uint32_t afterLast = r.last == UINT32_MAX ? UINT32_MAX : scale(r.last + 1);
    return FrameRange{first, std::max(first, afterLast == 0 ? 0 : afterLast - 1)};
  });
  for (KeptChunk& c : kept.chunks)
    if (HasId(c, "smpl") && c.bytes.size() >= kSmplHeaderSize)
      PutLE32(&c.bytes[kSmplPeriodField], uint32_t(kNanosecondsPerSecond / newRate));
}

FileChunks ChunksForPart(const FileChunks& kept, uint32_t first, uint32_t end, uint32_t total) {
  FileChunks part = kept;
  if (end < total) ApplySplice(part, {end, total - end, 0});
  if (first > 0) ApplySplice(part, {0, first, 0});
  return part;
}

}  // namespace tarkel
