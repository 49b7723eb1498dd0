// The RIFF reader on what other programs write beyond the classic layout: RF64/BW64 sizes,
// WAVE_FORMAT_EXTENSIBLE, blocked formats whose "fact" chunk counts the samples; and the
// Creative Voice reader on 16-bit (type-9) blocks and rates that are not 11025 or 22050.
#include <gtest/gtest.h>

#include "CraftedFiles.h"
#include "sound/Bytes.h"
#include "sound/MessageIds.h"
#include "sound/WaveAudio.h"
#include "fileformats/CreativeVoice.h"
#include "fileformats/HeldFormat.h"
#include "fileformats/RiffWave.h"
#include "fileformats/SoundFile.h"
#include "support/TestPorts.h"

namespace tarkel::test {
namespace {

ByteString Le64(uint64_t v) { return Cat({Le32(uint32_t(v)), Le32(uint32_t(v >> 32))}); }

// An RF64 file: "RF64", size -1, "WAVE", "ds64" with the real sizes, "fmt ", "data" of size -1.
ByteString Rf64(const char* form, uint64_t dataSize, const ByteString& data) {
  const ByteString ds64 = Chunk("ds64", Cat({Le64(0), Le64(dataSize), Le64(dataSize / 2), Le32(0)}));
  const ByteString rest = Cat({ds64, Chunk("fmt ", PcmFmtBody(1, 48000, 16)), ChunkWithSize("data", 0xFFFFFFFF, data)});
  return Cat({Text(form), Le32(0xFFFFFFFF), Text("WAVE"), rest});
}

// The extensible format block: 18 bytes, valid bits, channel mask, sub-format GUID.
ByteString ExtensibleFmt(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t validBits, uint8_t subFormat) {
  const uint16_t align = uint16_t(channels * bits / 8);
  return Cat({FmtBody(0xFFFE, channels, rate, rate * align, align, bits), Le16(22), Le16(validBits), Le32(3),
              ByteString{subFormat, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71}});
}

TEST(Rf64, OpensWithTheSizesOfItsDs64Chunk) {
  for (const char* form : {"RF64", "BW64"}) {
    RecordingPorts ports;
    WaveAudio wave;
    const ByteString data{1, 0, 2, 0, 3, 0, 4, 0};
    ASSERT_TRUE(OpenSoundMemory(wave, Cat({Rf64(form, 6, data), Chunk("LIST", Text("INFOxxxx"))}))) << form;
    EXPECT_EQ(wave.FormatTag(), kFormatTagPcm);
    EXPECT_EQ(wave.DataSize(), 6u);  // the ds64 size, not the bytes up to the end of the file
    EXPECT_EQ(wave.Frames(), 3u);
    EXPECT_TRUE(ports.messages.empty());
  }
}

TEST(Rf64, DataPast32BitCountsIsRefusedNotReadAsRaw) {
  RecordingPorts ports;
  WaveAudio wave;
  EXPECT_FALSE(OpenSoundMemory(wave, Rf64("RF64", 0x100000000ull, {1, 0, 2, 0})));
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kDataTooLarge});
  EXPECT_FALSE(wave.HasData());
}

TEST(Extensible, PcmOf8Or16BitsInOneOrTwoChannelsIsPlainPcm) {
  RecordingPorts ports;
  for (uint16_t bits : {8, 16}) {
    for (uint16_t channels : {1, 2}) {
      WaveAudio wave;
      const ByteString file = Riff(Cat({Chunk("fmt ", ExtensibleFmt(channels, 96000, bits, bits, 1)), Chunk("data", ByteString(8, 7))}));
      ASSERT_TRUE(OpenSoundMemory(wave, file));
      EXPECT_EQ(wave.FormatTag(), kFormatTagPcm);
      EXPECT_EQ(wave.Format().ExtraSize(), 0u);
      EXPECT_EQ(wave.BitsPerSample(), bits);
      EXPECT_EQ(wave.Channels(), channels);
      EXPECT_EQ(wave.Rate(), 96000u);
    }
  }
  // Float samples, 24 bits or six channels stay held as they are.
  for (const ByteString& fmt : {ExtensibleFmt(2, 48000, 32, 32, 3), ExtensibleFmt(2, 48000, 24, 24, 1),
                                ExtensibleFmt(6, 48000, 16, 16, 1)}) {
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundMemory(wave, Riff(Cat({Chunk("fmt ", fmt), Chunk("data", ByteString(48, 7))}))));
    EXPECT_EQ(wave.FormatTag(), kFormatTagExtensible);
    EXPECT_EQ(wave.Format().ExtraSize(), kExtensibleExtraSize);
  }
  EXPECT_TRUE(ports.messages.empty());
}

// MPEG in WAV: blocks of 1152 that do not divide the data; ADPCM: the "fact" chunk counts samples.
TEST(BlockedFormat, KeepsEveryDataByteAndItsFactCount) {
  RecordingPorts ports;
  WaveAudio wave;
  ByteString fmt = Cat({FmtBody(0x55, 1, 44100, 16000, 1152, 0), Le16(0)});
  const ByteString data(3000, 0x5A);
  ASSERT_TRUE(OpenSoundMemory(wave, Riff(Cat({Chunk("fmt ", fmt), Chunk("fact", Le32(4410)), Chunk("data", data)}))));
  EXPECT_TRUE(IsBlockedFormat(wave.Format()));
  EXPECT_EQ(SampleFramesOf(wave), 4410u);
  MemorySink out;
  ASSERT_TRUE(WriteWave(wave, out, 0, wave.Frames()));
  const ByteString& saved = out.Bytes();
  EXPECT_EQ(GetLE32(&saved[246]), 4410u);  // "fact"
  EXPECT_EQ(GetLE32(&saved[254]), 3000u);  // "data": every byte, not two whole blocks
  EXPECT_EQ(ByteString(saved.begin() + 258, saved.begin() + 258 + 3000), data);
  EXPECT_TRUE(ports.messages.empty());
}

