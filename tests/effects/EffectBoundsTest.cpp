// Effect values in bounds: every effect runs at both ends of every value it reads, on every layout
// it may meet, and a value one past either end is refused with its range named and the sound
// left as it was. Run under the sanitizers, this is also the check that no end of a range
// overflows the engine's arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "document/CTarkelDoc.h"
#include "document/EffectCommands.h"
#include "document/UndoStore.h"
#include "effects/EffectBounds.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "EffectTestSupport.h"

namespace tarkel::test {
namespace {

struct Layout {
  uint16_t channels, bits;
  ChannelMode mode;
};
constexpr Layout kLayouts[] = {
    {1, 8, ChannelMode::Mono},  {2, 8, ChannelMode::Both},  {2, 8, ChannelMode::Right},
    {1, 16, ChannelMode::Mono}, {2, 16, ChannelMode::Both}, {2, 16, ChannelMode::Left},
};

// A low rate keeps the longest delays (a second of echo) inside a short sound.
constexpr uint32_t kRate = 1000;
constexpr uint32_t kFrames = 2400;

class EffectBounds : public ::testing::Test {
 protected:
  EffectBounds() {
    TheUndoStore().DropSaved();
    TheUndoStore().SetEnabled(true);
  }
  ~EffectBounds() override { TheUndoStore().DropSaved(); }

  static void FillSound(CTarkelDoc& doc, const Layout& layout) {
    std::vector<uint8_t> bytes(size_t(kFrames) * layout.channels * layout.bits / 8);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 37 + (i >> 3));
    Fill(doc.Sound(), layout.channels, kRate, layout.bits, bytes);
  }

  // A request for `entry` with every value it reads at the low end of its range.
  static EffectRequest LowestRequest(const EffectEntry& entry, uint16_t bits) {
    EffectRequest r;
    r.entry = &entry;
    r.params.effectId = entry.id;
    for (const RecordWord word : kAllRecordWords)
      if (const ValueBound* b = FindValueBound(entry.id, word, bits)) SetRecordValue(r.params, word, double(b->min));
    if (entry.id == effect::kDtmf) r.digits = "0815#*";
    return r;
  }

