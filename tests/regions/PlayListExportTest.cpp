// The play list written as one sound: every region with its repeats, in list order.
#include "cli/CliRunner.h"
#include "fileformats/SoundFile.h"
#include "regions/PlayListExport.h"
#include "regions/RegionTestSupport.h"
#include "sound/MessageIds.h"

namespace tarkel::test {
namespace {

class PlayListExportTest : public RegionListTest {
 protected:
  TempDir dir;
  std::string Out() const { return (dir / "list.wav").string(); }
  std::unique_ptr<WaveAudio> Written() {
    auto wave = std::make_unique<WaveAudio>();
    EXPECT_TRUE(OpenSoundFile(*wave, Out(), 0, false));
    return wave;
  }
};

TEST_F(PlayListExportTest, EveryRegionWithItsRepeatsFollowsTheOneBefore) {
  auto doc = StaircaseDocument(1000, 2, 22050, 16);
  const std::vector<CWaveSelection> regions = {RegionOf(*doc, "a", 10, 12, 2), RegionOf(*doc, "b", 500, 500, 1),
                                               RegionOf(*doc, "c", 3, 4, 3)};
  ASSERT_TRUE(ExportPlayList(regions, Out()));
  const auto written = Written();
  const WaveAudio& wave = *written;
  EXPECT_TRUE(wave.Format().SamePcmFields(doc->Sound().Format()));
  std::vector<uint32_t> frames;
  for (uint32_t f : {10, 11, 12, 10, 11, 12, 500, 3, 4, 3, 4, 3, 4}) frames.push_back(f & 0xFF);
  const std::vector<uint8_t> bytes = Bytes(wave);
  ASSERT_EQ(bytes.size(), frames.size() * 4);
  for (size_t i = 0; i < frames.size(); ++i)
    for (size_t b = 0; b < 4; ++b) EXPECT_EQ(bytes[i * 4 + b], frames[i]) << i;
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(PlayListExportTest, RegionsOfOtherFormatsAreConvertedToTheFirstOnesAndTheUserIsToldOnce) {
  auto mono8 = StaircaseDocument(100, 1, 8000, 8);
  auto stereo16 = StaircaseDocument(100, 2, 8000, 16);
  const std::vector<CWaveSelection> regions = {RegionOf(*mono8, "a", 0, 9), RegionOf(*stereo16, "b", 0, 9, 2),
                                               RegionOf(*stereo16, "c", 20, 29)};
  ASSERT_TRUE(ExportPlayList(regions, Out()));
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kPlayListConverted}));
  const auto written = Written();
  const WaveAudio& wave = *written;
  EXPECT_EQ(wave.Channels(), 1);
  EXPECT_EQ(wave.BitsPerSample(), 8);
  EXPECT_EQ(wave.Frames(), 40u);
}

TEST_F(PlayListExportTest, NothingToWriteLeavesAnOldFileAlone) {
  WriteFileBytes(Out(), {1, 2, 3});
  auto doc = StaircaseDocument(100);
  EXPECT_FALSE(ExportPlayList({RegionOf(*doc, "beyond", 200, 300)}, Out()));
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kPlayListEmpty}));
  EXPECT_EQ(ReadFileBytes(Out()), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(PlayListExportTest, ARegionReachingPastItsSoundIsCutToIt) {
  auto doc = StaircaseDocument(100);
  ASSERT_TRUE(ExportPlayList({RegionOf(*doc, "tail", 95, 400, 2)}, Out()));
  EXPECT_EQ(Bytes(*Written()), (std::vector<uint8_t>{95, 96, 97, 98, 99, 95, 96, 97, 98, 99}));
}

}  // namespace
}  // namespace tarkel::test
