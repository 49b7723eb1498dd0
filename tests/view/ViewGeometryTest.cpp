// The view's maths without a display: columns, visible range, zoom, selection keys, the pointer.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "view/ColumnPeak.h"
#include "view/ViewGeometry.h"
#include "view/ZeroCrossing.h"

namespace tarkel {
namespace {

ViewGeometry Window(uint32_t frames, uint16_t channels, int width = 100, int height = 218) {
  ViewGeometry g;
  g.SetSound(frames, channels);
  g.SetClientSize(width, height);
  g.ShowAll();
  return g;
}

TEST(ViewGeometry, FramesPerColumnRoundHalfUpToAMultipleOfTheChannels) {
  EXPECT_EQ(Window(1050, 1).FramesPerColumn(), 11u);   // 10.5 rounds up
  EXPECT_EQ(Window(1049, 1).FramesPerColumn(), 10u);
  EXPECT_EQ(Window(1150, 2).FramesPerColumn(), 12u);   // 11.5 -> 12
  EXPECT_EQ(Window(1050, 2).FramesPerColumn(), 10u);   // 11 -> 10 for two channels
  EXPECT_EQ(Window(50, 1).FramesPerColumn(), 1u);      // never 0
  const ViewGeometry g = Window(1000, 1);
  EXPECT_EQ(g.WaveHeight(), 200);
  EXPECT_EQ(g.ColumnOfFrame(25), 2u);
  EXPECT_EQ(g.FrameOfColumn(7), 70u);
  EXPECT_EQ(g.FrameOfColumn(500), 1000u);  // limited to the length
}

TEST(ViewGeometry, VisibleRangeKeepsOneFramePerColumnAndStaysInsideTheSound) {
  ViewGeometry g = Window(10000, 1);
  EXPECT_TRUE(g.SetVisibleRange(500, 520));  // narrower than the window: one frame per column
  EXPECT_EQ(g.FirstVisible(), 500u);
  EXPECT_EQ(g.EndVisible(), 600u);
  EXPECT_EQ(g.FramesPerColumn(), 1u);
  EXPECT_FALSE(g.SetVisibleRange(9950, 12000));  // cut at the end, moved back to keep the width
  EXPECT_EQ(g.FirstVisible(), 9900u);
  EXPECT_EQ(g.EndVisible(), 10000u);
  // A start below 0 shows from frame 0 (not from the far end of the unsigned range).
  g.SetSelection(40, 40, ChannelMode::Mono);
  g.OneToOneAtStart();
  EXPECT_EQ(g.FirstVisible(), 0u);
  EXPECT_EQ(g.EndVisible(), 100u);
  g.SetSelection(40, 250, ChannelMode::Mono);
  g.OneToOneAtEnd();
  EXPECT_EQ(g.FirstVisible(), 0u);
  // A sound shorter than the window starts at 0.
  ViewGeometry s = Window(30, 1);
  EXPECT_EQ(s.FirstVisible(), 0u);
  EXPECT_EQ(s.EndVisible(), 30u);
}

TEST(ViewGeometry, ZoomInOutAndAll) {
  ViewGeometry g = Window(100000, 2);
  g.SetSelection(3000, 3040, ChannelMode::Both);
  g.ZoomIn();
  EXPECT_EQ(g.FirstVisible(), 3000u);
  EXPECT_EQ(g.FramesPerColumn(), 1u);
  EXPECT_EQ(g.SelEndColumn(), 40u);
  g.ZoomOut();  // triples the span
  EXPECT_EQ(g.FirstVisible(), 2900u);
  EXPECT_EQ(g.EndVisible(), 3200u);
  g.ZoomOut();
  EXPECT_EQ(g.VisibleSpan(), 900u);
  g.ZoomAll();
  EXPECT_EQ(g.VisibleSpan(), 100000u);
  // Around the pointer: the frame under it stays under it.
  const uint32_t under = g.FrameOfColumn(25);
  g.ZoomAround(25, true);
  EXPECT_EQ(g.VisibleSpan(), 50000u);
  EXPECT_NEAR(double(g.FrameOfColumn(25)), double(under), g.FramesPerColumn());
}

TEST(ViewGeometry, ScrollingMovesByTheSpanAndStopsAtTheEnds) {
  ViewGeometry g = Window(100000, 1);
  g.SetVisibleRange(0, 10000);
  g.ScrollToPosition(g.StartForLineStep(+1));
  EXPECT_EQ(g.FirstVisible(), 1000u);
  g.ScrollToPosition(g.StartForPageStep(+1));
  EXPECT_EQ(g.FirstVisible(), 11000u);
  g.ScrollToPosition(g.StartForThumb(9990));
  EXPECT_EQ(g.FirstVisible(), 90000u);  // moved back: the span stays whole
  EXPECT_EQ(g.ScrollBarPosition(), 9000);
  g.ScrollToPosition(g.StartForPageStep(-20));
  EXPECT_EQ(g.FirstVisible(), 0u);
}

TEST(ViewGeometry, SelectionCommandsNormaliseToEvenFramesAndTheChannelCount) {
  ViewGeometry g = Window(1001, 2);
  g.SetSelection(3, 7, ChannelMode::Mono);
  g.Normalise();
  EXPECT_EQ(g.SelStart(), 2u);
  EXPECT_EQ(g.SelEnd(), 6u);
  EXPECT_EQ(g.Mode(), ChannelMode::Both);
  g.SelectAll();
  EXPECT_EQ(g.SelStart(), 0u);
  EXPECT_EQ(g.SelEnd(), 1000u);
  ViewGeometry m = Window(1001, 1);
  m.SetSelection(10, 20, ChannelMode::Left);
  m.SelectToEnd();
  EXPECT_EQ(m.Mode(), ChannelMode::Mono);
  EXPECT_EQ(m.SelEnd(), 1000u);
}

TEST(ViewGeometry, SelectionKeysMoveOneEdgeByColumns) {
  ViewGeometry g = Window(1000, 1);  // 10 frames per column
  g.SetSelection(200, 500, ChannelMode::Mono);
  g.MoveSelectionEdge(SelectionEdge::End, +1);
  EXPECT_EQ(g.SelEnd(), 510u);
  g.MoveSelectionEdge(SelectionEdge::End, -10);
  EXPECT_EQ(g.SelEnd(), 410u);
  g.MoveSelectionEdge(SelectionEdge::End, -100);  // never before the start
  EXPECT_EQ(g.SelEnd(), 200u);
  g.MoveSelectionEdge(SelectionEdge::Start, +10);  // never past the end
  EXPECT_EQ(g.SelStart(), 200u);
  g.MoveSelectionEdge(SelectionEdge::Start, -50);
  EXPECT_EQ(g.SelStart(), 0u);
  g.MoveSelectionEdge(SelectionEdge::End, +1000);
  EXPECT_EQ(g.SelEndColumn(), 100u);
}

TEST(ViewGeometry, PointerHeightChoosesTheChannels) {
  const ViewGeometry g = Window(1000, 2, 100, 418);  // wave area 400 high
  EXPECT_EQ(g.ClickChannel(10), ChannelMode::Left);
  EXPECT_EQ(g.ClickChannel(99), ChannelMode::Left);
  EXPECT_EQ(g.ClickChannel(101), ChannelMode::Both);
  EXPECT_EQ(g.ClickChannel(299), ChannelMode::Both);
  EXPECT_EQ(g.ClickChannel(301), ChannelMode::Right);
  EXPECT_EQ(Window(1000, 1, 100, 418).ClickChannel(10), ChannelMode::Mono);
  EXPECT_EQ(g.DropChannel(120, ChannelMode::Left), ChannelMode::Left);
  EXPECT_EQ(g.DropChannel(200, ChannelMode::Left), ChannelMode::Both);
  EXPECT_EQ(g.DropChannel(280, ChannelMode::Left), ChannelMode::Right);
  EXPECT_EQ(g.DropChannel(10, ChannelMode::Both), ChannelMode::Both);
  EXPECT_EQ(g.ShapeAt(50, 10, false, true, false), PointerShape::FirstChannel);
  EXPECT_EQ(g.ShapeAt(50, 390, false, true, false), PointerShape::SecondChannel);
}

TEST(ViewGeometry, PointerOverTheSelectionAndItsEnd) {
  ViewGeometry g = Window(1000, 2, 100, 418);
  g.SetSelection(200, 600, ChannelMode::Right);  // columns 20 .. 60
  EXPECT_TRUE(g.NearSelectionEnd(57));
  EXPECT_TRUE(g.NearSelectionEnd(63));
  EXPECT_FALSE(g.NearSelectionEnd(64));
  EXPECT_EQ(g.ShapeAt(40, 300, false, true, false), PointerShape::Arrow);       // lower half: its channel
  EXPECT_EQ(g.ShapeAt(40, 150, false, true, false), PointerShape::BothChannels);  // upper half: not its channel
  EXPECT_EQ(g.ShapeAt(40, 300, false, false, false), PointerShape::BothChannels);  // drag and drop off
  EXPECT_EQ(g.ShapeAt(61, 300, false, true, false), PointerShape::Resize);
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& values) {
  std::vector<uint8_t> bytes;
  for (int16_t v : values) {
    bytes.push_back(uint8_t(v & 0xFF));
    bytes.push_back(uint8_t(uint16_t(v) >> 8));
  }
  return bytes;
}

TEST(ColumnPeak, TakesTheLargestMagnitudeOfEverySecondValue) {
  const auto bytes = Pcm16({5, 1000, -7, 2000, 6, -3000, 1, 0, 0, 0});
  const SampleSpan mono{bytes.data(), 16, 1, 10};
  EXPECT_EQ(ColumnPeak(mono, 0, 1, 6), -7);  // looks at 5, -7, 6: the odd values are skipped
  EXPECT_EQ(ColumnPeak(mono, 1, 1, 6), -3000);
  EXPECT_EQ(ColumnPeak(mono, 5, 1, 6), 0);   // the scan would reach the end: the last column shows 0
  const SampleSpan stereo{bytes.data(), 16, 2, 5};
  EXPECT_EQ(ColumnPeak(stereo, 0, 2, 4), 2000);   // right channel: 1000, 2000
  EXPECT_EQ(ColumnPeak(stereo, 0, 1, 4), -7);     // left channel: 5, -7
  const std::vector<uint8_t> eight = {128, 200, 128, 0, 128, 128};
  const SampleSpan byteMono{eight.data(), 8, 1, 6};
  EXPECT_EQ(ColumnPeak(byteMono, 1, 1, 4), -128 * 256);  // 200 and 0: 0 is farther from 128
  EXPECT_EQ(ScanCountFor(140, true), 14u);
  EXPECT_EQ(ScanCountFor(5, true), 1u);
  EXPECT_EQ(ScanCountFor(1000, false), 2u);
}

TEST(ZeroCrossing, SnapsOnARisingWaveformToTheCrossingsAroundTheRange) {
  std::vector<int16_t> ramp;
  for (int i = 0; i < 200; ++i) ramp.push_back(int16_t(std::lround(10000 * std::sin(2 * M_PI * (i - 50) / 200.0))));
  const auto bytes = Pcm16(ramp);
  const SampleSpan mono{bytes.data(), 16, 1, 200};
  // Rising through zero at frame 50: a start at 60 snaps back to 50 (the zero), an end in the
  // positive half snaps forward to the next crossing at 150.
  EXPECT_EQ(SnapToZeroCrossing(mono, 60, SnapSide::Start), 50u);
  EXPECT_EQ(SnapToZeroCrossing(mono, 70, SnapSide::End), 150u);
  EXPECT_EQ(SnapToZeroCrossing(mono, 20, SnapSide::Start), 0u);  // stops at the start of the sound
  const std::vector<uint8_t> eight = {100, 110, 120, 126, 129, 140, 150};
  const SampleSpan byteMono{eight.data(), 8, 1, 7};
  EXPECT_EQ(SnapToZeroCrossing(byteMono, 6, SnapSide::Start), 3u);  // 126 lies below 127/128
  EXPECT_EQ(SnapToZeroCrossing(byteMono, 0, SnapSide::End), 4u);
}

}  // namespace
}  // namespace tarkel