  // Each text shown names the value and its range.
  static bool RefusedWithRange(const RecordingPorts& ports, const ValueBound& b) {
    const std::string range = "between " + std::to_string(b.min) + " and " + std::to_string(b.max);
    for (const std::string& text : ports.texts)
      if (text.find(range) == std::string::npos || text.find(b.name) == std::string::npos) return false;
    return !ports.texts.empty() && ports.messages.empty();
  }
};

TEST_F(EffectBounds, EveryValueRunsAtBothEndsAndIsRefusedOnePastThem) {
  for (const Layout& layout : kLayouts) {
    for (const EffectEntry& entry : AllEffects()) {
      for (const RecordWord word : kAllRecordWords) {
        const ValueBound* b = FindValueBound(entry.id, word, layout.bits);
        if (!b) continue;
        SCOPED_TRACE(std::string(entry.name) + " value " + std::to_string(ValueNumber(word)) + ", " +
                     std::to_string(layout.channels) + " channels, " + std::to_string(layout.bits) + " bits");
        for (const int64_t end : {b->min, b->max}) {
          RecordingPorts ports;
          CTarkelDoc doc;
          FillSound(doc, layout);
          EffectRequest r = LowestRequest(entry, layout.bits);
          SetRecordValue(r.params, word, double(end));
          ApplyEffectCommand(doc, r, 0, kFrames - 1, layout.mode);  // may fail for its own reasons
          for (const std::string& text : ports.texts) EXPECT_EQ(text.find("must be"), std::string::npos) << text;
          EXPECT_EQ(doc.Sound().DataSize() % doc.Sound().BlockAlign(), 0u);
        }
        for (const int64_t past : {b->min - 1, b->max + 1}) {
          RecordingPorts ports;
          CTarkelDoc doc;
          FillSound(doc, layout);
          const std::vector<uint8_t> before = Bytes(doc.Sound());
          EffectRequest r = LowestRequest(entry, layout.bits);
          SetRecordValue(r.params, word, double(past));
          EXPECT_FALSE(ApplyEffectCommand(doc, r, 0, kFrames - 1, layout.mode)) << past;
          EXPECT_FALSE(PreviewEffectCommand(doc, r, 0, kFrames - 1, layout.mode)) << past;
          EXPECT_TRUE(RefusedWithRange(ports, *b)) << past;
          EXPECT_EQ(Bytes(doc.Sound()), before);
          EXPECT_FALSE(doc.CanUndo());
          EXPECT_FALSE(doc.IsModified());
        }
      }
    }
  }
}

TEST_F(EffectBounds, TheOffsetFollowsTheSampleWidthAndTheBlockLengthIsAPowerOfTwo) {
  const EffectEntry& offset = *FindEffect(effect::kDcOffset);
  EffectRequest r = LowestRequest(offset, 8);
  r.params.param1 = 255;
  EXPECT_FALSE(OutOfBoundsText(r, 8));
  r.params.param1 = -1;
  EXPECT_EQ(OutOfBoundsText(r, 8), "offset: value 1 (offset) must be between 0 and 255");
  EXPECT_FALSE(OutOfBoundsText(r, 16));
  r.params.param1 = -32769;
  EXPECT_NE(OutOfBoundsText(r, 16)->find("between -32768 and 32767"), std::string::npos);

  EffectRequest filter = LowestRequest(*FindEffect(effect::kNumericalFilter), 16);
  for (int32_t length : {512, 1024, 2048, 4096, 8192, 16384}) {
    filter.params.param5 = length;
    EXPECT_FALSE(OutOfBoundsText(filter, 16)) << length;
  }
  filter.params.param5 = 1000;
  EXPECT_EQ(OutOfBoundsText(filter, 16), "filter: value 5 (block length) must be a power of two between 512 and 16384");
}

TEST_F(EffectBounds, EqualizerGainsAreCheckedAsNumbersAndANanIsOutside) {
  EffectRequest r = LowestRequest(*FindEffect(effect::kEqualizer), 16);
  r.params.real3 = 200.0;
  EXPECT_FALSE(OutOfBoundsText(r, 16));
  r.params.real3 = 200.5;
  EXPECT_EQ(OutOfBoundsText(r, 16), "equalizer: value 3 (band 3 gain in percent) must be between 0 and 200");
  r.params.real3 = std::nan("");
  EXPECT_TRUE(OutOfBoundsText(r, 16));
}

TEST_F(EffectBounds, EnvelopePointsStayInsideTheCurveAndExtremeHeightsDoNotOverflow) {
  std::string error;
  std::optional<EffectRequest> r = ParseEffectRequest("envelope:100,0,0,100,-2147483648", error);
  ASSERT_TRUE(r);
  EXPECT_EQ(OutOfBoundsText(*r, 16), "envelope: value 5 (y in percent from the top) must be between 0 and 100");
  r = ParseEffectRequest("envelope:100,0,0,101,50", error);
  EXPECT_EQ(OutOfBoundsText(*r, 16), "envelope: value 4 (x) must be between 0 and 100");
  r = ParseEffectRequest("envelope:100,0,0,100,100", error);
  EXPECT_FALSE(OutOfBoundsText(*r, 16));

  // The driver itself, given heights no dialog gives, still computes its levels without overflow.
  RecordingPorts ports;
  DocWaveAudio wave;
  Fill16(wave, 1, 8000, Constant16(100, 1000));
  const std::vector<EnvelopePoint> points = {{0, INT32_MIN}, {100, INT32_MAX}};
  EXPECT_EQ(ApplyEnvelopePoints(wave, 0, 99, ChannelMode::Mono, 100, points, false), 100u);
}

TEST_F(EffectBounds, DelayFamilyGivenExtremeRecordsDirectlyDoesNotOverflow) {
  // The general driver keeps its pass and delay arithmetic in 64 bits for any record; the
  // selection is too small for these delays, so nothing runs for long.
  for (const uint32_t id : {effect::kEcho, effect::kVibverb, effect::kTube, effect::kMetal, effect::kRobotize}) {
    RecordingPorts ports;
    DocWaveAudio wave;
    Fill16(wave, 2, 44100, Constant16(200, 1000));
    EffectParams p(id, INT32_MAX, INT32_MAX, 1, INT32_MAX);
    EXPECT_EQ(ApplyEffect(wave, 0, 99, ChannelMode::Both, p), 0u) << id;
    EXPECT_EQ(ports.messages, std::vector<int>{1024}) << id;
  }
}

}  // namespace
}  // namespace tarkel::test
