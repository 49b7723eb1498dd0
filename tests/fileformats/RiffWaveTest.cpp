// The RIFF WAVE reader and writer: the bytes the writer makes, the rules of the format chunk,
// the 20-step transfer with its progress window, and round trips.
#include <gtest/gtest.h>

#include <cstring>

#include "CraftedFiles.h"
#include "sound/Bytes.h"
#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/WaveImage.h"
#include "fileformats/RiffWave.h"
#include "fileformats/SoundFile.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel::test {
namespace {

const std::vector<int> kNoMessages;

ByteString WriteToMemory(WaveAudio& wave, uint32_t first, uint32_t end) {
  MemorySink sink;
  EXPECT_TRUE(WriteWave(wave, sink, first, end));
  return sink.TakeBytes();
}

bool ReadFromMemory(WaveAudio& wave, const ByteString& bytes) {
  MemorySource in(bytes);
  return ReadWave(wave, in);
}

TEST(RiffWaveWriter, ThreeFramesOfEightBitMonoMakeTheFullHeaderAndAPadByte) {
  RecordingPorts ports;
  WaveAudio wave;
  Fill(wave, 1, 11025, 8, {10, 20, 30});
  const ByteString file = WriteToMemory(wave, 0, 3);

  ASSERT_EQ(file.size(), 258u + 3 + 1);
  EXPECT_TRUE(HasTag(&file[0], "RIFF"));
  EXPECT_EQ(GetLE32(&file[4]), file.size() - 8);
  EXPECT_TRUE(HasTag(&file[8], "WAVE"));
  EXPECT_TRUE(HasTag(&file[12], "fmt "));
  EXPECT_EQ(GetLE32(&file[16]), 218u);
  EXPECT_EQ(0, std::memcmp(&file[20], wave.Format().Data(), 218));
  EXPECT_TRUE(HasTag(&file[238], "fact"));
  EXPECT_EQ(GetLE32(&file[242]), 4u);
  EXPECT_EQ(GetLE32(&file[246]), 3u);
  EXPECT_TRUE(HasTag(&file[250], "data"));
  EXPECT_EQ(GetLE32(&file[254]), 3u);
  EXPECT_EQ(ByteString(file.begin() + 258, file.end()), (ByteString{10, 20, 30, 0}));
  EXPECT_EQ(ports.messages, kNoMessages);
}

TEST(RiffWaveWriter, ASelectedAreaWritesItsOwnFramesAndFrameCount) {
  RecordingPorts ports;
  WaveAudio wave;
  Fill(wave, 2, 22050, 16, Staircase16(2000));  // 1000 stereo frames
  const ByteString file = WriteToMemory(wave, 100, 200);

  ASSERT_EQ(file.size(), 258u + 400);
  EXPECT_EQ(GetLE32(&file[246]), 100u);
  EXPECT_EQ(GetLE32(&file[254]), 400u);
  const ByteString expected = Staircase16(2000);
  EXPECT_EQ(ByteString(file.begin() + 258, file.end()), ByteString(expected.begin() + 400, expected.begin() + 800));
}

TEST(RiffWaveWriter, WritesTwentyStepsUnderSavingFile) {
  RecordingPorts ports;
  WaveAudio wave;
  Fill(wave, 1, 8000, 8, Staircase8(1001));
  CountingSink sink;
  ASSERT_TRUE(WriteWave(wave, sink, 0, 1001));

  EXPECT_EQ(ports.captions, std::vector<std::string>{"Saving File..."});
  EXPECT_EQ(ports.pumps, 20);
  EXPECT_EQ(ports.positions.back(), 100);
  // Header, 19 steps of 50 bytes, a last step of 51, the pad byte.
  ASSERT_EQ(sink.writes.size(), 1u + 20 + 1);
  for (size_t i = 1; i < 20; ++i) EXPECT_EQ(sink.writes[i], 50u);
  EXPECT_EQ(sink.writes[20], 51u);
  EXPECT_EQ(sink.writes[21], 1u);
}

TEST(RiffWaveWriter, CancelFailsQuietlyAndAFailedWriteSays3010) {
  WaveAudio wave;
  Fill(wave, 1, 8000, 8, Staircase8(1000));
  {
    RecordingPorts ports;
    ports.cancelAtPump = 4;
    CountingSink sink;
    EXPECT_FALSE(WriteWave(wave, sink, 0, 1000));
    EXPECT_EQ(ports.messages, kNoMessages);
    EXPECT_EQ(sink.writes.size(), 1u + 4);
  }
  {
    RecordingPorts ports;
    CountingSink sink;
    sink.failAt = 7;
    EXPECT_FALSE(WriteWave(wave, sink, 0, 1000));
    EXPECT_EQ(ports.messages, std::vector<int>{msg::kWriteOutOfSpace});
  }
  {
    RecordingPorts ports;
    ports.progressOpens = false;
    CountingSink sink;
    EXPECT_TRUE(WriteWave(wave, sink, 0, 1000));
    EXPECT_EQ(ports.messages, std::vector<int>{msg::kGeneralErrorBang});
  }
}

TEST(RiffWaveReader, FormatChunkRules) {
  {  // 16 bytes: no cbSize in the file, so 0
    RecordingPorts ports;
    WaveAudio wave;
    ASSERT_TRUE(ReadFromMemory(wave, CanonicalWave(1, 8000, 8, {1, 2})));
    EXPECT_EQ(wave.Format().ExtraSize(), 0u);
  }
  {  // 20 bytes with cbSize 2: the extra bytes are kept, and the data is held as read
    RecordingPorts ports;
    WaveAudio wave;
    const ByteString fmt = Cat({FmtBody(2, 1, 8000, 4096, 256, 4), Le16(2), ByteString{0xAA, 0xBB}});
    ASSERT_TRUE(ReadFromMemory(wave, Riff(Cat({Chunk("fmt ", fmt), Chunk("data", {9, 8, 7})}))));
    EXPECT_EQ(wave.FormatTag(), 2u);
    EXPECT_EQ(wave.Format().ExtraSize(), 2u);
    EXPECT_EQ(wave.Format().Data()[18], 0xAA);
    EXPECT_EQ(wave.Format().Data()[19], 0xBB);
    EXPECT_EQ(Bytes(wave), (ByteString{9, 8, 7}));
  }
  {  // "fmt_" is a format chunk too; 0 bytes per second are worked out
    RecordingPorts ports;
    WaveAudio wave;
    ASSERT_TRUE(ReadFromMemory(wave, Riff(Cat({Chunk("fmt_", FmtBody(1, 2, 22050, 0, 4, 16)), Chunk("data", {})}))));
    EXPECT_EQ(wave.AvgBytesPerSec(), 88200u);
  }
  {  // 219 bytes are refused
    RecordingPorts ports;
    WaveAudio wave;
    ByteString fmt = PcmFmtBody(1, 8000, 8);
    fmt.resize(219);
    EXPECT_FALSE(ReadFromMemory(wave, Riff(Cat({Chunk("fmt ", fmt), Chunk("data", {1})}))));
    EXPECT_EQ(ports.messages, std::vector<int>{msg::kGetWaveFileFormat});
  }
  {  // a cbSize past the block copies only up to its end
    RecordingPorts ports;
    WaveAudio wave;
    const ByteString fmt = Cat({FmtBody(2, 1, 8000, 8000, 1, 8), Le16(0xFFFF)});
    ASSERT_TRUE(ReadFromMemory(wave, Riff(Cat({Chunk("fmt ", fmt), Chunk("data", {1})}))));
    EXPECT_EQ(wave.Format().CopySize(), 218u);
  }
}

TEST(RiffWaveReader, ReadsTwentyStepsUnderProgress) {
  RecordingPorts ports;
  WaveAudio wave;
  const ByteString data = Staircase8(1001);
  CountingSource in(CanonicalWave(1, 8000, 8, data));
  ASSERT_TRUE(ReadWave(wave, in));

  EXPECT_EQ(Bytes(wave), data);
  EXPECT_EQ(wave.FrameCount(), 1001u);
  EXPECT_EQ(ports.captions, std::vector<std::string>{"Progress..."});
  EXPECT_EQ(ports.pumps, 20);
  EXPECT_EQ(ports.positions.back(), 100);
  ASSERT_GE(in.reads.size(), 20u);
  const std::vector<size_t> steps(in.reads.end() - 20, in.reads.end());
  for (size_t i = 0; i < 19; ++i) EXPECT_EQ(steps[i], 50u);
  EXPECT_EQ(steps[19], 51u);
}

TEST(RiffWaveReader, CancelFailsWithoutMessageAndAMissingWindowSays3009) {
  const ByteString file = CanonicalWave(1, 8000, 8, Staircase8(400));
  {
    RecordingPorts ports;
    ports.cancelAtPump = 10;
    WaveAudio wave;
    EXPECT_FALSE(ReadFromMemory(wave, file));
    EXPECT_EQ(ports.messages, kNoMessages);
    EXPECT_FALSE(wave.HasData());
  }
  {
    RecordingPorts ports;
    ports.progressOpens = false;
    WaveAudio wave;
    EXPECT_TRUE(ReadFromMemory(wave, file));
    EXPECT_EQ(ports.messages, std::vector<int>{msg::kGeneralErrorBang});
    EXPECT_EQ(Bytes(wave), Staircase8(400));
  }
}

TEST(RiffWaveReader, ChunkWalk) {
  RecordingPorts ports;
  {  // an odd LIST chunk (with its pad byte) before the format; a fact chunk; chunks after the data
    WaveAudio wave;
    const ByteString file = Riff(Cat({Chunk("LIST", Text("INFOabc")), Chunk("fmt ", PcmFmtBody(1, 8000, 8)),
                                      Chunk("fact", Le32(999)), Chunk("data", {1, 2, 3}),
                                      Chunk("data", {4, 5, 6, 7}), Chunk("fact", Le32(12345))}));
    ASSERT_TRUE(ReadFromMemory(wave, file));
    EXPECT_EQ(Bytes(wave), (ByteString{1, 2, 3}));
    EXPECT_EQ(wave.FrameCount(), 3u);
  }
  {  // no data chunk: the format alone, frame count from "fact"
    WaveAudio wave;
    ASSERT_TRUE(ReadFromMemory(wave, Riff(Cat({Chunk("fmt ", PcmFmtBody(2, 44100, 16)), Chunk("fact", Le32(77))}))));
    EXPECT_FALSE(wave.HasData());
    EXPECT_EQ(wave.Channels(), 2u);
    EXPECT_EQ(wave.FrameCount(), 77u);
  }
  {  // a cut-off file: the data chunk claims more than is there, and what is there is read
    WaveAudio wave;
    const ByteString file = Riff(Cat({Chunk("fmt ", PcmFmtBody(1, 8000, 16)), ChunkWithSize("data", 0xFFFFFFF0u, Staircase16(5))}));
    ASSERT_TRUE(ReadFromMemory(wave, file));
    EXPECT_EQ(Bytes(wave), Staircase16(5));
    EXPECT_EQ(wave.FrameCount(), 5u);
  }
  EXPECT_EQ(ports.messages, kNoMessages);
}

TEST(RiffWaveReader, CanonicalHeaderOfAWaveImageReadsBack) {
  RecordingPorts ports;
  const WaveFormat format = WaveFormat::Pcm(2, 44100, 16);
  const ByteString data = Staircase16(8);
  ByteString image(44);
  WriteCanonicalHeader(image.data(), format, uint32_t(data.size()));
  image.insert(image.end(), data.begin(), data.end());
  EXPECT_EQ(image, CanonicalWave(2, 44100, 16, data));
  EXPECT_EQ(GetLE32(&image[4]), data.size() + 36);
  WaveAudio wave;
  ASSERT_TRUE(OpenSoundMemory(wave, image));
  EXPECT_EQ(Bytes(wave), data);
  EXPECT_EQ(wave.FrameCount(), 4u);
}

TEST(RiffWaveRoundTrip, PcmAndCompressedFormatsComeBackByteForByte) {
  RecordingPorts ports;
  for (uint16_t channels : {1, 2}) {
    for (uint16_t bits : {8, 16}) {
      WaveAudio wave;
      Fill(wave, channels, 22050, bits, Staircase8(channels * bits / 8 * 300));
      WaveAudio back;
      ASSERT_TRUE(OpenSoundMemory(back, WriteToMemory(wave, 0, wave.FrameCount())));
      EXPECT_EQ(Bytes(back), Bytes(wave));
      EXPECT_TRUE(back.Format().SamePcmFields(wave.Format()));
    }
  }
  WaveAudio adpcm;
  adpcm.Format() = WaveFormat::Make(2, 1, 22050, 4);
  adpcm.Format().SetBlockAlign(256);
  adpcm.Format().SetExtraSize(32);
  for (int i = 0; i < 32; ++i) adpcm.Format().Data()[18 + i] = uint8_t(i + 1);
  const ByteString data = Staircase8(256 * 3);
  std::memcpy(adpcm.AllocateData(uint32_t(data.size())), data.data(), data.size());
  WaveAudio back;
  ASSERT_TRUE(OpenSoundMemory(back, WriteToMemory(adpcm, 0, 3)));
  EXPECT_EQ(0, std::memcmp(back.Format().Data(), adpcm.Format().Data(), 218));
  EXPECT_EQ(Bytes(back), data);
  EXPECT_EQ(ports.messages, kNoMessages);
}

}  // namespace
}  // namespace tarkel::test
