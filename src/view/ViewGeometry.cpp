#include "view/ViewGeometry.h"

#include <algorithm>

namespace tarkel {

void ViewGeometry::SetSound(uint32_t frames, uint16_t channels) {
  length_ = frames;
  channels_ = channels ? channels : 1;
}

void ViewGeometry::SetClientSize(int width, int height) {
  waveWidth_ = std::max(1, width);
  waveHeight_ = std::max(1, height - kTimeAxisBand);
  RecalcColumns();
}

void ViewGeometry::RecalcColumns() {
  const uint64_t w = uint64_t(waveWidth_);
  uint64_t fpc = (2 * uint64_t(visibleSpan_) + w) / (2 * w);
  fpc -= fpc % channels_;
  framesPerColumn_ = fpc ? uint32_t(fpc) : 1;
}

bool ViewGeometry::SetVisibleRange(int64_t a, int64_t b) {
  const int64_t w = waveWidth_;
  const int64_t length = length_;
  const bool ordered = a <= b;
  // A start before the sound (the 1:1 commands close to its beginning) shows from frame 0.
  a = std::max<int64_t>(a, 0);
  b = std::max<int64_t>(b, 0);
  int64_t d = std::min(a, b);
  int64_t e = b;
  if (e - d < w) e = d + w;
  bool cut = false;
  if (e > length) {
    e = length;
    cut = true;
    if (length - d < w) d = std::max<int64_t>(0, length - w);
  }
  if (d > e) d = e;
  firstVisible_ = uint32_t(d);
  endVisible_ = uint32_t(e);
  visibleSpan_ = uint32_t(e - d);
  RecalcColumns();
  RecomputeSelectionColumns();
  return ordered && !cut;
}

uint32_t ViewGeometry::ColumnOfFrame(uint32_t frame) const {
  return frame > firstVisible_ ? (frame - firstVisible_) / framesPerColumn_ : 0;
}

uint32_t ViewGeometry::FrameOfColumn(int64_t column) const {
  if (column < 0) column = 0;
  const uint64_t f = uint64_t(firstVisible_) + uint64_t(column) * framesPerColumn_;
  return uint32_t(std::min<uint64_t>(f, length_));
}

void ViewGeometry::ScrollToPosition(int64_t start) {
  start = std::max<int64_t>(start, 0);
  int64_t c = start + visibleSpan_;
  if (c > int64_t(length_)) {
    c = length_;
    start = std::max<int64_t>(0, c - visibleSpan_);
  }
  SetVisibleRange(start, c);
}

int ViewGeometry::ScrollBarPosition() const {
  if (length_ == 0) return 0;
  return int(uint64_t(firstVisible_) * kScrollRange / length_);
}

void ViewGeometry::ZoomOut() {
  SetVisibleRange(std::max<int64_t>(0, int64_t(firstVisible_) - visibleSpan_), int64_t(endVisible_) + visibleSpan_);
}

void ViewGeometry::ZoomAround(int x, bool in) {
  x = std::clamp(x, 0, waveWidth_ - 1);
  const int64_t anchor = FrameOfColumn(x);
  int64_t span = in ? visibleSpan_ / 2 : int64_t(visibleSpan_) * 2;
  span = std::max<int64_t>(span, waveWidth_);
  const int64_t start = anchor - span * x / waveWidth_;
  const int64_t clamped = std::max<int64_t>(0, start);
  SetVisibleRange(clamped, clamped + span);
}

void ViewGeometry::SetSelection(uint32_t start, uint32_t end, ChannelMode mode) {
  selStart_ = start;
  selEnd_ = end;
  mode_ = mode;
  RecomputeSelectionColumns();
}

void ViewGeometry::SetStartColumn(uint32_t column) {
  selStartColumn_ = column;
  selStart_ = FrameOfColumn(column);
}

void ViewGeometry::SetEndColumn(uint32_t column) {
  selEndColumn_ = column;
  selEnd_ = FrameOfColumn(column);
}

void ViewGeometry::RecomputeSelectionColumns() {
  selStartColumn_ = ColumnOfFrame(selStart_);
  selEndColumn_ = ColumnOfFrame(selEnd_);
}

void ViewGeometry::Normalise() {
  if (!IsStereo()) mode_ = ChannelMode::Mono;
  else if (mode_ == ChannelMode::Mono) mode_ = ChannelMode::Both;
  selStart_ = std::min(selStart_ & ~1u, length_);
  selEnd_ = std::min(selEnd_ & ~1u, length_);
  if (selEnd_ < selStart_) selEnd_ = selStart_;
  ReapplyVisibleRange();
}

void ViewGeometry::SelectAll() {
  selStart_ = 0;
  selEnd_ = length_ ? length_ - 1 : 0;
  mode_ = IsStereo() ? ChannelMode::Both : ChannelMode::Mono;
  Normalise();
}

void ViewGeometry::SelectFromStart() {
  selStart_ = 0;
  Normalise();
}

void ViewGeometry::SelectToEnd() {
  selEnd_ = length_ ? length_ - 1 : 0;
  Normalise();
}

void ViewGeometry::MoveSelectionEdge(SelectionEdge edge, int columns) {
  RecalcColumns();
  if (edge == SelectionEdge::Start) {
    const int64_t s = int64_t(selStartColumn_) + columns;
    SetStartColumn(s < 0 ? 0 : uint32_t(std::min<int64_t>(s, selEndColumn_)));
  } else {
    const int64_t s = int64_t(selEndColumn_) + columns;
    uint32_t column;
    // An end before the start is taken back to the start, as the next paint would.
    if (s < int64_t(selStartColumn_)) column = selStartColumn_;
    else column = uint32_t(std::min<int64_t>(s, waveWidth_));
    SetEndColumn(column);
  }
}

ChannelMode ViewGeometry::ClickChannel(int y) const {
  const int h = waveHeight_;
  if (!IsStereo()) return ChannelMode::Mono;
  if (4 * y < h || 4 * y > 3 * h) return 2 * y < h ? ChannelMode::Left : ChannelMode::Right;
  return ChannelMode::Both;
}

ChannelMode ViewGeometry::DropChannel(int y, ChannelMode sourceMode) const {
  const int h = waveHeight_;
  if (!IsStereo()) return ChannelMode::Mono;
  if (sourceMode == ChannelMode::Both) return ChannelMode::Both;
  if (3 * y < h) return ChannelMode::Left;
  if (100 * y > 66 * h) return ChannelMode::Right;
  return ChannelMode::Both;
}

bool ViewGeometry::NearSelectionEnd(int x) const {
  const int64_t end = selEndColumn_;
  return end >= x - kEndGrip && end <= x + kEndGrip;
}

bool ViewGeometry::InSelectedHalf(int y) const {
  const bool upper = 2 * y < waveHeight_;
  const bool lower = 2 * y > waveHeight_;
  return !(mode_ == ChannelMode::Right && upper) && !(mode_ == ChannelMode::Left && lower);
}

PointerShape ViewGeometry::ShapeAt(int x, int y, bool dragging, bool dragDropEnable, bool freehand) const {
  PointerShape shape = PointerShape::BothChannels;
  const int h = waveHeight_;
  if (IsStereo()) {
    if (4 * y < h) shape = PointerShape::FirstChannel;
    else if (4 * y > 3 * h) shape = PointerShape::SecondChannel;
  }
  if (dragDropEnable && !dragging && OverSelection(x) && InSelectedHalf(y)) shape = PointerShape::Arrow;
  if (freehand && OneFramePerColumn()) shape = PointerShape::Cross;
  if (!dragging && NearSelectionEnd(x)) shape = PointerShape::Resize;
  return shape;
}

}  // namespace tarkel
