#include "view/ui/CTarkelView.h"

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "document/CTarkelDoc.h"
#include "view/DisplayState.h"
#include "view/SpectralColumn.h"
#include "view/UnitCommands.h"
#include "view/ViewEdits.h"
#include "view/ViewCommandIds.h"
#include "view/ViewPreferences.h"
#include "view/ui/WavePainter.h"

namespace tarkel {
namespace {

constexpr int kTextOffset = 10;

// Moves the picture `dx` device pixels to the right (left when negative).
void ShiftPicture(QImage& picture, int dx) {
  const int width = picture.width();
  if (dx == 0 || std::abs(dx) >= width) return;
  const int bytesPerPixel = picture.depth() / 8;
  const size_t moved = size_t(width - std::abs(dx)) * bytesPerPixel;
  for (int y = 0; y < picture.height(); ++y) {
    uchar* line = picture.scanLine(y);
    if (dx > 0) std::memmove(line + size_t(dx) * bytesPerPixel, line, moved);
    else std::memmove(line, line + size_t(-dx) * bytesPerPixel, moved);
  }
}

}  // namespace

CTarkelView::CTarkelView(CTarkelDoc& document, QWidget* parent) : ui::DocumentView(parent), doc_(document) {
  setFocusPolicy(Qt::StrongFocus);
  setAcceptDrops(true);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  scrollBar_ = new QScrollBar(Qt::Horizontal, this);
  scrollBar_->setRange(0, ViewGeometry::kScrollRange);
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  connect(scrollBar_, &QScrollBar::actionTriggered, this, [this](int action) { OnScrollAction(action); });
  analyzer_ = std::make_unique<SpectralAnalyzer>(uint32_t(TheViewPreferences().fftBlockSize));
  doc_.AddObserver(this);
  displayListener_ = TheDisplayState().AddListener([this] { InvalidateTimeAxis(); });
  TakeSound();
  const QRect client = ClientRect();
  geo_.SetClientSize(client.width(), client.height());
  geo_.ShowAll();
  geo_.Normalise();
  SyncScrollBar();
}

CTarkelView::~CTarkelView() {
  ForgetDragSource(this);
  TheDisplayState().RemoveListener(displayListener_);
  doc_.RemoveObserver(this);
}

QRect CTarkelView::ClientRect() const {
  return QRect(0, 0, width(), std::max(1, height() - scrollBar_->sizeHint().height()));
}

// --- Selection as the shell sees it ------------------------------------------------------------

const Selection& CTarkelView::CurrentSelection() const {
  const uint32_t first = EvenFrame(geo_.SelStart());
  const uint32_t last = std::max(first, EvenFrame(geo_.SelEnd()));
  selection_.Adopt(first, last, geo_.Mode());
  return selection_;
}

void CTarkelView::SetSelection(const Selection& selection) {
  const DocWaveAudio& sound = doc_.Sound();
  TakeSound();
  geo_.SetSelection(selection.First(), selection.Last(sound), selection.Mode(sound));
  geo_.Normalise();
  InvalidateAll();
  SelectionChangedNow();
}

void CTarkelView::SelectionChangedNow() {
  if (selectionChanged) selectionChanged();
}

// --- Geometry ------------------------------------------------------------------------------------

void CTarkelView::TakeSound() {
  const DocWaveAudio& sound = doc_.Sound();
  geo_.SetSound(sound.HasData() ? sound.Frames() : 0, sound.Channels());
}

void CTarkelView::ApplyRange(std::function<void()> change) {
  TakeSound();
  change();
  InvalidateAll();
  SyncScrollBar();
}

void CTarkelView::SelectionCommand(std::function<void()> change) {
  ApplyRange(std::move(change));
  SelectionChangedNow();
}

void CTarkelView::SyncScrollBar() {
  const QSignalBlocker block(scrollBar_);
  const uint32_t length = std::max<uint32_t>(geo_.Length(), 1);
  scrollBar_->setPageStep(std::max(1, int(uint64_t(geo_.VisibleSpan()) * ViewGeometry::kScrollRange / length)));
  scrollBar_->setValue(geo_.ScrollBarPosition());
}

void CTarkelView::OnScrollAction(int action) {
  int64_t start;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: start = geo_.StartForLineStep(+1); break;
    case QAbstractSlider::SliderSingleStepSub: start = geo_.StartForLineStep(-1); break;
    case QAbstractSlider::SliderPageStepAdd: start = geo_.StartForPageStep(+1); break;
    case QAbstractSlider::SliderPageStepSub: start = geo_.StartForPageStep(-1); break;
    case QAbstractSlider::SliderMove: start = geo_.StartForThumb(scrollBar_->sliderPosition()); break;
    default: return;
  }
  ScrollToPosition(std::max<int64_t>(start, 0));
  scrollBar_->setSliderPosition(geo_.ScrollBarPosition());
}

