#pragma once
// The maths of the waveform window without a display: which frames are visible, how many frames
// one pixel column stands for, where the selection lies in frames and columns, and what a click,
// a key, a zoom or a scroll does to them. The widget only paints and forwards events here.
#include <cstdint>

#include "sound/ChannelMode.h"

namespace tarkel {

enum class SelectionEdge { Start, End };

// The pointer shapes the view shows: 203 both channels or mono, 204 first, 205 second channel,
// the arrow over a selection that can be dragged, the resize cursor at the selection's end and
// the cross for freehand drawing.
enum class PointerShape { BothChannels, FirstChannel, SecondChannel, Arrow, Resize, Cross };

class ViewGeometry {
 public:
  // Height of the time axis band under the wave area.
  static constexpr int kTimeAxisBand = 18;
  // Range of the scroll bar.
  static constexpr int kScrollRange = 10000;
  // Distance in pixels within which a click takes hold of the selection's end.
  static constexpr int kEndGrip = 3;

  // --- The sound and the window ---------------------------------------------------------------
  void SetSound(uint32_t frames, uint16_t channels);
  uint32_t Length() const { return length_; }
  uint16_t Channels() const { return channels_; }
  bool IsStereo() const { return channels_ > 1; }
  // The client area; the wave area is it less the time axis band.
  void SetClientSize(int width, int height);
  int WaveWidth() const { return waveWidth_; }
  int WaveHeight() const { return waveHeight_; }

  // --- Visible range --------------------------------------------------------------------------
  // Shows frames a..b. The span never falls below one frame per column and never runs past the
  // end; a start below 0 counts as 0. True when a <= b and the end was not cut at the length.
  bool SetVisibleRange(int64_t a, int64_t b);
  void ShowAll() { SetVisibleRange(0, length_); }
  // Re-applies the range after a change of the window or the sound.
  void ReapplyVisibleRange() { SetVisibleRange(firstVisible_, endVisible_); }
  uint32_t FirstVisible() const { return firstVisible_; }
  uint32_t EndVisible() const { return endVisible_; }
  uint32_t VisibleSpan() const { return visibleSpan_; }
  uint32_t FramesPerColumn() const { return framesPerColumn_; }
  bool OneFramePerColumn() const { return framesPerColumn_ == 1; }
  // Fewer than three frames per pixel: the peaks are joined into one line.
  bool PolylineMode() const { return 3 * int64_t(waveWidth_) >= int64_t(visibleSpan_); }
  // Recomputes frames per column from the span and the width (half up, then down to a multiple
  // of the channel count, at least 1).
  void RecalcColumns();

  uint32_t ColumnOfFrame(uint32_t frame) const;
  uint32_t FrameOfColumn(int64_t column) const;

  // --- Scrolling ------------------------------------------------------------------------------
  // Shows `visibleSpan` frames from `start`, moved back when they would run past the end.
  void ScrollToPosition(int64_t start);
  int ScrollBarPosition() const;
  // The start for the scroll bar's line (+-1) and page (+-1) steps and for a thumb position.
  int64_t StartForLineStep(int direction) const { return int64_t(firstVisible_) + direction * int64_t(visibleSpan_ / 10); }
  int64_t StartForPageStep(int direction) const { return int64_t(firstVisible_) + direction * int64_t(visibleSpan_); }
  int64_t StartForThumb(int position) const { return int64_t(double(position) * length_ * 0.0001); }

  // --- Zoom -----------------------------------------------------------------------------------
  void ZoomIn() { SetVisibleRange(selStart_, selEnd_); }
  void ZoomOut();
  void ZoomAll() { ShowAll(); }
  void OneToOneAtStart() { SetVisibleRange(int64_t(selStart_) - 100, int64_t(selStart_) + 2); }
  void OneToOneAtEnd() { SetVisibleRange(int64_t(selEnd_) - 300, selEnd_); }
  // Halves (factor < 1) or doubles the span keeping the frame under column `x` where it is.
  void ZoomAround(int x, bool in);

  // --- Selection ------------------------------------------------------------------------------
  uint32_t SelStart() const { return selStart_; }
  uint32_t SelEnd() const { return selEnd_; }
  uint32_t SelStartColumn() const { return selStartColumn_; }
  uint32_t SelEndColumn() const { return selEndColumn_; }
  ChannelMode Mode() const { return mode_; }
  void SetMode(ChannelMode mode) { mode_ = mode; }
  // Sets the selection in frames (kept as given) and recomputes its columns.
  void SetSelection(uint32_t start, uint32_t end, ChannelMode mode);
  // Sets an end from a column; its frame follows (min(length, first + column x frames)).
  void SetStartColumn(uint32_t column);
  void SetEndColumn(uint32_t column);
  void RecomputeSelectionColumns();
  // After every selection command: the mode fits the channel count, both ends even and within
  // the sound, the columns recomputed, the visible range re-applied.
  void Normalise();
  void SelectAll();
  void SelectFromStart();
  void SelectToEnd();
  // Moves one edge by `columns` (keys Left, Right, Up, Down, with Shift by 10).
  void MoveSelectionEdge(SelectionEdge edge, int columns);

  // --- The pointer ----------------------------------------------------------------------------
  // The channels a click at height y chooses: the top quarter the first, the bottom quarter the
  // second, between them both (always mono for a mono sound).
  ChannelMode ClickChannel(int y) const;
  // The channels a drop at height y goes to (thirds instead of quarters).
  ChannelMode DropChannel(int y, ChannelMode sourceMode) const;
  bool NearSelectionEnd(int x) const;
  // The pointer lies in the half of the window whose channel is selected.
  bool InSelectedHalf(int y) const;
  // The pointer lies over the selection, where a drag can take it.
  bool OverSelection(int x) const { return int64_t(selStartColumn_) < x && x < int64_t(selEndColumn_); }
  PointerShape ShapeAt(int x, int y, bool dragging, bool dragDropEnable, bool freehand) const;

 private:
  uint32_t length_ = 0;
  uint16_t channels_ = 1;
  int waveWidth_ = 1;
  int waveHeight_ = 1;
  uint32_t firstVisible_ = 0;
  uint32_t endVisible_ = 0;
  uint32_t visibleSpan_ = 0;
  uint32_t framesPerColumn_ = 1;
  uint32_t selStart_ = 0;
  uint32_t selEnd_ = 0;
  uint32_t selStartColumn_ = 0;
  uint32_t selEndColumn_ = 0;
  ChannelMode mode_ = ChannelMode::Mono;
};

}  // namespace tarkel
