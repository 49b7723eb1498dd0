// tarkel-cli on the default sound device, here ALSA's file plugin.
#include <gtest/gtest.h>

#include <cstdlib>

#include "AlsaFileSupport.h"
#include "cli/CliRunner.h"

namespace tarkel::test {
namespace {

// A 16-bit stereo wave file of `frames` frames without a silent sample.
std::vector<uint8_t> SongBytes(uint32_t frames) {
  std::vector<uint8_t> data(size_t(frames) * 4);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(1 + (i * 13 + (i >> 10)) % 250);
  return data;
}

std::vector<uint8_t> WaveFile(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                               1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0, 'd', 'a', 't', 'a'};
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
  };
  put32(4, uint32_t(36 + data.size()));
  file.resize(44);
  put32(40, uint32_t(data.size()));
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

std::filesystem::path Folder(const std::filesystem::path& path) {
  std::filesystem::create_directories(path);
  return path;
}

// The bytes of a wave file's "data" chunk.
std::vector<uint8_t> DataChunk(const std::vector<uint8_t>& file) {
  for (size_t at = 12; at + 8 <= file.size();) {
    const uint32_t size = uint32_t(file[at + 4] | file[at + 5] << 8 | file[at + 6] << 16 | uint32_t(file[at + 7]) << 24);
    if (std::equal(file.begin() + std::ptrdiff_t(at), file.begin() + std::ptrdiff_t(at + 4), "data"))
      return std::vector<uint8_t>(file.begin() + std::ptrdiff_t(at + 8), file.begin() + std::ptrdiff_t(std::min<size_t>(at + 8 + size, file.size())));
    at += 8 + size + (size & 1);
  }
  return {};
}

class AudioCliTest : public ::testing::Test {
 protected:
  AudioCliTest() : device(dir.Path(), false), recordDevice(Folder(dir.Path() / "rec"), true) {
    ::setenv("ALSA_CONFIG_PATH", device.config.c_str(), 1);
  }
  ~AudioCliTest() override { ::unsetenv("ALSA_CONFIG_PATH"); }

  TempDir dir;
  AlsaFileDevice device;
  AlsaFileDevice recordDevice;
};

TEST_F(AudioCliTest, PlayDeliversExactlyTheSoundsFramesAndASelection) {
  const std::vector<uint8_t> data = SongBytes(44101);
  WriteFileBytes(dir / "song.wav", WaveFile(data));
  CliResult r = RunCli({(dir / "song.wav").string(), "--play"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");  // nothing from ALSA or JACK on the terminal
  EXPECT_TRUE(FindWithSilenceAround(ReadFileBytes(device.played), {data}));

  r = RunCli({(dir / "song.wav").string(), "--select", "100:44100", "--play"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(FindWithSilenceAround(ReadFileBytes(device.played), {std::vector<uint8_t>(data.begin() + 400, data.end())}));

  r = RunCli({(dir / "song.wav").string(), "--device", "1", "--play"});  // the default device
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(FindWithSilenceAround(ReadFileBytes(device.played), {data}));
}

TEST_F(AudioCliTest, RecordWritesTheFramesTheInputDelivered) {
  ::setenv("ALSA_CONFIG_PATH", recordDevice.config.c_str(), 1);
  const std::vector<uint8_t> input = SongBytes(400000);
  WriteFileBytes(recordDevice.input, input);
  CliResult r = RunCli({"--new", "1,2,44100,16,300000", "--record", "-o", (dir / "out.wav").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(DataChunk(ReadFileBytes(dir / "out.wav")), std::vector<uint8_t>(input.begin(), input.begin() + 1200000));

  // Over a selection, with undo: the rest stays, undo brings the range back.
  const std::vector<uint8_t> song = SongBytes(1000);
  WriteFileBytes(dir / "song.wav", WaveFile(song));
  r = RunCli({(dir / "song.wav").string(), "--select", "200:600", "--record", "-o", (dir / "rec.wav").string(),
              "--undo", "-o", (dir / "undone.wav").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<uint8_t> expected = song;
  std::copy(input.begin(), input.begin() + 1600, expected.begin() + 800);
  EXPECT_EQ(DataChunk(ReadFileBytes(dir / "rec.wav")), expected);
  EXPECT_EQ(DataChunk(ReadFileBytes(dir / "undone.wav")), song);
}

TEST_F(AudioCliTest, ListDevicesNamesTheDefaultDeviceAndBadNumbersAreUsageErrors) {
  CliResult r = RunCli({"--list-devices"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("play 0: default | 8bit   Mono: 11kHz 22kHz 44kHz"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("play 1: Default device (default)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("record 1: Default device (default)"), std::string::npos) << r.out;
  EXPECT_EQ(RunCli({"--device", "x", "--list-devices"}).status, 2);
  EXPECT_EQ(RunCli({"--play"}).status, 2);
}

}  // namespace
}  // namespace tarkel::test
