// The cue file layout byte for byte, archive strings in their three length forms, the long
// count form, and damaged files at every length.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regions/CueFile.h"

namespace tarkel {
namespace {

using Bytes = std::vector<uint8_t>;

CWaveSelection Region(const std::string& name, uint32_t start, uint32_t end, uint16_t channel, uint32_t repeats,
                      const std::string& path) {
  CWaveSelection r;
  r.name = name;
  r.start = start;
  r.end = end;
  r.channel = channel;
  r.repeats = repeats;
  r.filePath = path;
  return r;
}

Bytes Str(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(CueFile, OneRegionNamedAIsWrittenInTheArchiveLayout) {
  const Bytes expected = Cat({{0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00},
                              Str("CWaveSelection"),
                              {0x01, 'A'},
                              {0x10, 0x00, 0x00, 0x00},  // start 16
                              {0x20, 0x01, 0x00, 0x00},  // end 288
                              {0x03, 0x00},              // both channels
                              {0x02, 0x00, 0x00, 0x00},  // two repeats
                              {0x0A},
                              Str("/tmp/x.wav")});
  EXPECT_EQ(WriteCueBytes({Region("A", 16, 288, 3, 2, "/tmp/x.wav")}), expected);

  const CueReadResult read = ReadCueBytes(expected);
  ASSERT_TRUE(read.complete);
  ASSERT_EQ(read.regions.size(), 1u);
  EXPECT_EQ(read.regions[0].name, "A");
  EXPECT_EQ(read.regions[0].start, 16u);
  EXPECT_EQ(read.regions[0].end, 288u);
  EXPECT_EQ(read.regions[0].channel, 3);
  EXPECT_EQ(read.regions[0].repeats, 2u);
  EXPECT_EQ(read.regions[0].filePath, "/tmp/x.wav");
}

TEST(CueFile, LaterRegionsReferToTheClassAndAnEmptyListIsItsCount) {
  const Bytes bytes = WriteCueBytes({Region("A", 0, 2, 1, 1, "a"), Region("B", 4, 6, 2, 3, "b")});
  const size_t second = 2 + 2 + 2 + 2 + 14 + 2 + 4 + 4 + 2 + 4 + 2;
  ASSERT_GT(bytes.size(), second + 2);
  EXPECT_EQ(bytes[0], 2);
  EXPECT_EQ(bytes[second], 0x01);
  EXPECT_EQ(bytes[second + 1], 0x80);
  const CueReadResult read = ReadCueBytes(bytes);
  ASSERT_TRUE(read.complete);
  ASSERT_EQ(read.regions.size(), 2u);
  EXPECT_EQ(read.regions[1].name, "B");
  EXPECT_EQ(read.regions[1].filePath, "b");

  EXPECT_EQ(WriteCueBytes({}), (Bytes{0, 0}));
  EXPECT_TRUE(ReadCueBytes(Bytes{0, 0}).complete);
}

TEST(CueFile, ArchiveStringsTakeTheirLengthFormByLength) {
  struct Case {
    size_t length;
    Bytes prefix;
  };
  const Case cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    std::string text(c.length, 'x');
    for (size_t i = 0; i < text.size(); ++i) text[i] = char('a' + i % 26);
    Bytes out;
    AppendArchiveString(out, text);
    ASSERT_EQ(out.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), out.begin())) << c.length;
    size_t offset = 0;
    std::string back;
    ASSERT_TRUE(ReadArchiveString(out, offset, back)) << c.length;
    EXPECT_EQ(back, text);
    EXPECT_EQ(offset, out.size());
    // One byte short of the string is damage, never a shorter string.
    out.pop_back();
    offset = 0;
    if (c.length > 0) {
      EXPECT_FALSE(ReadArchiveString(out, offset, back)) << c.length;
    }
  }
}

TEST(CueFile, LongStringFormsWithSmallLengthsAreReadAndTheWideMarkIsRefused) {
  size_t offset = 0;
  std::string text;
  EXPECT_TRUE(ReadArchiveString(Bytes{0xFF, 0x02, 0x00, 'h', 'i'}, offset, text));
  EXPECT_EQ(text, "hi");
  offset = 0;
  EXPECT_TRUE(ReadArchiveString(Bytes{0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 'z'}, offset, text));
  EXPECT_EQ(text, "z");
  offset = 0;
  EXPECT_FALSE(ReadArchiveString(Bytes{0xFF, 0xFE, 0xFF, 0x01, 'z', 0}, offset, text));
  offset = 0;
  // A 32-bit length far beyond the bytes is refused before anything is allocated for it.
  EXPECT_FALSE(ReadArchiveString(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'z'}, offset, text));
}

