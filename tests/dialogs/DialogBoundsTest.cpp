// The dialogs and the engine agree on the values an effect takes: every value a dialog can put
// into the record lies within the engine's bounds, a slider's ends are exactly the bounds' ends,
// and the engine bounds no value of a dialog's effect that the dialog does not deliver.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dialogs/CurveModel.h"
#include "dialogs/DialogCatalogue.h"
#include "dialogs/DialogValues.h"
#include "effects/EffectBounds.h"

namespace tarkel {
namespace {

RecordWord WordOf(RecordSlot slot) { return RecordWord(int(slot) - int(RecordSlot::P1)); }

int64_t Scaled(const ParamDecl& p, int64_t v) { return v * p.scale.mul / p.scale.div + p.scale.add; }

struct Range {
  int64_t min, max;
  bool exact;  // the dialog reaches both ends of the engine's range
};

// The record values a dialog parameter can deliver on a sound of `bits`.
Range RecordRange(const ParamDecl& p, uint16_t bits) {
  switch (p.kind) {
    case ParamKind::Frequency:
      return {int64_t(kMinFrequency * 100), int64_t(kMaxFrequency * 100), true};
    case ParamKind::SampleOffset: {
      const auto [low, high] = OffsetRange(bits);
      return {low, high, true};
    }
    case ParamKind::Choice:
      if (!p.entryRecordValues.empty()) {
        const auto [low, high] = std::minmax_element(p.entryRecordValues.begin(), p.entryRecordValues.end());
        return {*low, *high, false};
      }
      return {p.min, p.max, true};
    case ParamKind::Check: return {p.min, p.max, false};
    default: return {Scaled(p, p.min), Scaled(p, p.max), true};
  }
}

TEST(DialogBounds, EveryDialogValueLiesWithinTheEngineBounds) {
  for (const DialogDecl& d : AllDialogs()) {
    if (d.operation != DialogOperation::Effect) continue;
    for (const ParamDecl& p : d.params) {
      if (p.slot == RecordSlot::None) continue;
      for (const uint16_t bits : {uint16_t(8), uint16_t(16)}) {
        SCOPED_TRACE(std::string(d.name) + " " + p.label + " " + std::to_string(bits) + " bits");
        const ValueBound* b = FindValueBound(d.effectId, WordOf(p.slot), bits);
        ASSERT_NE(b, nullptr);
        const Range r = RecordRange(p, bits);
        EXPECT_GE(r.min, b->min);
        EXPECT_LE(r.max, b->max);
        if (r.exact) {
          EXPECT_EQ(r.min, b->min);
          EXPECT_EQ(r.max, b->max);
        }
      }
    }
  }
}

TEST(DialogBounds, TheEngineBoundsOnlyWhatTheDialogDelivers) {
  for (const ValueBound& b : AllValueBounds()) {
    const auto dialog = std::find_if(AllDialogs().begin(), AllDialogs().end(), [&](const DialogDecl& d) {
      return d.operation == DialogOperation::Effect && d.effectId == b.effectId && !d.params.empty();
    });
    if (dialog == AllDialogs().end()) continue;  // no dialog: the engine's own ranges
    const bool delivered = std::any_of(dialog->params.begin(), dialog->params.end(), [&](const ParamDecl& p) {
      return p.slot != RecordSlot::None && WordOf(p.slot) == b.word;
    });
    EXPECT_TRUE(delivered) << dialog->name << " value " << ValueNumber(b.word);
  }
}

TEST(DialogBounds, TheCurveEditorsPointsFitTheEnvelopeBounds) {
  EXPECT_EQ(kCurveHeight, kEnvelopeMaxY);
  EXPECT_LE(kMaxCurvePoints, kMaxEnvelopePoints);
}

}  // namespace
}  // namespace tarkel
