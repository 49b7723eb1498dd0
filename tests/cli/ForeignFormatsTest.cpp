// Every kind of WAV file that sox, ffmpeg and libsndfile's sndfile-convert write, at rates from
// 8000 to 96000 Hz in one and two channels, through tarkel-cli: --info gives the real format
// and length, -o keeps every sample, and "--edit convert" to 16-bit PCM at the same rate and
// channels gives the samples libsndfile decodes (within one LSB where bits are dropped and
// dither applies, exactly otherwise). A tool that is not installed skips its rows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "cli/CliRunner.h"
#include "cli/SndfileReading.h"

namespace tarkel::test {
namespace {

struct MadeFile {
  const char* label;
  const char* tool;       // "sox", "ffmpeg" or "sndfile-convert"
  const char* arguments;  // the encoding options
  const char* extension;  // of the file the tool writes
  bool dithered = false;  // more than 16 bits: the conversion drops bits
  bool only8kMono = false;
};

const MadeFile kFiles[] = {
    {"sox_pcm16", "sox", "-b 16", "wav"},
    {"sox_pcm8", "sox", "-b 8", "wav"},
    {"sox_pcm24", "sox", "-b 24", "wav", true},
    {"sox_pcm32", "sox", "-b 32", "wav", true},
    {"sox_float", "sox", "-e floating-point -b 32", "wav", true},
    {"sox_alaw", "sox", "-e a-law", "wav"},
    {"sox_ulaw", "sox", "-e u-law", "wav"},
    {"sox_ima_adpcm", "sox", "-e ima-adpcm", "wav"},
    {"sox_ms_adpcm", "sox", "-e ms-adpcm", "wav"},
    {"sox_gsm", "sox", "-e gsm-full-rate", "wav", false, true},
    {"ffmpeg_pcm16", "ffmpeg", "-c:a pcm_s16le", "wav"},
    {"ffmpeg_pcm24", "ffmpeg", "-c:a pcm_s24le", "wav", true},
    {"ffmpeg_pcm32", "ffmpeg", "-c:a pcm_s32le", "wav", true},
    {"ffmpeg_float", "ffmpeg", "-c:a pcm_f32le", "wav", true},
    {"ffmpeg_double", "ffmpeg", "-c:a pcm_f64le", "wav", true},
    {"ffmpeg_alaw", "ffmpeg", "-c:a pcm_alaw", "wav"},
    {"ffmpeg_ulaw", "ffmpeg", "-c:a pcm_mulaw", "wav"},
    {"ffmpeg_ima_adpcm", "ffmpeg", "-c:a adpcm_ima_wav", "wav"},
    {"ffmpeg_ms_adpcm", "ffmpeg", "-c:a adpcm_ms", "wav"},
    {"ffmpeg_gsm", "ffmpeg", "-c:a gsm_ms", "wav", false, true},
    {"ffmpeg_rf64_pcm16", "ffmpeg", "-c:a pcm_s16le -rf64 always", "wav"},
    {"ffmpeg_rf64_pcm24", "ffmpeg", "-c:a pcm_s24le -rf64 always", "wav", true},
    {"sndfile_pcm16_wavex", "sndfile-convert", "-pcm16", "wavex"},
    {"sndfile_pcm8_wavex", "sndfile-convert", "-pcmu8", "wavex"},
    {"sndfile_pcm24", "sndfile-convert", "-pcm24", "wav", true},
    {"sndfile_pcm24_wavex", "sndfile-convert", "-pcm24", "wavex", true},
    {"sndfile_pcm32", "sndfile-convert", "-pcm32", "wav", true},
    {"sndfile_float", "sndfile-convert", "-float32", "wav", true},
    {"sndfile_alaw", "sndfile-convert", "-alaw", "wav"},
    {"sndfile_ulaw", "sndfile-convert", "-ulaw", "wav"},
    {"sndfile_ima_adpcm", "sndfile-convert", "-ima-adpcm", "wav"},
    {"sndfile_ms_adpcm", "sndfile-convert", "-ms-adpcm", "wav"},
    {"sndfile_gsm", "sndfile-convert", "-gsm610", "wav", false, true},
};

constexpr int kRates[] = {8000, 44100, 96000};
constexpr int kChannels[] = {1, 2};

// Makes the file with the row's tool; false when the tool refused.
bool MakeFile(const MadeFile& m, const TempDir& dir, int rate, int channels, const std::string& out) {
  const std::string r = std::to_string(rate), c = std::to_string(channels);
  const std::string tone = " synth 0.2 sine 440 sine 660 vol 0.7";
  if (std::string(m.tool) == "sox") return RunQuietly("sox -n -r " + r + " -c " + c + " " + m.arguments + " " + out + tone);
  if (std::string(m.tool) == "ffmpeg")
    return RunQuietly("ffmpeg -v error -f lavfi -i sine=f=440:r=" + r + ":d=0.2 -ac " + c + " " + m.arguments + " -y " + out);
  const std::string source = (dir / "source.wav").string();
  return RunQuietly("sox -n -r " + r + " -c " + c + " -e floating-point -b 32 " + source + tone) &&
         RunQuietly(std::string("sndfile-convert ") + m.arguments + " " + source + " " + out);
}

// The sample count of the file's "fact" chunk, or -1.
int64_t FactOf(const std::string& path) {
  for (const FileChunk& c : RiffChunksOf(ReadFileBytes(path)))
    if (c.id == "fact" && c.data.size() >= 4)
      return int64_t(c.data[0] | c.data[1] << 8 | c.data[2] << 16 | uint32_t(c.data[3]) << 24);
  return -1;
}

void PrintTo(const MadeFile& m, std::ostream* os) { *os << m.label; }

class ToolMadeFile : public ::testing::TestWithParam<MadeFile> {};

TEST_P(ToolMadeFile, OpensSavesAndConvertsLikeLibsndfileReadsIt) {
  const MadeFile& m = GetParam();
  if (!HasTool(m.tool)) GTEST_SKIP() << m.tool << " is not installed";
  if (std::string(m.tool) == "sndfile-convert" && !HasTool("sox")) GTEST_SKIP() << "sox is not installed";
  TempDir dir;
  for (int rate : kRates) {
    for (int channels : kChannels) {
      if (m.only8kMono && (rate != 8000 || channels != 1)) continue;
      SCOPED_TRACE(std::string(m.label) + " " + std::to_string(rate) + " Hz, " + std::to_string(channels) + " ch");
      const std::string file = (dir / (std::string("made.") + m.extension)).string();
      // Rows the tool refuses to write (ffmpeg's IMA ADPCM above 48 kHz) are left out.
      if (!MakeFile(m, dir, rate, channels, file)) {
        ASSERT_GT(rate, 48000) << "the tool refused a common format";
        continue;
      }
      const SndfileSound source = ReadWithSndfile(file);
      // ffmpeg's ADPCM blocks above 48 kHz are too short for libsndfile: no reference to compare.
      if (!source.ok && rate > 48000) continue;
      ASSERT_TRUE(source.ok);

      // --info: the real rate, channels and length (a blocked format's length from "fact").
      const CliResult info = RunCli({file, "--info"});
      ASSERT_EQ(info.status, 0) << info.err;
      auto lines = InfoLines(info.out);
      EXPECT_EQ(lines["rate"], std::to_string(rate));
      EXPECT_EQ(lines["channels"], std::to_string(channels));
      const int bits = std::stoi(lines["bits"]), align = std::stoi(lines["block-align"]);
      const bool blocked = bits % 8 != 0 || bits == 0 || align != channels * bits / 8;
      const int64_t fact = FactOf(file);
      const int64_t frames = blocked && fact >= 0 ? fact : source.frames;
      EXPECT_EQ(lines["frames"], std::to_string(frames));
      EXPECT_TRUE(info.err.empty()) << info.err;

      // -o keeps every sample.
      const std::string saved = (dir / "saved.wav").string();
      const CliResult save = RunCli({file, "-o", saved});
      ASSERT_EQ(save.status, 0) << save.err;
      const SndfileSound reread = ReadWithSndfile(saved);
      ASSERT_TRUE(reread.ok);
      EXPECT_EQ(reread.channels, channels);
      EXPECT_EQ(reread.rate, rate);
      EXPECT_TRUE(reread.shorts == source.shorts && reread.floats == source.floats) << "samples differ after -o";

      // Conversion to the editor's 16-bit PCM gives libsndfile's samples.
      const std::string converted = (dir / "converted.wav").string();
      const std::string format = "convert:1," + std::to_string(channels) + "," + std::to_string(rate) + ",16";
      const CliResult convert = RunCli({file, "--yes", "--edit", format, "--info", "-o", converted});
      ASSERT_EQ(convert.status, 0) << convert.err;
      lines = InfoLines(convert.out);
      EXPECT_EQ(lines["format-tag"], "1");
      EXPECT_EQ(lines["bits"], "16");
      const SndfileSound result = ReadWithSndfile(converted);
      ASSERT_TRUE(result.ok);
      ASSERT_EQ(result.shorts.size(), source.shorts.size());
      // Wide sources are compared in floating point (libsndfile gives float files to 16-bit
      // readers unscaled), in units of the 16-bit LSB.
      double worst = 0;
      // Samples past a "fact" count (the padding of the last block) are no part of the sound.
      const size_t compared = size_t(std::min<int64_t>(source.frames, frames)) * channels;
      for (size_t i = 0; i < compared; ++i)
        worst = std::max(worst, m.dithered ? std::abs(double(result.floats[i]) - source.floats[i]) * 32768.0
                                           : std::abs(double(result.shorts[i]) - source.shorts[i]));
      EXPECT_LE(worst, m.dithered ? 1.0 + 1e-6 : 0.0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolMadeFile, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.label); });

// Effects and sample edits on a held format say that it must be converted first and change
// nothing; after the conversion they work.
TEST(HeldFormat, EffectsAskForAConversionFirst) {
  if (!HasTool("sox")) GTEST_SKIP() << "sox is not installed";
  TempDir dir;
  const std::string file = (dir / "s24.wav").string(), out = (dir / "out.wav").string();
  ASSERT_TRUE(RunQuietly("sox -n -r 22050 -c 2 -b 24 " + file + " synth 0.1 sine 440"));
  const auto before = ReadFileBytes(file);
  for (const std::vector<std::string>& step : {std::vector<std::string>{"--effect", "echo:1,100"},
                                               std::vector<std::string>{"--edit", "insert-silence:100"},
                                               std::vector<std::string>{"--edit", "erase"}}) {
    std::vector<std::string> args{file, "--select", "0:999"};
    args.insert(args.end(), step.begin(), step.end());
    args.insert(args.end(), {"-o", out});
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "message 1021: This sample-format can't be edited - convert it first (Convert Format and Data...) !\n");
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  // Moving whole frames needs no sample values.
  const CliResult cut = RunCli({file, "--select", "0:99", "--edit", "cut", "--info"});
  EXPECT_EQ(cut.status, 0) << cut.err;
  EXPECT_EQ(InfoLines(cut.out)["frames"], std::to_string(2205 - 99));
  const CliResult converted = RunCli({file, "--yes", "--edit", "convert:1,2,22050,16", "--effect", "echo:1,100", "-o", out});
  EXPECT_EQ(converted.status, 0) << converted.err;
  EXPECT_EQ(ReadFileBytes(file), before);
}

// Copied from a held 24-bit (extensible) sound, pasted into a 16-bit one: decoded on the way.
TEST(HeldFormat, ClipboardOfAHeldFormatPastesIntoSixteenBits) {
  if (!HasTool("sox")) GTEST_SKIP() << "sox is not installed";
  TempDir dir;
  const std::string file = (dir / "s24.wav").string(), clip = (dir / "clip").string(), out = (dir / "out.wav").string();
  ASSERT_TRUE(RunQuietly("sox -n -r 22050 -c 2 -b 24 " + file + " synth 0.1 sine 440 vol 0.5"));
  CliResult r = RunCli({file, "--clipboard", clip, "--select", "0:999", "--edit", "copy"});
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli({"--new", "1,2,22050,16,10", "--clipboard", clip, "--select", "0:0", "--edit", "paste", "-o", out});
  ASSERT_EQ(r.status, 0) << r.err;
  const SndfileSound source = ReadWithSndfile(file), pasted = ReadWithSndfile(out);
  ASSERT_EQ(pasted.frames, 10 + 999);  // the selection 0..998
  for (size_t i = 0; i < 999 * 2; ++i) ASSERT_LE(std::abs(double(pasted.floats[i]) - source.floats[i]) * 32768.0, 1.0 + 1e-6) << i;
}

TEST(HeldFormat, ConversionThatShrinksTheDataAsksFirst) {
  if (!HasTool("sox")) GTEST_SKIP() << "sox is not installed";
  TempDir dir;
  const std::string file = (dir / "f.wav").string();
  ASSERT_TRUE(RunQuietly("sox -n -r 8000 -c 1 -e floating-point -b 32 " + file + " synth 0.1 sine 440"));
  const CliResult no = RunCli({file, "--no", "--edit", "convert:1,1,8000,16", "--info"});
  EXPECT_EQ(no.status, 1);
  EXPECT_EQ(no.err, "message 1020: WARNING: quality-loss will occur. Continue? ?\n");
  EXPECT_EQ(InfoLines(no.out)["format-tag"], "");  // the run stopped at the refused step
  // ADPCM grows fourfold: nothing to ask.
  const std::string adpcm = (dir / "ima.wav").string();
  ASSERT_TRUE(RunQuietly("sox -n -r 8000 -c 1 -e ima-adpcm " + adpcm + " synth 0.1 sine 440"));
  const CliResult grows = RunCli({adpcm, "--no", "--edit", "convert:1,1,8000,16", "--info"});
  EXPECT_EQ(grows.status, 0) << grows.err;
  EXPECT_TRUE(grows.err.empty());
}

}  // namespace
}  // namespace tarkel::test

namespace tarkel::test {
namespace {

// Creative Voice files of sox (type-1, type-8 and type-9 blocks; its type-9 length is 8 bytes
// short) and of libsndfile: the rate made, not the one a time constant approximates, and
// libsndfile's samples.
TEST(VoiceFiles, FromSoxAndLibsndfileOpenAtTheirRateWithTheirSamples) {
  if (!HasTool("sox")) GTEST_SKIP() << "sox is not installed";
  TempDir dir;
  const std::string voc = (dir / "made.voc").string(), wav = (dir / "made.wav").string(), saved = (dir / "saved.wav").string();
  for (int rate : {8000, 11025, 16000, 22050, 44100, 48000}) {
    for (int channels : {1, 2}) {
      for (int bits : {8, 16}) {
        for (bool bySndfile : {false, true}) {
          SCOPED_TRACE(std::to_string(rate) + " Hz " + std::to_string(channels) + " ch " + std::to_string(bits) +
                       " bits by " + (bySndfile ? "sndfile-convert" : "sox"));
          const std::string entry = "-r " + std::to_string(rate) + " -c " + std::to_string(channels) + " -b " + std::to_string(bits);
          if (bySndfile) {
            if (!HasTool("sndfile-convert")) continue;
            ASSERT_TRUE(RunQuietly("sox -n " + entry + " " + wav + " synth 0.2 sine 440 sine 500 vol 0.7"));
            ASSERT_TRUE(RunQuietly("sndfile-convert " + wav + " " + voc));
          } else {
            ASSERT_TRUE(RunQuietly("sox -n " + entry + " " + voc + " synth 0.2 sine 440 sine 500 vol 0.7"));
          }
          const CliResult r = RunCli({voc, "--info", "-o", saved});
          ASSERT_EQ(r.status, 0) << r.err;
          auto lines = InfoLines(r.out);
          EXPECT_EQ(lines["rate"], std::to_string(rate));
          EXPECT_EQ(lines["channels"], std::to_string(channels));
          EXPECT_EQ(lines["bits"], std::to_string(bits));
          const SndfileSound reference = ReadWithSndfile(voc), ours = ReadWithSndfile(saved);
          ASSERT_TRUE(reference.ok && ours.ok);
          EXPECT_TRUE(ours.shorts == reference.shorts) << ours.shorts.size() << " samples, libsndfile " << reference.shorts.size();
        }
      }
    }
  }
}

}  // namespace
}  // namespace tarkel::test
