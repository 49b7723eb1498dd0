#pragma once
// The waveform view of a document window: draws the sound through WavePainter into a picture it
// keeps, draws the play position marker over that picture, and turns the mouse, the keys and
// the view's commands into changes of its ViewGeometry (visible range, selection) and, for
// freehand drawing and drag and drop, into edits of the document.
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <functional>
#include <memory>

#include "document/DocumentObserver.h"
#include "sound/Selection.h"
#include "view/ViewGeometry.h"
#include "view/ui/DocumentView.h"

class QScrollBar;
class QPrinter;
class QMenu;

namespace tarkel {

class SpectralAnalyzer;
struct WaveScene;

class CTarkelView : public ui::DocumentView, public DocumentObserver {
  Q_OBJECT

 public:
  explicit CTarkelView(CTarkelDoc& document, QWidget* parent = nullptr);
  ~CTarkelView() override;

  // --- DocumentView -------------------------------------------------------------------------
  CTarkelDoc& Document() const override { return doc_; }
  const Selection& CurrentSelection() const override;
  void SetSelection(const Selection& selection) override;
  bool HandleCommand(int commandId) override;
  bool CommandState(int commandId, bool& enabled, bool& checked) const override;

  // --- DocumentObserver ---------------------------------------------------------------------
  void OnDocumentUpdate(CTarkelDoc& doc, uint32_t updateHint) override;
  void OnLengthReset(CTarkelDoc& doc) override;

  // Commands of the context menu that the view does not handle itself (undo, play, record,
  // save, copy, erase, delete) go here; without a receiver they trigger the window's action
  // whose data is the command number.
  std::function<void(int)> commandRequested;

  // --- For the shell, the printer and the tests ---------------------------------------------
  const ViewGeometry& Geometry() const { return geo_; }
  bool SpectralMode() const { return spectral_; }
  bool FreehandMode() const { return freehand_; }
  int LastMarkerColumn() const { return lastMarkerColumn_; }
  // The client area without the scroll bar: the wave area and the time axis band.
  QRect ClientRect() const;
  // Draws the whole picture on a printer page (or the preview's page) with the same code.
  void PrintTo(QPrinter& printer);
  // Makes this view the source of a selection drag (its channels as they are now).
  void PrepareDrag();
  // Takes the selection of `source` (a view of this or another document) dropped at `position`.
  void DropFrom(CTarkelView& source, QPoint position, bool copy);
  // The context menu's entries, as they are shown.
  QMenu* BuildContextMenu();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool event(QEvent* event) override;

 public:
  // The event that asks the view to redraw its time axis band and refresh the read-outs.
  static constexpr int kRefreshTimeAxisEvent = 1000 + 500;  // QEvent::User + 500

 private:
  enum class SelectionKind { New, EndOnly };

  // Geometry from the document and the window.
  void TakeSound();
  void ApplyRange(std::function<void()> change);
  void SelectionCommand(std::function<void()> change);
  void ScrollToPosition(int64_t start);
  void SyncScrollBar();
  void OnScrollAction(int action);

  // Redrawing.
  void InvalidateAll();
  void InvalidateColumns(int64_t from, int64_t to);
  void InvalidateTimeAxis();
  void RenderDirtyPart();
  WaveScene SceneFor(const ViewGeometry& geometry, const QRect& client, int left, int right, bool printing) const;
  void DrawPositionMarker();
  void SelectionChangedNow();

  // The mouse.
  bool InActivationClick() const { return activating_ && activatedByMouse_ && !firstClick_; }
  bool StartSelection(SelectionKind kind, QPoint at);
  void EndSelection(QPoint at);
  void FreehandAt(QPoint at, bool onlyChannelUnderPointer);
  void StartDrag(bool copy);
  void UpdateCursor(QPoint at);
  void ShowContextMenu(QPoint global);
  int ClampColumn(int x) const;

  void RunPrintPreview();
  void RunPrint();
  // A view that goes away while its selection is being dragged is no drag source any more.
  static void ForgetDragSource(CTarkelView* view);

  CTarkelDoc& doc_;
  ViewGeometry geo_;
  mutable Selection selection_;
  QScrollBar* scrollBar_ = nullptr;
  std::unique_ptr<SpectralAnalyzer> analyzer_;
  int displayListener_ = 0;

  // The picture of the window without the marker, and the part of it that must be drawn anew.
  QImage picture_;
  QRegion dirty_;

  bool spectral_ = false;
  bool skipTimeAxis_ = false;
  int lastMarkerColumn_ = 0;
  uint32_t markerTicks_ = 0;
  int lastInvalidatedColumn_ = 0;

  bool dragging_ = false;
  int anchorColumn_ = 0;
  bool activating_ = false;
  bool activatedByMouse_ = false;
  bool firstClick_ = true;
  bool freehand_ = false;
  bool freehandDrawing_ = false;
  bool pendingDrag_ = false;
  QPoint pressPoint_;
  ChannelMode dragChannel_ = ChannelMode::Both;
};

}  // namespace tarkel
