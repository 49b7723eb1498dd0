// Chunks the editor does not write itself survive open, edit and save in their places before
// and after the data; cue points, their labels and regions and sampler loops move with the
// edits before them and are dropped only when their range is cut. Checked on a hand-made file
// with every kind of chunk and on one that libsndfile writes, read back with libsndfile.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <cstring>
#include <string>

#include "cli/CliRunner.h"
#include "cli/SndfileReading.h"

namespace tarkel::test {
namespace {

using Bytes = std::vector<uint8_t>;

void Le32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void Le16(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
template <size_t N>
Bytes Literal(const char (&s)[N]) { return Bytes(s, s + N - 1); }  // zero bytes included
Bytes Chunk(const std::string& id, const Bytes& data) {
  Bytes c = Text(id);
  Le32(c, uint32_t(data.size()));
  c.insert(c.end(), data.begin(), data.end());
  if (data.size() & 1) c.push_back(0);
  return c;
}
uint32_t Get32(const Bytes& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

constexpr uint32_t kFrames = 1000;
const uint32_t kCues[][2] = {{1, 50}, {2, 300}, {3, 800}};  // id, frame
constexpr uint32_t kRegionLength = 100;                       // "ltxt" of cue 3
constexpr uint32_t kLoopStart = 600, kLoopEnd = 700;

Bytes CueChunk() {
  Bytes d;
  Le32(d, 3);
  for (const auto& c : kCues) {
    Le32(d, c[0]);
    Le32(d, c[1]);
    d.insert(d.end(), {'d', 'a', 't', 'a'});
    Le32(d, 0);
    Le32(d, 0);
    Le32(d, c[1]);
  }
  return Chunk("cue ", d);
}

Bytes AdtlList() {
  Bytes d = Text("adtl");
  for (const auto& c : kCues) {
    Bytes label;
    Le32(label, c[0]);
    const Bytes name = Text("mark" + std::to_string(c[0]) + std::string(1, '\0'));
    label.insert(label.end(), name.begin(), name.end());
    const Bytes sub = Chunk("labl", label);
    d.insert(d.end(), sub.begin(), sub.end());
  }
  Bytes ltxt;
  Le32(ltxt, 3);
  Le32(ltxt, kRegionLength);
  ltxt.insert(ltxt.end(), {'r', 'g', 'n', ' ', 0, 0, 0, 0, 0, 0, 0, 0});
  const Bytes sub = Chunk("ltxt", ltxt);
  d.insert(d.end(), sub.begin(), sub.end());
  return Chunk("LIST", d);
}

Bytes SmplChunk() {
  Bytes d;
  for (int i = 0; i < 7; ++i) Le32(d, i == 2 ? 62500 : 0);  // sample period of 16 kHz
  Le32(d, 1);                                                // one loop
  Le32(d, 0);
  Le32(d, 7);  // loop id
  Le32(d, 0);
  Le32(d, kLoopStart);
  Le32(d, kLoopEnd);
  Le32(d, 0);
  Le32(d, 0);
  return Chunk("smpl", d);
}

// A 16-bit mono sound at 16 kHz with metadata before "fmt ", between it and "data", and after.
Bytes MetadataFile() {
  Bytes fmt;
  Le16(fmt, 1);
  Le16(fmt, 1);
  Le32(fmt, 16000);
  Le32(fmt, 32000);
  Le16(fmt, 2);
  Le16(fmt, 16);
  Bytes samples;
  for (uint32_t i = 0; i < kFrames; ++i) Le16(samples, uint16_t(i * 13));
  Bytes body = Text("WAVE");
  for (const Bytes& c : {Chunk("bext", Bytes(602, 'b')), Chunk("fmt ", fmt), Chunk("LIST", Literal("INFOINAM\x05\0\0\0Song\0\0")),
                         CueChunk(), AdtlList(), SmplChunk(), Chunk("iXML", Text("<BWFXML/>")), Chunk("data", samples),
                         Chunk("id3 ", Literal("ID3\x03\0\0\0\0\0\0")), Chunk("abcd", Text("odd"))})
    body.insert(body.end(), c.begin(), c.end());
  Bytes file = Text("RIFF");
  Le32(file, uint32_t(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

std::vector<std::string> Ids(const std::vector<FileChunk>& chunks) {
  std::vector<std::string> ids;
  for (const FileChunk& c : chunks) ids.push_back(c.id);
  return ids;
}
const FileChunk* Find(const std::vector<FileChunk>& chunks, const std::string& id, const std::string& form = "") {
  for (const FileChunk& c : chunks)
    if (c.id == id && (form.empty() || (c.data.size() >= 4 && std::string(c.data.begin(), c.data.begin() + 4) == form)))
      return &c;
  return nullptr;
}

// The cue points of a "cue " chunk as id -> sample offset.
std::map<uint32_t, uint32_t> CuePoints(const FileChunk& cue) {
  std::map<uint32_t, uint32_t> points;
  for (uint32_t i = 0; i < Get32(cue.data, 0); ++i) points[Get32(cue.data, 4 + 24 * i)] = Get32(cue.data, 4 + 24 * i + 20);
  return points;
}

struct Saved {
  std::vector<FileChunk> chunks;
  std::string err;
  int status = -1;
};

Saved RunAndSave(const TempDir& dir, std::vector<std::string> steps) {
  const std::string in = (dir / "meta.wav").string(), out = (dir / "out.wav").string();
  WriteFileBytes(in, MetadataFile());
  steps.insert(steps.begin(), in);
  steps.insert(steps.end(), {"-o", out});
  const CliResult r = RunCli(steps);
  return {RiffChunksOf(ReadFileBytes(out)), r.err, r.status};
}

TEST(MetadataChunks, SurviveOpenAndSaveInTheirPlaces) {
  TempDir dir;
  const Saved s = RunAndSave(dir, {});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(Ids(s.chunks), (std::vector<std::string>{"fmt ", "fact", "bext", "LIST", "cue ", "LIST", "smpl", "iXML",
                                                      "data", "id3 ", "abcd"}));
  const auto original = RiffChunksOf(MetadataFile());
  for (const char* id : {"bext", "cue ", "smpl", "iXML", "id3 ", "abcd"}) EXPECT_EQ(Find(s.chunks, id)->data, Find(original, id)->data) << id;
  EXPECT_EQ(Find(s.chunks, "LIST", "adtl")->data, Find(original, "LIST", "adtl")->data);
  // libsndfile reads the result: the samples and the cue points.
  const SndfileSound sound = ReadWithSndfile((dir / "out.wav").string());
  ASSERT_TRUE(sound.ok);
  EXPECT_EQ(sound.frames, kFrames);
  EXPECT_EQ(sound.shorts[999], int16_t(999 * 13));
}

TEST(MetadataChunks, PositionsMoveWithADeletionBeforeThemAndDropWhereItCuts) {
  TempDir dir;
  // Frames 200..398 go: cue 2 (frame 300) with its label is dropped, the others move back.
  const Saved s = RunAndSave(dir, {"--select", "200:399", "--edit", "delete"});
  ASSERT_EQ(s.status, 0) << s.err;
  const uint32_t removed = 199;
  EXPECT_EQ(CuePoints(*Find(s.chunks, "cue ")), (std::map<uint32_t, uint32_t>{{1, 50}, {3, 800 - removed}}));
  const FileChunk* adtl = Find(s.chunks, "LIST", "adtl");
  const std::string labels(adtl->data.begin(), adtl->data.end());
  EXPECT_NE(labels.find("mark1"), std::string::npos);
  EXPECT_EQ(labels.find("mark2"), std::string::npos);
  EXPECT_NE(labels.find("mark3"), std::string::npos);
  EXPECT_EQ(Get32(adtl->data, labels.find("ltxt") + 12), kRegionLength);
  const FileChunk* smpl = Find(s.chunks, "smpl");
  EXPECT_EQ(Get32(smpl->data, 28), 1u);
  EXPECT_EQ(Get32(smpl->data, 36 + 8), kLoopStart - removed);
  EXPECT_EQ(Get32(smpl->data, 36 + 12), kLoopEnd - removed);
}

TEST(MetadataChunks, InsertionMovesLaterPositionsAndCuttingALoopDropsIt) {
  TempDir dir;
  Saved s = RunAndSave(dir, {"--select", "0:0", "--edit", "insert-silence:10"});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(CuePoints(*Find(s.chunks, "cue ")), (std::map<uint32_t, uint32_t>{{1, 60}, {2, 310}, {3, 810}}));
  EXPECT_EQ(Get32(Find(s.chunks, "smpl")->data, 36 + 8), kLoopStart + 10);
  // A cut inside the loop and the region of cue 3 drops both; the cue before them stays.
  s = RunAndSave(dir, {"--select", "640:659", "--edit", "cut"});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(Get32(Find(s.chunks, "smpl")->data, 28), 0u);
  EXPECT_EQ(Find(s.chunks, "smpl")->data.size(), 36u);
  EXPECT_EQ(CuePoints(*Find(s.chunks, "cue ")), (std::map<uint32_t, uint32_t>{{1, 50}, {2, 300}, {3, 781}}));
  // Trimming one channel of a stereo sound keeps that channel's range as a mono sound.
  {
    const std::string in = (dir / "stereo.wav").string(), out = (dir / "trimmed.wav").string();
    Bytes file = MetadataFile();
    WriteFileBytes(in, file);
    const CliResult made = RunCli({in, "--yes", "--edit", "convert:1,2,16000,16", "-o", in});
    ASSERT_EQ(made.status, 0) << made.err;
    const CliResult trimmed = RunCli({in, "--channel", "left", "--select", "40:999", "--edit", "trim", "-o", out});
    ASSERT_EQ(trimmed.status, 0) << trimmed.err;
    const auto chunks = RiffChunksOf(ReadFileBytes(out));
    EXPECT_EQ(CuePoints(*Find(chunks, "cue ")), (std::map<uint32_t, uint32_t>{{1, 10}, {2, 260}, {3, 760}}));
  }
  // Undo gives the positions back with the frames.
  s = RunAndSave(dir, {"--select", "200:399", "--edit", "delete", "--undo"});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(Find(s.chunks, "cue ")->data, Find(RiffChunksOf(MetadataFile()), "cue ")->data);
  // Saving a selection keeps the positions inside it, counted from its start.
  const std::string in = (dir / "meta.wav").string(), part = (dir / "part.wav").string();
  const CliResult r = RunCli({in, "--select", "250:999", "--save-selection", part});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto partChunks = RiffChunksOf(ReadFileBytes(part));
  EXPECT_EQ(CuePoints(*Find(partChunks, "cue ")), (std::map<uint32_t, uint32_t>{{2, 50}, {3, 550}}));
}

// Cue points, loops and the broadcast extension that libsndfile writes, read back by libsndfile
// after an edit.
TEST(MetadataChunks, LibsndfileReadsMovedCuesAndLoopsBack) {
  TempDir dir;
  const std::string in = (dir / "sf.wav").string(), out = (dir / "out.wav").string();
  SF_INFO info{};
  info.samplerate = 22050;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* f = sf_open(in.c_str(), SFM_WRITE, &info);
  ASSERT_NE(f, nullptr);
  SF_CUES cues{};
  cues.cue_count = 2;
  cues.cue_points[0] = {1, 100, 0x61746164, 0, 0, 100, "a"};
  cues.cue_points[1] = {2, 900, 0x61746164, 0, 0, 900, "b"};
  sf_command(f, SFC_SET_CUE, &cues, sizeof cues);
  SF_INSTRUMENT inst{};
  inst.basenote = 60;
  inst.loop_count = 1;
  inst.loops[0] = {SF_LOOP_FORWARD, 500, 700, 0};
  sf_command(f, SFC_SET_INSTRUMENT, &inst, sizeof inst);
  SF_BROADCAST_INFO bext{};
  std::strcpy(bext.description, "field recording");
  sf_command(f, SFC_SET_BROADCAST_INFO, &bext, sizeof bext);
  sf_set_string(f, SF_STR_TITLE, "Tarkel");
  std::vector<int16_t> samples(2 * 1000, 1000);
  sf_writef_short(f, samples.data(), 1000);
  sf_close(f);

  const CliResult r = RunCli({in, "--select", "0:0", "--edit", "insert-silence:50", "-o", out});
  ASSERT_EQ(r.status, 0) << r.err;
  SF_INFO back{};
  f = sf_open(out.c_str(), SFM_READ, &back);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(back.frames, 1050);
  SF_CUES readCues{};
  ASSERT_EQ(sf_command(f, SFC_GET_CUE, &readCues, sizeof readCues), SF_TRUE);
  ASSERT_EQ(readCues.cue_count, 2u);
  EXPECT_EQ(readCues.cue_points[0].sample_offset, 150u);
  EXPECT_EQ(readCues.cue_points[1].sample_offset, 950u);
  SF_INSTRUMENT readInst{};
  ASSERT_EQ(sf_command(f, SFC_GET_INSTRUMENT, &readInst, sizeof readInst), SF_TRUE);
  ASSERT_EQ(readInst.loop_count, 1);
  EXPECT_EQ(readInst.loops[0].start, 550u);
  EXPECT_EQ(readInst.loops[0].end, 750u);
  SF_BROADCAST_INFO readBext{};
  ASSERT_EQ(sf_command(f, SFC_GET_BROADCAST_INFO, &readBext, sizeof readBext), SF_TRUE);
  EXPECT_STREQ(readBext.description, "field recording");
  const char* title = sf_get_string(f, SF_STR_TITLE);
  EXPECT_STREQ(title ? title : "", "Tarkel");
  sf_close(f);
}

}  // namespace
}  // namespace tarkel::test