namespace tarkel {
namespace {

// The reference: every second value from the column's first index, the first of equal
// magnitudes winning.
int16_t ReferencePeak(const std::vector<int16_t>& v, uint16_t channels, uint32_t frame, uint16_t channel, uint32_t scan) {
  const uint64_t frames = v.size() / channels;
  uint64_t n = uint64_t(frame) + scan >= frames ? 0 : scan;
  const uint64_t i = (channels > 1 ? uint64_t(frame) * 2 : frame) + channel - 1;
  int32_t best = 0;
  for (uint64_t o = 0; o < n && i + o < v.size(); o += 2)
    if (std::abs(int32_t(v[i + o])) > std::abs(best)) best = v[i + o];
  return int16_t(best);
}

TEST(ColumnPeak, FastScansAgreeWithLookingAtEveryValue) {
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (uint16_t channels : {1, 2}) {
    std::vector<int16_t> values(4001 * channels);
    for (auto& v : values) v = int16_t(int32_t(next() >> 16) % 3 == 0 ? -int32_t(next() % 32769) : int32_t(next() % 32768));
    values[17] = 32767;  // equal magnitudes: the first one wins
    values[19] = -32767;
    values[3000] = -32768;
    const auto bytes = Pcm16(values);
    const SampleSpan sound{bytes.data(), 16, channels, 4001};
    for (uint32_t scan : {1u, 2u, 3u, 7u, 8u, 9u, 16u, 17u, 100u, 1001u}) {
      for (uint32_t frame = 0; frame < 4001; frame += 13) {
        for (uint16_t c = 1; c <= channels; ++c)
          ASSERT_EQ(ColumnPeak(sound, frame, c, scan), ReferencePeak(values, channels, frame, c, scan))
              << channels << ' ' << scan << ' ' << frame << ' ' << c;
        if (channels == 2) {
          int16_t both[2];
          StereoColumnPeaks(sound, frame, scan, both);
          ASSERT_EQ(both[0], ReferencePeak(values, 2, frame, 1, scan));
          ASSERT_EQ(both[1], ReferencePeak(values, 2, frame, 2, scan));
        }
      }
    }
  }
}

}  // namespace
}  // namespace tarkel
