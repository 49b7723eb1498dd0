// Damaged and lying files, one row each: the crafted bytes and the message the reader gives.
// None may crash, hang or allocate more than the file holds (the sanitizer build and the fuzz
// targets watch the rest). TARKEL_WRITE_CORPUS=<folder> writes the rows out as fuzz corpus files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CraftedFiles.h"
#include "sound/MessageIds.h"
#include "sound/WaveAudio.h"
#include "fileformats/CreativeVoice.h"
#include "fileformats/SoundFile.h"
#include "support/TestPorts.h"

namespace tarkel::test {
namespace {

struct DamagedRow {
  const char* name;
  ByteString bytes;
  int message;
};

ByteString Fmt(uint16_t channels, uint16_t align) { return Chunk("fmt ", FmtBody(1, channels, 8000, 8000, align, 8)); }
ByteString GoodFmt() { return Chunk("fmt ", PcmFmtBody(1, 8000, 8)); }

std::vector<DamagedRow> RiffRows() {
  return {
      {"riff_header_only", Riff({}), msg::kGetWaveFileFormat},
      {"riff_no_fmt", Riff(Chunk("data", {1, 2, 3})), msg::kGetWaveFileFormat},
      {"riff_fmt_219", Riff(ChunkWithSize("fmt ", 219, ByteString(219, 1))), msg::kGetWaveFileFormat},
      {"riff_fmt_past_end", Riff(ChunkWithSize("fmt ", 200, PcmFmtBody(1, 8000, 8))), msg::kGetWaveFileFormat},
      {"riff_zero_channels", Riff(Cat({Fmt(0, 1), Chunk("data", {1})})), msg::kGetWaveFileFormat},
      {"riff_zero_align", Riff(Cat({Fmt(1, 0), Chunk("data", {1})})), msg::kGetWaveFileFormat},
      {"riff_short_fmt", Riff(Cat({Chunk("fmt ", {1, 0, 1, 0}), Chunk("data", {1})})), msg::kGetWaveFileFormat},
      {"riff_huge_chunk_before_fmt", Riff(Cat({ChunkWithSize("LIST", 0xFFFFFFFF, {}), GoodFmt()})),
       msg::kGetWaveFileFormat},
      {"riff_cut_chunk_header", Cat({Riff({}), Text("fmt "), ByteString{16}}), msg::kGetWaveFileFormat},
  };
}

std::vector<DamagedRow> VocRows() {
  const ByteString h = VocHeader();
  return {
      {"voc_short_header", Text("Creative Voi"), msg::kUnsupportedVoc},
      {"voc_unknown_block", Cat({h, VocBlock(9, {1, 2})}), msg::kUnsupportedVoc},
      {"voc_cut_length", Cat({h, ByteString{kVocSoundData, 5}}), msg::kUnsupportedVoc},
      {"voc_sound_block_too_short", Cat({h, VocBlock(kVocSoundData, {165})}), msg::kUnsupportedVoc},
      {"voc_marker_past_end", Cat({h, VocBlockWithLength(kVocMarker, 0xFFFFFF, {1, 0})}), msg::kUnsupportedVoc},
      {"voc_text_past_end", Cat({h, VocBlockWithLength(kVocText, 1000, Text("abc"))}), msg::kUnsupportedVoc},
      {"voc_extended_too_short", Cat({h, VocBlock(kVocExtended, {1, 2})}), msg::kUnsupportedVoc},
      {"voc_extended_bad_mode", Cat({h, VocBlock(kVocExtended, {0, 0, 0, 5})}), msg::kUnsupportedVoc},
      {"voc_extended_packed", Cat({h, VocBlock(kVocExtended, {0, 0, 1, 0})}), msg::kVocOnlyPcm},
      {"voc_sound_packed", Cat({h, VocBlock(kVocSoundData, {165, 4, 1, 2, 3})}), msg::kVocOnlyPcm},
  };
}

void WriteCorpusRow(const DamagedRow& row, const char* target) {
  const char* folder = std::getenv("TARKEL_WRITE_CORPUS");
  if (!folder || !*folder) return;
  WriteFileBytes(std::string(folder) + "/" + target + "/" + row.name, row.bytes);
}

class DamagedInput : public ::testing::TestWithParam<DamagedRow> {};

TEST_P(DamagedInput, IsRefusedWithItsMessage) {
  const DamagedRow& row = GetParam();
  RecordingPorts ports;
  WaveAudio wave;
  EXPECT_FALSE(OpenSoundMemory(wave, row.bytes));
  EXPECT_EQ(ports.messages, std::vector<int>{row.message});
  EXPECT_FALSE(wave.HasData());
  WriteCorpusRow(row, row.name[0] == 'r' ? "riff_wave" : "voc");
  WriteCorpusRow(row, "open_sound");
}

std::vector<DamagedRow> AllRows() {
  std::vector<DamagedRow> rows = RiffRows();
  for (auto& r : VocRows()) rows.push_back(r);
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Rows, DamagedInput, ::testing::ValuesIn(AllRows()),
                         [](const auto& info) { return std::string(info.param.name); });

// Lies that still leave a readable sound: the reader takes what the file really holds.
TEST(LyingSizes, AllocateNoMoreThanTheFileHolds) {
  RecordingPorts ports;
  {
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundMemory(wave, Riff(Cat({GoodFmt(), ChunkWithSize("data", 0xFFFFFFFF, {5, 6})}))));
    EXPECT_EQ(wave.DataSize(), 2u);
  }
  {  // a RIFF size of 0 (a recorder cut off before it wrote its sizes) reaches to the end
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundMemory(wave, RiffWithSize(0, Cat({GoodFmt(), Chunk("data", {1})}))));
    EXPECT_EQ(wave.DataSize(), 1u);
  }
  {  // so does a data size of 0 in such a file
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundMemory(wave, RiffWithSize(0, Cat({GoodFmt(), ChunkWithSize("data", 0, {1, 2, 3, 4})}))));
    EXPECT_EQ(wave.DataSize(), 4u);
  }
  {  // the RIFF size claims 4 GiB
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundMemory(wave, RiffWithSize(0xFFFFFFFF, Cat({GoodFmt(), Chunk("data", {5, 6, 7})}))));
    EXPECT_EQ(wave.DataSize(), 3u);
  }
  {
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundMemory(wave, Cat({VocHeader(), VocBlockWithLength(kVocSoundData, 0xFFFFFF, {165, 0, 9})})));
    EXPECT_EQ(wave.DataSize(), 1u);
  }
  EXPECT_TRUE(ports.messages.empty());
}

}  // namespace
}  // namespace tarkel::test