void CTarkelView::ScrollToPosition(int64_t start) {
  TakeSound();
  const uint32_t oldFirst = geo_.FirstVisible();
  const uint32_t oldFpc = geo_.FramesPerColumn();
  geo_.ScrollToPosition(start);
  const uint32_t fpc = geo_.FramesPerColumn();
  const int64_t moved = int64_t(oldFirst) - int64_t(geo_.FirstVisible());
  const QRect client = ClientRect();
  const qreal dpr = picture_.isNull() ? 1.0 : picture_.devicePixelRatio();
  const bool wholePixels = dpr == std::floor(dpr);
  if (fpc == oldFpc && moved % fpc == 0 && std::abs(moved / fpc) < client.width() && !picture_.isNull() && wholePixels) {
    // The picture moves along; only the uncovered columns are drawn anew.
    const int dx = int(moved / fpc);
    ShiftPicture(picture_, int(dx * dpr));
    dirty_.translate(dx, 0);
    if (dx > 0) InvalidateColumns(0, dx);
    else if (dx < 0) InvalidateColumns(client.width() + dx - 1, client.width());
    if (!skipTimeAxis_) InvalidateTimeAxis();
    update(client);
  } else {
    InvalidateAll();
  }
  SyncScrollBar();
  // The picture at once; the scroll bar redraws on its own.
  repaint(ClientRect());
}

// --- Redrawing -----------------------------------------------------------------------------------

void CTarkelView::InvalidateAll() {
  dirty_ = QRegion(ClientRect());
  update();
}

void CTarkelView::InvalidateColumns(int64_t from, int64_t to) {
  if (from > to) std::swap(from, to);
  const QRect client = ClientRect();
  const int left = int(std::clamp<int64_t>(from, 0, client.width()));
  const int right = int(std::clamp<int64_t>(to + 1, 0, client.width()));
  if (left >= right) return;
  const QRect columns(left, 0, right - left, client.height());
  dirty_ += columns;
  update(columns);
}

void CTarkelView::InvalidateTimeAxis() {
  const QRect client = ClientRect();
  const QRect band(0, client.height() - ViewGeometry::kTimeAxisBand, client.width(), ViewGeometry::kTimeAxisBand);
  dirty_ += band;
  update(band);
}

WaveScene CTarkelView::SceneFor(const ViewGeometry& geometry, const QRect& client, int left, int right,
                                bool printing) const {
  const DocWaveAudio& sound = doc_.Sound();
  WaveScene scene;
  scene.sound = SampleSpan::Of(sound);
  scene.rate = sound.Rate();
  scene.blockAlign = sound.BlockAlign();
  scene.geometry = &geometry;
  scene.preferences = &TheViewPreferences();
  scene.spectral = spectral_;
  scene.drawTimeAxis = !printing && !skipTimeAxis_;
  scene.unit = TheDisplayState().Unit();
  scene.fps = TheDisplayState().FrameRate();
  scene.clipLeft = left;
  scene.clipRight = right;
  scene.client = client;
  return scene;
}

void CTarkelView::RenderDirtyPart() {
  const QRect client = ClientRect();
  const qreal dpr = devicePixelRatioF();
  const QSize deviceSize = (QSizeF(client.size()) * dpr).toSize();
  if (picture_.size() != deviceSize) {
    picture_ = QImage(deviceSize, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(dpr);
    dirty_ = QRegion(client);
  }
  dirty_ &= QRegion(client);
  if (dirty_.isEmpty()) return;
  // Part by part: columns far apart, or the band alone, cost only their own columns.
  QPainter painter(&picture_);
  const int bandTop = client.height() - ViewGeometry::kTimeAxisBand;
  for (const QRect& part : dirty_) {
    painter.setClipRect(part);
    WaveScene scene = SceneFor(geo_, client, part.left(), part.right() + 1, false);
    scene.bandRowsOnly = part.top() >= bandTop;
    PaintWave(painter, scene, analyzer_.get());
  }
  skipTimeAxis_ = false;
  dirty_ = QRegion();
}

void CTarkelView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect client = ClientRect();
  if (doc_.Sound().IsLoading()) {
    painter.fillRect(client, ColorOf(TheViewPreferences().colorSampleBackground));
    painter.setPen(ColorOf(~TheViewPreferences().colorSampleBackground & 0xFFFFFF));
    painter.drawText(QPoint(kTextOffset, kTextOffset + painter.fontMetrics().ascent()),
                     QStringLiteral("(Wird gerade geladen)"));
    return;
  }
  RenderDirtyPart();
  for (const QRect& r : event->region() & QRegion(client)) {
    const qreal dpr = picture_.devicePixelRatio();
    painter.drawImage(r, picture_, QRectF(r.topLeft() * dpr, QSizeF(r.size()) * dpr));
  }
  if (lastMarkerColumn_ > 0 && lastMarkerColumn_ < client.width()) {
    // The marker inverts what lies under it, so it shows on every colour.
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(QRect(lastMarkerColumn_, 0, 1, geo_.WaveHeight()), Qt::white);
  }
}

