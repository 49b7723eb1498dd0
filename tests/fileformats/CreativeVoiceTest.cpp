// The Creative Voice reader and writer: block types, rates and their snapping, the stereo block,
// the split of sounds too large for one block.
#include <gtest/gtest.h>

#include "CraftedFiles.h"
#include "sound/Bytes.h"
#include "sound/MessageIds.h"
#include "sound/WaveAudio.h"
#include "fileformats/CreativeVoice.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel::test {
namespace {

const std::vector<int> kNoMessages;

ByteString SoundBlock(uint8_t timeConstant, const ByteString& samples) {
  return VocBlock(kVocSoundData, Cat({ByteString{timeConstant, 0}, samples}));
}

bool ReadVocBytes(WaveAudio& wave, const ByteString& bytes) {
  MemorySource in(bytes);
  return ReadVoc(wave, in);
}

ByteString WriteVocBytes(WaveAudio& wave) {
  MemorySink sink;
  EXPECT_TRUE(WriteVoc(wave, sink, 0, wave.FrameCount()));
  return sink.TakeBytes();
}

TEST(CreativeVoice, RatesFromTimeConstantsSnapToStandardRates) {
  EXPECT_EQ(VocRateFromTimeConstant(165), 10989u);
  EXPECT_EQ(SnapVocRate(10989), 11025u);
  // Only rates within 2 % of a standard rate are snapped to it; others are kept.
  EXPECT_EQ(SnapVocRate(VocRateFromTimeConstant(131)), 8000u);   // 8000
  EXPECT_EQ(SnapVocRate(VocRateFromTimeConstant(193)), 16000u);  // 15873
  EXPECT_EQ(SnapVocRate(7840), 8000u);
  EXPECT_EQ(SnapVocRate(7839), 7839u);
  EXPECT_EQ(SnapVocRate(15000), 15000u);
  EXPECT_EQ(SnapVocRate(22222), 22050u);
  EXPECT_EQ(SnapVocRate(30000), 30000u);
  EXPECT_EQ(SnapVocRate(47100), 48000u);
  EXPECT_EQ(SnapVocRate(96000), 96000u);
  EXPECT_EQ(VocStereoConstantFor(22050), 59732u);
  EXPECT_EQ(VocRateFromExtendedConstant(59732, 2), 22053u);
  // Rates outside what the fields can say are kept within them.
  EXPECT_EQ(VocTimeConstantFor(1000), 0u);
  EXPECT_EQ(VocTimeConstantFor(2000000), 255u);
}

TEST(CreativeVoiceReader, SoundAndContinuationBlocksInFileOrder) {
  RecordingPorts ports;
  WaveAudio wave;
  const ByteString first = Staircase8(300);
  const ByteString second(500, 0x42);
  ASSERT_TRUE(ReadVocBytes(wave, Cat({VocHeader(), SoundBlock(165, first), VocBlock(kVocContinuation, second),
                                      ByteString{kVocTerminator}})));
  EXPECT_EQ(Bytes(wave), Cat({first, second}));
  EXPECT_EQ(wave.FrameCount(), 800u);
  EXPECT_EQ(wave.Rate(), 11025u);
  EXPECT_EQ(wave.Channels(), 1u);
  EXPECT_EQ(wave.BitsPerSample(), 8u);
  EXPECT_EQ(wave.AvgBytesPerSec(), 11025u);
  EXPECT_EQ(ports.messages, kNoMessages);
}

TEST(CreativeVoiceReader, MarkerTextSilenceAndRepeatBlocksArePassedOver) {
  RecordingPorts ports;
  const ByteString samples = Staircase8(64);
  WaveAudio plain;
  ASSERT_TRUE(ReadVocBytes(plain, Cat({VocHeader(), SoundBlock(131, samples), ByteString{0}})));
  WaveAudio busy;
  ASSERT_TRUE(ReadVocBytes(
      busy, Cat({VocHeader(), VocBlock(kVocMarker, Le16(7)), VocBlock(kVocText, Text("a longer comment\0")),
                 VocBlock(kVocRepeatStart, Le16(2)), VocBlock(kVocSilence, Cat({Le16(100), ByteString{131}})),
                 SoundBlock(131, samples), VocBlock(kVocRepeatEnd, {}), ByteString{0}})));
  EXPECT_EQ(Bytes(busy), Bytes(plain));
  EXPECT_EQ(busy.Rate(), plain.Rate());
  EXPECT_EQ(ports.messages, kNoMessages);
}

TEST(CreativeVoiceReader, ExtendedBlockMakesStereo) {
  RecordingPorts ports;
  WaveAudio wave;
  const ByteString samples = Staircase8(100);
  const ByteString extended = VocBlock(kVocExtended, Cat({Le16(59732), ByteString{0, 1}}));
  ASSERT_TRUE(ReadVocBytes(wave, Cat({VocHeader(), extended, SoundBlock(0, samples), ByteString{0}})));
  EXPECT_EQ(wave.Channels(), 2u);
  EXPECT_EQ(wave.BlockAlign(), 2u);
  EXPECT_EQ(wave.Rate(), 22050u);
  EXPECT_EQ(wave.AvgBytesPerSec(), 44100u);
  EXPECT_EQ(wave.FrameCount(), 50u);
  EXPECT_EQ(Bytes(wave), samples);
}

TEST(CreativeVoiceReader, EndsWithoutTerminatorAndCutOffBlocksKeepWhatIsThere) {
  RecordingPorts ports;
  WaveAudio wave;
  ByteString file = Cat({VocHeader(), SoundBlock(165, Staircase8(10)), VocBlockWithLength(kVocContinuation, 0xFFFFFF, {1, 2, 3})});
  ASSERT_TRUE(ReadVocBytes(wave, file));
  EXPECT_EQ(Bytes(wave), Cat({Staircase8(10), ByteString{1, 2, 3}}));
  EXPECT_EQ(ports.messages, kNoMessages);
}

TEST(CreativeVoiceWriter, StereoWritesTheExtendedBlockThenOneSoundBlock) {
  RecordingPorts ports;
  WaveAudio wave;
  Fill(wave, 2, 22050, 8, Staircase8(6));
  const ByteString file = WriteVocBytes(wave);
  const ByteString expected =
      Cat({VocHeader(), ByteString{8, 4, 0, 0}, Le16(59732), ByteString{0, 1}, ByteString{1, 8, 0, 0},
           ByteString{VocTimeConstantFor(22050), 0}, Staircase8(6), ByteString{0}});
  EXPECT_EQ(file, expected);
  EXPECT_EQ(VocTimeConstantFor(22050), 256 - 1000000 / 22050);
}

TEST(CreativeVoiceWriter, RoundTripMonoAndStereo) {
  RecordingPorts ports;
  for (uint16_t channels : {1, 2}) {
    WaveAudio wave;
    Fill(wave, channels, 11025, 8, Staircase8(1000));
    WaveAudio back;
    ASSERT_TRUE(ReadVocBytes(back, WriteVocBytes(wave)));
    EXPECT_EQ(Bytes(back), Bytes(wave));
    EXPECT_EQ(back.Channels(), channels);
    EXPECT_EQ(back.Rate(), 11025u);
  }
  EXPECT_EQ(ports.messages, kNoMessages);
}

TEST(CreativeVoiceWriter, ASoundLargerThanOneBlockContinuesInType2Blocks) {
  RecordingPorts ports;
  WaveAudio wave;
  const uint32_t bytes = kVocMaxSoundBytes + 5;
  Fill(wave, 1, 22050, 8, Staircase8(bytes));
  const ByteString file = WriteVocBytes(wave);
  ASSERT_EQ(file.size(), 26u + 4 + 2 + kVocMaxSoundBytes + 4 + 5 + 1);
  EXPECT_EQ(file[26], kVocSoundData);
  EXPECT_EQ(file[27] | file[28] << 8 | file[29] << 16, int(kVocMaxBlockLength));
  const size_t second = 26 + 4 + 2 + kVocMaxSoundBytes;
  EXPECT_EQ(file[second], kVocContinuation);
  EXPECT_EQ(file[second + 1] | file[second + 2] << 8 | file[second + 3] << 16, 5);
  WaveAudio back;
  ASSERT_TRUE(ReadVocBytes(back, file));
  EXPECT_EQ(back.DataSize(), bytes);
  EXPECT_EQ(Bytes(back), Bytes(wave));
}

TEST(CreativeVoiceWriter, RefusesWhatTheFormatCannotHold) {
  WaveAudio sixteen;
  Fill(sixteen, 1, 22050, 16, Staircase16(10));
  RecordingPorts ports;
  MemorySink sink;
  EXPECT_FALSE(WriteVoc(sixteen, sink, 0, 10));
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kUnsupportedVocWrite});
  EXPECT_TRUE(sink.Bytes().empty());

  WaveAudio eight;
  Fill(eight, 1, 22050, 8, Staircase8(10));
  CountingSink failing;
  failing.failAt = 1;
  EXPECT_FALSE(WriteVoc(eight, failing, 0, 10));
  EXPECT_EQ(ports.messages.back(), msg::kVocWriteError);
}

}  // namespace
}  // namespace tarkel::test