ByteString NewSoundBlock(uint32_t rate, uint8_t bits, uint8_t channels, uint16_t codec, const ByteString& samples) {
  return VocBlock(kVocSoundDataNew, Cat({Le32(rate), ByteString{bits, channels}, Le16(codec), Le32(0), samples}));
}

TEST(CreativeVoiceNew, ReadsSixteenAndEightBitBlocks) {
  RecordingPorts ports;
  WaveAudio wave;
  const ByteString samples = Cat({Le16(1), Le16(0xFFFF), Le16(300), Le16(0x8000)});
  ASSERT_TRUE(OpenSoundMemory(wave, Cat({VocHeader(), NewSoundBlock(16000, 16, 2, kVocCodecPcm16, samples),
                                         VocBlock(kVocContinuation, Cat({Le16(5), Le16(6)})), ByteString{0}})));
  EXPECT_EQ(wave.BitsPerSample(), 16u);
  EXPECT_EQ(wave.Channels(), 2u);
  EXPECT_EQ(wave.Rate(), 16000u);
  EXPECT_EQ(wave.Frames(), 3u);
  EXPECT_EQ(ByteString(wave.Data(), wave.Data() + wave.DataSize()), Cat({samples, Le16(5), Le16(6)}));

  WaveAudio eight;
  ASSERT_TRUE(OpenSoundMemory(eight, Cat({VocHeader(), NewSoundBlock(8000, 8, 1, kVocCodecPcm8, {1, 2, 3}), ByteString{0}})));
  EXPECT_EQ(eight.BitsPerSample(), 8u);
  EXPECT_EQ(eight.Rate(), 8000u);
  EXPECT_EQ(eight.Frames(), 3u);
  EXPECT_TRUE(ports.messages.empty());
}

TEST(CreativeVoiceNew, CompressedOrMixedBlocksAreRefused) {
  const ByteString h = VocHeader();
  struct Row {
    ByteString bytes;
    int message;
  };
  const Row rows[] = {
      {Cat({h, NewSoundBlock(8000, 4, 1, 1, {1, 2})}), msg::kVocOnlyPcm},      // Creative ADPCM
      {Cat({h, NewSoundBlock(8000, 8, 1, 6, {1, 2})}), msg::kVocOnlyPcm},      // A-law
      {Cat({h, NewSoundBlock(0, 16, 1, kVocCodecPcm16, {1, 2})}), msg::kUnsupportedVoc},
      {Cat({h, NewSoundBlock(8000, 16, 3, kVocCodecPcm16, {1, 2})}), msg::kUnsupportedVoc},
      {Cat({h, NewSoundBlock(8000, 16, 1, kVocCodecPcm16, {1, 2}), NewSoundBlock(8000, 8, 1, kVocCodecPcm8, {1})}),
       msg::kUnsupportedVoc},
      {Cat({h, VocBlock(kVocSoundDataNew, {1, 2, 3})}), msg::kUnsupportedVoc},
  };
  for (const Row& row : rows) {
    RecordingPorts ports;
    WaveAudio wave;
    EXPECT_FALSE(OpenSoundMemory(wave, row.bytes));
    EXPECT_EQ(ports.messages, std::vector<int>{row.message});
    EXPECT_FALSE(wave.HasData());
  }
}

TEST(CreativeVoiceNew, TimeConstantsOf8000And16000HzKeepTheirRate) {
  RecordingPorts ports;
  WaveAudio wave;
  // 256 - 1000000 / 8000 = 131: exactly 8000 Hz, formerly opened as 11025.
  ASSERT_TRUE(OpenSoundMemory(wave, Cat({VocHeader(), VocBlock(kVocSoundData, {131, 0, 1, 2}), ByteString{0}})));
  EXPECT_EQ(wave.Rate(), 8000u);
  // A stereo type-8 block for 16000 Hz.
  WaveAudio stereo;
  ASSERT_TRUE(OpenSoundMemory(stereo, Cat({VocHeader(), VocBlock(kVocExtended, Cat({Le16(VocStereoConstantFor(16000)), ByteString{0, 1}})),
                                           VocBlock(kVocSoundData, {0, 0, 1, 2}), ByteString{0}})));
  EXPECT_EQ(stereo.Rate(), 16000u);
  EXPECT_EQ(stereo.Channels(), 2u);
}

TEST(CreativeVoiceNew, EveryStandardRateSurvivesWritingAndReading) {
  for (uint32_t rate : {8000u, 11025u, 16000u, 22050u, 32000u, 44100u, 48000u}) {
    for (uint16_t channels : {1, 2}) {
      RecordingPorts ports;
      WaveAudio wave;
      wave.Format() = WaveFormat::Pcm(channels, rate, 8);
      wave.AllocateData(4 * channels);
      MemorySink out;
      ASSERT_TRUE(WriteVoc(wave, out, 0, wave.Frames()));
      WaveAudio back;
      ASSERT_TRUE(OpenSoundMemory(back, out.Bytes()));
      EXPECT_EQ(back.Rate(), rate) << channels << " channels";
      EXPECT_EQ(VocRateReadBack(rate, channels), rate);
    }
  }
  // The writer's constant of 44100 Hz mono is 22 microseconds: read back as 44100, not 45454.
  EXPECT_EQ(VocRateOfTimeConstant(VocTimeConstantFor(44100)), 44100u);
  EXPECT_EQ(VocRateOfTimeConstant(165), 10989u);
}

}  // namespace
}  // namespace tarkel::test