void CTarkelView::DrawPositionMarker() {
  geo_.RecalcColumns();
  const uint32_t frame = CurrentPlayFrame(doc_);
  const int64_t column = frame >= geo_.FirstVisible() ? (frame - geo_.FirstVisible()) / geo_.FramesPerColumn() : -1;
  const int c = column >= 0 && column < geo_.WaveWidth() ? int(column) : 0;
  const int h = geo_.WaveHeight();
  if (doc_.Sound().IsRecording()) {
    // The recorded part grows on screen every tenth tick; no marker line meanwhile.
    if (++markerTicks_ % 10 == 0) {
      InvalidateColumns(lastInvalidatedColumn_, c);
      lastInvalidatedColumn_ = c;
      repaint();
    }
    lastMarkerColumn_ = 0;
    return;
  }
  QRegion changed;
  if (lastMarkerColumn_ > 0) changed += QRect(lastMarkerColumn_, 0, 1, h);
  lastMarkerColumn_ = c;
  if (c > 0) changed += QRect(c, 0, 1, h);
  if (!changed.isEmpty()) repaint(changed);
}

void CTarkelView::resizeEvent(QResizeEvent* event) {
  ui::DocumentView::resizeEvent(event);
  const int barHeight = scrollBar_->sizeHint().height();
  scrollBar_->setGeometry(0, height() - barHeight, width(), barHeight);
  const QRect client = ClientRect();
  TakeSound();
  geo_.SetClientSize(client.width(), client.height());
  geo_.ReapplyVisibleRange();
  SyncScrollBar();
  InvalidateAll();
}

bool CTarkelView::event(QEvent* event) {
  if (event->type() == QEvent::Type(kRefreshTimeAxisEvent)) {
    InvalidateTimeAxis();
    repaint();
    SelectionChangedNow();
    return true;
  }
  return ui::DocumentView::event(event);
}

// --- The document's updates ----------------------------------------------------------------------

void CTarkelView::OnDocumentUpdate(CTarkelDoc&, uint32_t updateHint) {
  if (updateHint == hint::kForgetMarkerColumn) {
    lastMarkerColumn_ = 0;
    return;
  }
  TakeSound();
  if (updateHint == hint::kWholeSample) geo_.ShowAll();
  else geo_.ReapplyVisibleRange();
  // An edit may have left the selection beyond a shorter sound, a conversion its channels
  // without their sound.
  const bool channelsChanged = geo_.IsStereo() == (geo_.Mode() == ChannelMode::Mono);
  geo_.SetSelection(std::min(geo_.SelStart(), geo_.Length()), std::min(geo_.SelEnd(), geo_.Length()), geo_.Mode());
  if (channelsChanged) geo_.Normalise();
  switch (updateHint) {
    case hint::kPosition:
      if (TheViewPreferences().scrollToPlayRecMarker) {
        skipTimeAxis_ = true;
        ScrollToPosition(doc_.Sound().IsRecording() ? 0 : CurrentPlayFrame(doc_));
      } else {
        DrawPositionMarker();
      }
      return;
    case hint::kTimeAxisBand:
      skipTimeAxis_ = false;
      InvalidateTimeAxis();
      repaint();
      break;
    default:
      skipTimeAxis_ = false;
      InvalidateAll();
      break;
  }
  SyncScrollBar();
  SelectionChangedNow();
}

void CTarkelView::OnLengthReset(CTarkelDoc&) {
  TakeSound();
  geo_.ShowAll();
  geo_.SetSelection(0, 0, geo_.Mode());
  geo_.Normalise();
  InvalidateAll();
  SyncScrollBar();
  SelectionChangedNow();
}

// --- Commands ------------------------------------------------------------------------------------

