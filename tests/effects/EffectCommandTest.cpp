// The document side: undo before the driver, previews without undo or modified mark.
#include <gtest/gtest.h>

#include "document/CTarkelDoc.h"
#include "document/UndoStore.h"
#include "document/EffectCommands.h"
#include "EffectTestSupport.h"

namespace tarkel::test {
namespace {

class EffectCommandTest : public ::testing::Test {
 protected:
  EffectCommandTest() {
    TheUndoStore().DropSaved();
    TheUndoStore().SetEnabled(true);
    Fill16(doc.Sound(), 1, 8000, Constant16(2000, 1000));
  }
  ~EffectCommandTest() override { TheUndoStore().DropSaved(); }

  EffectRequest Request(std::string_view text) {
    std::string error;
    auto r = ParseEffectRequest(text, error);
    EXPECT_TRUE(r) << error;
    r->Bind();
    return *r;
  }

  RecordingPorts ports;
  CTarkelDoc doc;
};

TEST_F(EffectCommandTest, CancelHalfWayKeepsTheFirstPartAndUndoRestoresTheRange) {
  ports.cancelAtPump = 9;
  EffectRequest r = Request("amplitude:50");
  EXPECT_FALSE(ApplyEffectCommand(doc, r, 0, 1999, ChannelMode::Mono));
  auto out = Samples16(doc.Sound());
  EXPECT_EQ(out[1000], 500);
  EXPECT_EQ(out[1001], 1000);
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(doc.CanUndo());
  EXPECT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(Samples16(doc.Sound()), Constant16(2000, 1000));
}

TEST_F(EffectCommandTest, PreviewNeitherMarksModifiedNorRecordsUndo) {
  for (const char* text : {"echo:1,100", "fade:100,0", "reverse", "normalize", "envelope:10,0,0,10,50"}) {
    SCOPED_TRACE(text);
    EffectRequest r = Request(text);
    EXPECT_TRUE(PreviewEffectCommand(doc, r, 100, 1099, ChannelMode::Mono));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(Samples16(doc.Sound()), Constant16(2000, 1000));
    EXPECT_EQ(doc.Sound().PreviewImage().DataSize(), 2000u);
  }
}

TEST_F(EffectCommandTest, InvertAndEnvelopeGoThroughTheWrapper) {
  EffectRequest invert = Request("invert");
  EXPECT_TRUE(ApplyEffectCommand(doc, invert, 10, 19, ChannelMode::Mono));
  EXPECT_EQ(Samples16(doc.Sound())[19], -1000);
  EXPECT_TRUE(doc.CanUndo());
  EXPECT_TRUE(doc.UndoLastChange());
  EffectRequest envelope = Request("envelope:10,0,50,10,50");
  EXPECT_TRUE(ApplyEffectCommand(doc, envelope, 0, 99, ChannelMode::Mono));
  EXPECT_EQ(Samples16(doc.Sound())[10], 500);
  EXPECT_EQ(Samples16(doc.Sound())[100], 1000);
}

TEST_F(EffectCommandTest, FusionLeavesNoOlderUndoRecordBehind) {
  EffectRequest amplitude = Request("amplitude:50");
  EXPECT_TRUE(ApplyEffectCommand(doc, amplitude, 0, 99, ChannelMode::Mono));
  ASSERT_TRUE(doc.CanUndo());
  EffectRequest fusion = Request("fusion:100,100");
  ApplyEffectCommand(doc, fusion, 0, 1999, ChannelMode::Mono);
  EXPECT_FALSE(doc.CanUndo());
}

}  // namespace
}  // namespace tarkel::test
