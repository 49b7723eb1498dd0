// The mouse and the keys of the waveform view: activation click, selection drag, freehand
// drawing, the wheel, drag and drop of a selection.
#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "document/CTarkelDoc.h"
#include "view/ViewCommandIds.h"
#include "view/ViewEdits.h"
#include "view/ViewPreferences.h"
#include "view/ZeroCrossing.h"
#include "view/ui/CTarkelView.h"
#include "view/ui/WavePainter.h"

namespace tarkel {
namespace {

// The program's own drag data: the source view is known in-process.
const QString kSelectionMime = QStringLiteral("application/x-tarkel-selection");
// The view whose selection is being dragged; cleared when a drop is handled.
CTarkelView* dragSource = nullptr;
// Wheel steps of this size scroll by a tenth of the window.
constexpr int kWheelStep = 120;

// The channel cursors: a vertical bar with the selected part marked (both, top, bottom).
QCursor ChannelCursor(PointerShape shape) {
  QPixmap pixmap(16, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QPen(Qt::white, 3));
  p.drawLine(8, 1, 8, 22);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(8, 1, 8, 22);
  p.setBrush(Qt::black);
  if (shape != PointerShape::SecondChannel) p.drawPolygon(QPolygon({QPoint(4, 6), QPoint(12, 6), QPoint(8, 1)}));
  if (shape != PointerShape::FirstChannel) p.drawPolygon(QPolygon({QPoint(4, 17), QPoint(12, 17), QPoint(8, 22)}));
  p.end();
  return QCursor(pixmap, 8, 12);
}

QCursor CursorFor(PointerShape shape) {
  switch (shape) {
    case PointerShape::Arrow: return Qt::ArrowCursor;
    case PointerShape::Resize: return Qt::SizeHorCursor;
    case PointerShape::Cross: return Qt::CrossCursor;
    default: {
      static const QCursor both = ChannelCursor(PointerShape::BothChannels);
      static const QCursor first = ChannelCursor(PointerShape::FirstChannel);
      static const QCursor second = ChannelCursor(PointerShape::SecondChannel);
      return shape == PointerShape::FirstChannel ? first : shape == PointerShape::SecondChannel ? second : both;
    }
  }
}

}  // namespace

int CTarkelView::ClampColumn(int x) const { return std::clamp(x, 0, std::max(0, geo_.WaveWidth() - 1)); }

void CTarkelView::focusInEvent(QFocusEvent* event) {
  ui::DocumentView::focusInEvent(event);
  // A click into a window that was not active activates it; that click selects nothing.
  activating_ = true;
  activatedByMouse_ = event->reason() == Qt::MouseFocusReason;
  SelectionChangedNow();
}

void CTarkelView::mousePressEvent(QMouseEvent* event) {
  // A sound still being read in the background takes no clicks: no selection, drawing or drag.
  if (event->button() != Qt::LeftButton || !doc_.Sound().HasData() || doc_.Sound().IsLoading()) {
    ui::DocumentView::mousePressEvent(event);
    return;
  }
  const int x = ClampColumn(event->position().toPoint().x());
  const int y = event->position().toPoint().y();
  const ViewPreferences& prefs = TheViewPreferences();
  const bool freehandNow = freehand_ && geo_.OneFramePerColumn();
  const bool near = geo_.NearSelectionEnd(x);
  if (InActivationClick()) return;
  if (x >= 2 && geo_.SelStartColumn() <= uint32_t(x) && uint32_t(x) <= geo_.SelEndColumn() && !freehandNow &&
      prefs.dragDropEnable && geo_.InSelectedHalf(y) && !near && geo_.SelStartColumn() < geo_.SelEndColumn()) {
    // The drag starts when the pointer moves; a release before that is a plain click.
    pendingDrag_ = true;
    pressPoint_ = QPoint(x, y);
    dragChannel_ = geo_.Mode();
    return;
  }
  const ChannelMode previous = geo_.Mode();
  geo_.SetMode(geo_.ClickChannel(y));
  if (freehandNow) SaveFreehandUndo(doc_, geo_.FirstVisible(), geo_.EndVisible());
  if (!StartSelection(near ? SelectionKind::EndOnly : SelectionKind::New, QPoint(x, y))) geo_.SetMode(previous);
}

bool CTarkelView::StartSelection(SelectionKind kind, QPoint at) {
  if (InActivationClick()) return false;
  const int x = ClampColumn(at.x());
  if (freehand_ && geo_.OneFramePerColumn()) {
    freehandDrawing_ = true;
    FreehandAt(at, QApplication::keyboardModifiers() & Qt::ShiftModifier);
    return true;
  }
  const uint32_t oldStart = geo_.SelStartColumn();
  const uint32_t oldEnd = geo_.SelEndColumn();
  if (kind == SelectionKind::New) {
    uint32_t frame = geo_.FrameOfColumn(x);
    if (TheViewPreferences().autoSnapToZero) frame = SnapToZeroCrossing(SampleSpan::Of(doc_.Sound()), frame, SnapSide::Start);
    geo_.SetStartColumn(geo_.ColumnOfFrame(frame));
    anchorColumn_ = int(geo_.SelStartColumn());
  }
  geo_.SetEndColumn(x);
  dragging_ = true;
  setCursor(Qt::SizeHorCursor);
  InvalidateColumns(oldStart, oldEnd);
  InvalidateColumns(geo_.SelStartColumn(), geo_.SelEndColumn());
  repaint();
  return true;
}

void CTarkelView::mouseMoveEvent(QMouseEvent* event) {
  QPoint at = event->position().toPoint();
  if (pendingDrag_) {
    if ((at - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
      pendingDrag_ = false;
      StartDrag(event->modifiers() & Qt::ControlModifier);
    }
    return;
  }
  // While a drag selects, the pointer counts as if confined to the wave area.
  if (dragging_ || freehandDrawing_) at = QPoint(ClampColumn(at.x()), std::clamp(at.y(), 0, geo_.WaveHeight() - 1));
  if (!dragging_ && !freehandDrawing_) UpdateCursor(at);
  if (freehandDrawing_) {
    if (geo_.OneFramePerColumn()) FreehandAt(at, event->modifiers() & Qt::ShiftModifier);
    return;
  }
  if (!dragging_) return;
  const int x = at.x();
  if (x != anchorColumn_) {
    geo_.SetEndColumn(uint32_t(x + 1));
    InvalidateColumns(anchorColumn_, x + 1);
    anchorColumn_ = int(geo_.SelEndColumn());
    SelectionChangedNow();
  }
}

void CTarkelView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    ui::DocumentView::mouseReleaseEvent(event);
    return;
  }
  const QPoint at = event->position().toPoint();
  if (pendingDrag_) {
    pendingDrag_ = false;
    geo_.SetMode(geo_.ClickChannel(at.y()));
    StartSelection(SelectionKind::New, at);
  }
  EndSelection(at);
}

