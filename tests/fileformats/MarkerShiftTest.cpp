// Positions kept from a file through changes of length and rate: cue points with and without
// regions, their labels, sampler loops.
#include <gtest/gtest.h>

#include <cstring>

#include "CraftedFiles.h"
#include "sound/Bytes.h"
#include "fileformats/MarkerShift.h"

namespace tarkel::test {
namespace {

KeptChunk Kept(const char* id, const ByteString& bytes) {
  KeptChunk c;
  std::memcpy(c.id.data(), id, 4);
  c.bytes = bytes;
  return c;
}

// Cue points at the given frames (ids 1, 2, ...), a region of `length` on the last one, a loop.
FileChunks Markers(std::vector<uint32_t> frames, uint32_t length, uint32_t loopStart, uint32_t loopEnd) {
  ByteString cue = Le32(uint32_t(frames.size())), adtl = Text("adtl");
  for (uint32_t i = 0; i < frames.size(); ++i) {
    cue = Cat({cue, Le32(i + 1), Le32(frames[i]), Text("data"), Le32(0), Le32(0), Le32(frames[i])});
    adtl = Cat({adtl, Chunk("labl", Cat({Le32(i + 1), Text("m"), ByteString{0}}))});
  }
  adtl = Cat({adtl, Chunk("ltxt", Cat({Le32(uint32_t(frames.size())), Le32(length), ByteString(12, 0)}))});
  const ByteString smpl = Cat({ByteString(28, 0), Le32(1), Le32(0), Le32(9), Le32(0), Le32(loopStart), Le32(loopEnd), Le32(0), Le32(0)});
  FileChunks kept;
  kept.chunks = {Kept("cue ", cue), Kept("LIST", adtl), Kept("smpl", smpl)};
  return kept;
}

std::vector<uint32_t> CueFrames(const FileChunks& kept) {
  std::vector<uint32_t> frames;
  const ByteString& cue = kept.chunks[0].bytes;
  for (uint32_t i = 0; i < GetLE32(cue.data()); ++i) frames.push_back(GetLE32(&cue[4 + 24 * i + 20]));
  return frames;
}
uint32_t RegionLength(const FileChunks& kept) {
  const ByteString& adtl = kept.chunks[1].bytes;
  return GetLE32(&adtl[adtl.size() - 20 + 4]);
}
std::pair<uint32_t, uint32_t> Loop(const FileChunks& kept) {
  return {GetLE32(&kept.chunks[2].bytes[44]), GetLE32(&kept.chunks[2].bytes[48])};
}

TEST(MarkerShift, InsertionInsideARegionOrLoopLengthensIt) {
  FileChunks kept = Markers({10, 500}, 100, 400, 600);
  ApplySplice(kept, {550, 0, 30});
  EXPECT_EQ(CueFrames(kept), (std::vector<uint32_t>{10, 500}));
  EXPECT_EQ(RegionLength(kept), 130u);
  EXPECT_EQ(Loop(kept), std::make_pair(400u, 630u));
  // At a marker's own frame the marker moves with what follows it.
  ApplySplice(kept, {10, 0, 5});
  EXPECT_EQ(CueFrames(kept), (std::vector<uint32_t>{15, 505}));
}

TEST(MarkerShift, ACutDropsWhatItTouchesWithItsLabels) {
  FileChunks kept = Markers({10, 500}, 100, 400, 600);
  ApplySplice(kept, {590, 20, 0});  // into the region 500..599 and the loop
  EXPECT_EQ(CueFrames(kept), (std::vector<uint32_t>{10}));
  EXPECT_EQ(GetLE32(&kept.chunks[2].bytes[28]), 0u);
  const std::string adtl(kept.chunks[1].bytes.begin(), kept.chunks[1].bytes.end());
  EXPECT_EQ(adtl.find("ltxt"), std::string::npos);
  EXPECT_EQ(adtl.size(), 4u + 14u);  // "adtl" and the label of cue 1
  // A cut right after a region leaves it.
  kept = Markers({10, 500}, 100, 400, 600);
  ApplySplice(kept, {601, 50, 0});
  EXPECT_EQ(CueFrames(kept), (std::vector<uint32_t>{10, 500}));
  EXPECT_EQ(Loop(kept), std::make_pair(400u, 600u));
}

TEST(MarkerShift, ANewRateScalesEveryPosition) {
  FileChunks kept = Markers({11025}, 2205, 22050, 44100);
  ScalePositions(kept, 22050, 44100);
  EXPECT_EQ(CueFrames(kept), (std::vector<uint32_t>{22050}));
  EXPECT_EQ(RegionLength(kept), 4410u);
  EXPECT_EQ(Loop(kept), std::make_pair(44100u, 88201u));  // 22051 frames become 44102
  EXPECT_EQ(GetLE32(&kept.chunks[2].bytes[8]), 1000000000u / 44100);  // the sample period follows
}

}  // namespace
}  // namespace tarkel::test