bool CTarkelView::HandleCommand(int id) {
  using namespace viewcmd;
  ViewPreferences& prefs = TheViewPreferences();
  if (const auto unit = UnitOfCommand(id)) {
    TheDisplayState().SetUnit(*unit);
    return true;
  }
  if (const auto fps = FrameRateOfCommand(id)) {
    TheDisplayState().SetFrameRate(*fps);
    return true;
  }
  auto edge = [this](SelectionEdge e, int n) {
    const uint32_t before = e == SelectionEdge::Start ? geo_.SelStartColumn() : geo_.SelEndColumn();
    geo_.MoveSelectionEdge(e, n);
    const uint32_t after = e == SelectionEdge::Start ? geo_.SelStartColumn() : geo_.SelEndColumn();
    InvalidateColumns(before, after);
    SelectionChangedNow();
    if (e == SelectionEdge::End) RestartPlaybackOnSelection(doc_, geo_.SelStart(), geo_.SelEnd());
  };
  switch (id) {
    case kZoomIn: ApplyRange([this] { geo_.ZoomIn(); }); return true;
    case kZoomAll: ApplyRange([this] { geo_.ZoomAll(); }); return true;
    case kZoomOut: ApplyRange([this] { geo_.ZoomOut(); }); return true;
    case kOneToOneAtStart: ApplyRange([this] { geo_.OneToOneAtStart(); }); return true;
    case kOneToOneAtEnd: ApplyRange([this] { geo_.OneToOneAtEnd(); }); return true;
    case kSelectAll: SelectionCommand([this] { geo_.SelectAll(); }); return true;
    case kSelectFromStart: SelectionCommand([this] { geo_.SelectFromStart(); }); return true;
    case kSelectToEnd: SelectionCommand([this] { geo_.SelectToEnd(); }); return true;
    case kEndPlusOne: edge(SelectionEdge::End, +1); return true;
    case kEndPlusTen: edge(SelectionEdge::End, +10); return true;
    case kEndMinusOne: edge(SelectionEdge::End, -1); return true;
    case kEndMinusTen: edge(SelectionEdge::End, -10); return true;
    case kStartPlusOne: edge(SelectionEdge::Start, +1); return true;
    case kStartPlusTen: edge(SelectionEdge::Start, +10); return true;
    case kStartMinusOne: edge(SelectionEdge::Start, -1); return true;
    case kStartMinusTen: edge(SelectionEdge::Start, -10); return true;
    case kSnapToZero: prefs.autoSnapToZero = !prefs.autoSnapToZero; return true;
    case kTrackView: prefs.scrollToPlayRecMarker = 1; return true;
    case kDrawLine: prefs.scrollToPlayRecMarker = 0; return true;
    case kFreehand:
      if (geo_.OneFramePerColumn()) freehand_ = !freehand_;
      return true;
    case kSpectralView:
      spectral_ = !spectral_;
      InvalidateAll();
      return true;
    case kPrint: RunPrint(); return true;
    case kPrintPreview: RunPrintPreview(); return true;
    default: return false;
  }
}

bool CTarkelView::CommandState(int id, bool& enabled, bool& checked) const {
  using namespace viewcmd;
  const ViewPreferences& prefs = TheViewPreferences();
  const bool hasData = doc_.Sound().HasData();
  enabled = true;
  checked = false;
  if (const auto unit = UnitOfCommand(id)) {
    checked = *unit == TheDisplayState().Unit();
    return true;
  }
  if (const auto fps = FrameRateOfCommand(id)) {
    checked = *fps == TheDisplayState().FrameRate();
    return true;
  }
  switch (id) {
    case kZoomIn: case kZoomAll: case kZoomOut: case kOneToOneAtStart: case kOneToOneAtEnd:
    case kSelectAll: case kSelectFromStart: case kSelectToEnd:
    case kEndPlusOne: case kEndPlusTen: case kEndMinusOne: case kEndMinusTen:
    case kStartPlusOne: case kStartPlusTen: case kStartMinusOne: case kStartMinusTen:
    case kPrint: case kPrintPreview:
      enabled = hasData;
      return true;
    case kSnapToZero: checked = prefs.autoSnapToZero != 0; return true;
    case kTrackView: checked = prefs.scrollToPlayRecMarker == 1; return true;
    case kDrawLine: checked = prefs.scrollToPlayRecMarker == 0; return true;
    case kFreehand:
      enabled = geo_.OneFramePerColumn();
      checked = enabled && freehand_;
      return true;
    case kSpectralView: checked = spectral_; return true;
    default: return false;
  }
}

namespace ui {

DocumentView* CreateDocumentView(CTarkelDoc& document, QWidget* parent) { return new CTarkelView(document, parent); }

}  // namespace ui
}  // namespace tarkel