void CTarkelView::EndSelection(QPoint at) {
  const bool acts = !(activating_ && activatedByMouse_) || (firstClick_ && dragging_);
  if (acts) {
    const bool wasDragging = dragging_;
    dragging_ = false;
    setCursor(Qt::ArrowCursor);
    if (freehandDrawing_) {
      freehandDrawing_ = false;
      doc_.UpdateAllViews();
    } else if (wasDragging) {
      const int x = ClampColumn(at.x());
      const int lastColumn = geo_.WaveWidth() - 1;
      const uint32_t endColumn = x == lastColumn ? uint32_t(x) : uint32_t(x + 1);
      uint32_t frame = geo_.FrameOfColumn(endColumn);
      if (TheViewPreferences().autoSnapToZero) frame = SnapToZeroCrossing(SampleSpan::Of(doc_.Sound()), frame, SnapSide::End);
      geo_.SetEndColumn(geo_.ColumnOfFrame(frame));
      InvalidateColumns(x, geo_.SelEndColumn());
      InvalidateColumns(anchorColumn_, geo_.SelEndColumn());
      SelectionChangedNow();
      RestartPlaybackOnSelection(doc_, geo_.SelStart(), geo_.SelEnd());
    }
  }
  activating_ = activatedByMouse_ = firstClick_ = false;
}

void CTarkelView::FreehandAt(QPoint at, bool onlyChannelUnderPointer) {
  const int x = ClampColumn(at.x());
  const int y = std::clamp(at.y(), 0, geo_.WaveHeight() - 1);
  const DocWaveAudio& sound = doc_.Sound();
  const uint16_t channel = geo_.IsStereo() && 2 * y > geo_.WaveHeight() ? 2 : 1;
  const int offset = y - ChannelOrigin(geo_, channel, false);
  const int32_t value = FreehandValue(offset, geo_.WaveHeight(), sound.Channels(), sound.BitsPerSample());
  WriteFreehandSample(doc_, geo_.FirstVisible() + uint32_t(x), channel, !(onlyChannelUnderPointer && geo_.IsStereo()), value);
  InvalidateColumns(x - 1, x + 1);
  repaint();
}

void CTarkelView::UpdateCursor(QPoint at) {
  setCursor(CursorFor(geo_.ShapeAt(at.x(), at.y(), dragging_, TheViewPreferences().dragDropEnable != 0, freehand_)));
}

void CTarkelView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    ApplyRange([this] { geo_.ShowAll(); });
    return;
  }
  mousePressEvent(event);
}

