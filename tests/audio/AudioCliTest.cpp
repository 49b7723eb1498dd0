// tarkel-cli on the default sound device, here ALSA's file plugin.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

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

// The device stops taking frames (its reader stops reading): the play ends with a message and
// the program returns instead of waiting for ever.
TEST_F(AudioCliTest, APlayIntoADeviceThatStopsMovingEndsWithAMessage) {
  const std::filesystem::path fifo = dir / "stuck";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::ofstream(device.config) << "pcm.!default {\n type file\n slave.pcm { type null }\n file \"" << fifo.string()
                               << "\"\n format \"raw\"\n}\n";
  WriteFileBytes(dir / "long.wav", WaveFile(SongBytes(441000)));
  std::atomic<bool> done{false};
  std::thread reader([&] {
    const int fd = ::open(fifo.c_str(), O_RDONLY);
    uint8_t chunk[4096];
    for (int i = 0; i < 20; ++i) (void)!::read(fd, chunk, sizeof chunk);  // then nothing more
    while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ::close(fd);
  });
  const CliResult r = RunCli({(dir / "long.wav").string(), "--play"});
  done = true;
  reader.join();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Wiedergabe beendet"), std::string::npos) << r.err;
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