TEST(CueFile, FromSixtyFiveThousandFiveHundredThirtyFiveRegionsTheCountTakesItsLongForm) {
  for (const uint32_t count : {65534u, 65535u, 65537u}) {
    std::vector<CWaveSelection> regions(count, Region("r", 0, 2, 3, 1, "p"));
    regions.back().name = "last";
    const Bytes bytes = WriteCueBytes(regions);
    if (count < 65535) {
      EXPECT_EQ(bytes[0] | bytes[1] << 8, int(count));
      EXPECT_EQ(bytes[2], 0xFF);
    } else {
      EXPECT_EQ((Bytes{bytes.begin(), bytes.begin() + 6}),
                (Bytes{0xFF, 0xFF, uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), 0}));
    }
    const CueReadResult read = ReadCueBytes(bytes);
    ASSERT_TRUE(read.complete) << count;
    ASSERT_EQ(read.regions.size(), count);
    EXPECT_EQ(read.regions.back().name, "last");
  }
}

TEST(CueFile, ADamagedFileKeepsEveryRegionReadBeforeTheDamage) {
  const std::vector<CWaveSelection> regions = {Region("first", 0, 100, 3, 1, "/a.wav"),
                                               Region(std::string(300, 'n'), 2, 4, 1, 2, "/b.wav"),
                                               Region("third", 6, 8, 2, 3, std::string(70000, 'p'))};
  const Bytes whole = WriteCueBytes(regions);
  // Where each region's bytes end.
  std::vector<size_t> ends;
  for (size_t n = 1; n <= regions.size(); ++n) {
    std::vector<CWaveSelection> prefix(regions.begin(), regions.begin() + std::ptrdiff_t(n));
    ends.push_back(WriteCueBytes(prefix).size());
  }
  for (size_t length = 0; length < whole.size(); ++length) {
    const CueReadResult read = ReadCueBytes(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(length)));
    ASSERT_FALSE(read.complete) << length;
    size_t whole_regions = 0;
    while (whole_regions < ends.size() && ends[whole_regions] <= length) ++whole_regions;
    ASSERT_EQ(read.regions.size(), whole_regions) << length;
    for (size_t i = 0; i < read.regions.size(); ++i) EXPECT_EQ(read.regions[i].name, regions[i].name);
  }
  EXPECT_TRUE(ReadCueBytes(whole).complete);
}

TEST(CueFile, WrongClassTagsSchemaOrNameAreDamage) {
  const Bytes good = WriteCueBytes({Region("A", 0, 2, 3, 1, "p"), Region("B", 0, 2, 3, 1, "p")});
  auto damaged = [&](size_t at, uint8_t value) {
    Bytes b = good;
    b[at] = value;
    return ReadCueBytes(b);
  };
  EXPECT_TRUE(damaged(2, 0xFE).regions.empty());  // not the new-class tag
  EXPECT_TRUE(damaged(4, 2).regions.empty());     // schema 2
  EXPECT_TRUE(damaged(6, 13).regions.empty());    // name length 13
  EXPECT_TRUE(damaged(8, 'X').regions.empty());   // another class
  // The second region's tag follows the first region, as in a file of that region alone.
  Bytes b = good;
  const size_t tag = WriteCueBytes({Region("A", 0, 2, 3, 1, "p")}).size();
  ASSERT_EQ(b[tag + 1], 0x80);
  b[tag] = 0x02;  // a reference to a class that was never written
  const CueReadResult read = ReadCueBytes(b);
  EXPECT_FALSE(read.complete);
  EXPECT_EQ(read.regions.size(), 1u);
  // A count far beyond the bytes reads what is there and reports the damage.
  Bytes huge = good;
  huge[0] = 0xFF;
  huge[1] = 0xFF;
  huge.insert(huge.begin() + 2, {0xFF, 0xFF, 0xFF, 0x7F});
  const CueReadResult many = ReadCueBytes(huge);
  EXPECT_FALSE(many.complete);
  EXPECT_EQ(many.regions.size(), 2u);
}

}  // namespace
}  // namespace tarkel
