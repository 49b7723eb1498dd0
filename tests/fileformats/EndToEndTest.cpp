// Files exchanged with the Debian tools: sox writes, we read; we write, sox and libsndfile read.
// The samples must match byte for byte. Skipped with a reason where the tools are missing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "CraftedFiles.h"
#include "sound/Bytes.h"
#include "sound/WaveAudio.h"
#include "fileformats/SoundFile.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel::test {
namespace {

bool HasTool(const char* name) { return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0; }

bool RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
    char buffer[512];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

#define REQUIRE_TOOL(name) \
  if (!HasTool(name)) GTEST_SKIP() << name << " is not installed (Debian package " #name "/sndfile-programs)"

// Puts a LIST chunk of odd size (with its pad byte) between "fmt " and "data" of a canonical file.
ByteString WithListChunk(const ByteString& canonical) {
  const ByteString list = Chunk("LIST", Text("INFOICMT\x05\0\0\0tarkel"));
  ByteString out(canonical.begin(), canonical.begin() + 36);
  out.insert(out.end(), list.begin(), list.end());
  out.insert(out.end(), canonical.begin() + 36, canonical.end());
  PutLE32(&out[4], uint32_t(out.size() - 8));
  return out;
}

// A 16-bit stereo sound whose left channel is a sine and whose right channel is a staircase.
ByteString SineAndStaircase(uint32_t frames) {
  const std::vector<int16_t> sine = Sine16(440, 22050, frames, 30000);
  ByteString bytes(frames * 4);
  for (uint32_t i = 0; i < frames; ++i) {
    PutLE16(&bytes[4 * i], uint16_t(sine[i]));
    PutLE16(&bytes[4 * i + 2], uint16_t(i * 7));
  }
  return bytes;
}

TEST(EndToEnd, WaveFilesWrittenBySoxOpenWithTheSameSamples) {
  REQUIRE_TOOL("sox");
  RecordingPorts ports;
  TempFolder folder;
  for (int bits : {8, 16}) {
    for (int channels : {1, 2}) {
      for (bool list : {false, true}) {
        SCOPED_TRACE(std::to_string(bits) + " bits, " + std::to_string(channels) + " channels" + (list ? ", LIST" : ""));
        const std::string wav = folder.File("sox.wav");
        const std::string raw = folder.File("sox.raw");
        ASSERT_TRUE(RunQuietly("sox -n -r 22050 -b " + std::to_string(bits) + " -c " + std::to_string(channels) + " " + wav +
                        " synth 0.05 sine 440 sine 1000"));
        ASSERT_TRUE(RunQuietly("sox " + wav + " -t raw " + raw));
        if (list) WriteFileBytes(wav, WithListChunk(ReadFileBytes(wav)));
        WaveAudio wave;
        ASSERT_TRUE(OpenSoundFile(wave, wav, 0, false));
        EXPECT_EQ(Bytes(wave), ReadFileBytes(raw));
        EXPECT_EQ(wave.Rate(), 22050u);
        EXPECT_EQ(wave.Channels(), channels);
        EXPECT_EQ(wave.BitsPerSample(), bits);
      }
    }
  }
  EXPECT_TRUE(ports.messages.empty());
}

TEST(EndToEnd, VoiceFilesWrittenBySoxOpenWithTheSameSamples) {
  REQUIRE_TOOL("sox");
  RecordingPorts ports;
  TempFolder folder;
  for (int channels : {1, 2}) {
    const std::string voc = folder.File("sox.voc");
    const std::string raw = folder.File("sox.raw");
    const int rate = channels == 1 ? 11025 : 22050;
    ASSERT_TRUE(RunQuietly("sox -n -r " + std::to_string(rate) + " -b 8 -c " + std::to_string(channels) + " " + voc +
                    " synth 0.05 sine 440"));
    ASSERT_TRUE(RunQuietly("sox " + voc + " -t raw -e unsigned -b 8 " + raw));
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundFile(wave, voc, 0, false));
    EXPECT_EQ(Bytes(wave), ReadFileBytes(raw));
    EXPECT_EQ(wave.Channels(), channels);
    EXPECT_EQ(wave.Rate(), uint32_t(rate));
  }
  EXPECT_TRUE(ports.messages.empty());
}

TEST(EndToEnd, OurWaveFilesOpenInSoxAndLibsndfileWithTheSameSamples) {
  REQUIRE_TOOL("sox");
  REQUIRE_TOOL("sndfile-info");
  REQUIRE_TOOL("sndfile-convert");
  RecordingPorts ports;
  TempFolder folder;
  struct Case {
    uint16_t channels, bits;
    ByteString bytes;
    const char* encoding;
  };
  const Case cases[] = {{2, 16, SineAndStaircase(2205), "-pcm16"},
                        {1, 8, Staircase8(1001), "-pcmu8"},  // odd size: a pad byte follows the data
                        {2, 8, Staircase8(1000), "-pcmu8"},
                        {1, 16, Staircase16(999), "-pcm16"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.bits) + " bits, " + std::to_string(c.channels) + " channels");
    WaveAudio wave;
    Fill(wave, c.channels, 22050, c.bits, c.bytes);
    const std::string ours = folder.File("ours.wav");
    ASSERT_TRUE(SaveSoundFile(wave, ours, 0, wave.FrameCount()));

    ASSERT_TRUE(RunQuietly("sox " + ours + " -t raw " + folder.File("sox.raw")));
    EXPECT_EQ(ReadFileBytes(folder.File("sox.raw")), c.bytes);
    ASSERT_TRUE(RunQuietly("sndfile-convert " + std::string(c.encoding) + " " + ours + " " + folder.File("sndfile.raw")));
    EXPECT_EQ(ReadFileBytes(folder.File("sndfile.raw")), c.bytes);

    const std::string info = Capture("sndfile-info " + ours);
    EXPECT_NE(info.find("Frames      : " + std::to_string(wave.FrameCount()) + "\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Channels    : " + std::to_string(c.channels) + "\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Sample Rate : 22050\n"), std::string::npos) << info;
  }
  EXPECT_TRUE(ports.messages.empty());
}

TEST(EndToEnd, OurVoiceFilesOpenInSoxWithTheSameSamples) {
  REQUIRE_TOOL("sox");
  RecordingPorts ports;
  TempFolder folder;
  for (uint16_t channels : {1, 2}) {
    WaveAudio wave;
    Fill(wave, channels, 22050, 8, Staircase8(2000));
    const std::string ours = folder.File("ours.voc");
    ASSERT_TRUE(SaveSoundFile(wave, ours, 0, wave.FrameCount()));
    ASSERT_TRUE(RunQuietly("sox " + ours + " -t raw -e unsigned -b 8 " + folder.File("sox.raw")));
    EXPECT_EQ(ReadFileBytes(folder.File("sox.raw")), Bytes(wave));
    const std::string info = Capture("sox --i " + ours);
    EXPECT_NE(info.find("Channels       : " + std::to_string(channels)), std::string::npos) << info;
  }
}

}  // namespace
}  // namespace tarkel::test