void CTarkelView::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const int amount = delta.y() != 0 ? delta.y() : delta.x();
  if (amount == 0 || !doc_.Sound().HasData()) return;
  if (event->modifiers() & Qt::ControlModifier) {
    const int x = ClampColumn(event->position().toPoint().x());
    ApplyRange([this, x, amount] { geo_.ZoomAround(x, amount > 0); });
  } else {
    // Away from the user (up) goes back in time, as in every horizontal view.
    const int64_t step = int64_t(geo_.VisibleSpan() / 10) * amount / kWheelStep;
    ScrollToPosition(std::max<int64_t>(0, int64_t(geo_.FirstVisible()) - step));
  }
  event->accept();
}

void CTarkelView::keyPressEvent(QKeyEvent* event) {
  using namespace viewcmd;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  int id = 0;
  switch (event->key()) {
    case Qt::Key_Plus: id = kZoomIn; break;
    case Qt::Key_Minus: id = kZoomOut; break;
    case Qt::Key_A: id = ctrl ? kSelectAll : (shift ? kZoomAll : 0); break;
    case Qt::Key_Right: id = shift ? kEndPlusTen : kEndPlusOne; break;
    case Qt::Key_Left: id = shift ? kEndMinusTen : kEndMinusOne; break;
    case Qt::Key_Up: id = shift ? kStartPlusTen : kStartPlusOne; break;
    case Qt::Key_Down: id = shift ? kStartMinusTen : kStartMinusOne; break;
    case Qt::Key_F10:
      if (shift) {
        ShowContextMenu(mapToGlobal(QPoint(5, 5)));
        return;
      }
      break;
    default: break;
  }
  if (id && HandleCommand(id)) return;
  ui::DocumentView::keyPressEvent(event);
}

// --- Drag and drop -------------------------------------------------------------------------------

void CTarkelView::ForgetDragSource(CTarkelView* view) {
  if (dragSource == view) dragSource = nullptr;
}

void CTarkelView::PrepareDrag() {
  dragSource = this;
  dragChannel_ = geo_.Mode();
}

void CTarkelView::StartDrag(bool copy) {
  dragSource = this;
  auto* data = new QMimeData;
  data->setData(kSelectionMime, QByteArray::number(quintptr(this)));
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  drag->exec(Qt::CopyAction | Qt::MoveAction, copy ? Qt::CopyAction : Qt::MoveAction);
  if (dragSource == this) {
    // Nothing took the drop: the press was a plain click.
    dragSource = nullptr;
    geo_.SetMode(geo_.ClickChannel(pressPoint_.y()));
    StartSelection(SelectionKind::New, pressPoint_);
    EndSelection(pressPoint_);
  }
}

void CTarkelView::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasFormat(kSelectionMime) || !dragSource || !TheViewPreferences().dragDropEnable) return;
  event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
  event->accept();
}

void CTarkelView::dragMoveEvent(QDragMoveEvent* event) {
  if (!event->mimeData()->hasFormat(kSelectionMime) || !dragSource) return;
  event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
  event->accept();
}

void CTarkelView::dropEvent(QDropEvent* event) {
  CTarkelView* source = dragSource;
  if (!source || !event->mimeData()->hasFormat(kSelectionMime)) return;
  // Ctrl copies, anything else moves (the platform's default action may say copy).
  const bool copy = event->modifiers() & Qt::ControlModifier;
  DropFrom(*source, event->position().toPoint(), copy);
  event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
  event->accept();
}

void CTarkelView::DropFrom(CTarkelView& source, QPoint position, bool copy) {
  dragSource = nullptr;
  const int x = ClampColumn(position.x());
  const ChannelMode targetMode = geo_.DropChannel(position.y(), source.dragChannel_);
  if (&source == this && geo_.SelStartColumn() <= uint32_t(x) && uint32_t(x) <= geo_.SelEndColumn() &&
      targetMode == source.dragChannel_)
    return;
  const DraggedRange range{&source.doc_, source.geo_.SelStart(), source.geo_.SelEnd(), source.dragChannel_};
  const DropOutcome outcome = DropRange(range, doc_, geo_.FrameOfColumn(x), targetMode, copy);
  if (&source.doc_ != &doc_ && !copy) {
    source.TakeSound();
    source.geo_.SetSelection(source.geo_.SelStart(), source.geo_.SelStart(), source.geo_.Mode());
    source.geo_.Normalise();
    source.InvalidateAll();
    source.SelectionChangedNow();
  }
  if (outcome.selFirst) {
    TakeSound();
    geo_.SetSelection(*outcome.selFirst, outcome.selLast, outcome.selMode);
    geo_.Normalise();
  }
  InvalidateAll();
  SyncScrollBar();
  SelectionChangedNow();
}

}  // namespace tarkel
