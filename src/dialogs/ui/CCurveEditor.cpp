#include "dialogs/ui/CCurveEditor.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarkel::ui {
namespace {
constexpr int kPointRadius = 4;
constexpr int kReachPixels = 6;
constexpr int kMargin = kPointRadius + 1;
}  // namespace

CCurveEditor::CCurveEditor(QWidget* parent) : QWidget(parent) {
  setMinimumSize(400, 200);
  setMouseTracking(false);
  setFocusPolicy(Qt::StrongFocus);
}

void CCurveEditor::SetCurve(const CurveModel& curve) {
  curve_ = curve;
  dragged_ = -1;
  update();
  emit curveChanged();
}

CurveGeometry CCurveEditor::Geometry() const { return {width(), height(), curve_.Width(), kMargin}; }

int CCurveEditor::PointAt(const QPoint& at) const {
  const CurveGeometry g = Geometry();
  return curve_.HitTest(g.PixelToX(at.x()), g.PixelToY(at.y()), g.ReachX(kReachPixels), g.ReachY(kReachPixels));
}

void CCurveEditor::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const CurveGeometry g = Geometry();
  // The waveform of the selection across the drawing area, centred.
  const int left = g.XToPixel(0), columns = g.XToPixel(curve_.Width()) - left + 1;
  if (waveform_ && int(columns_.size()) != columns) columns_ = waveform_(columns);
  painter.setPen(QColor(0, 160, 0));
  const int middle = (g.YToPixel(0) + g.YToPixel(kCurveHeight)) / 2;
  const int half = (g.YToPixel(kCurveHeight) - g.YToPixel(0)) / 2;
  for (size_t c = 0; c < columns_.size(); ++c)
    painter.drawLine(left + int(c), middle - int(columns_[c].high * half), left + int(c),
                     middle - int(columns_[c].low * half));
  if (guide_ >= 0) {
    painter.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
    painter.drawLine(0, g.YToPixel(guide_), width(), g.YToPixel(guide_));
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::yellow, 2));
  const auto& points = curve_.Points();
  for (size_t i = 1; i < points.size(); ++i)
    painter.drawLine(g.XToPixel(points[i - 1].x), g.YToPixel(points[i - 1].y), g.XToPixel(points[i].x),
                     g.YToPixel(points[i].y));
  painter.setBrush(Qt::red);
  painter.setPen(Qt::white);
  for (const CPointOb& p : points)
    painter.drawEllipse(QPoint(g.XToPixel(p.x), g.YToPixel(p.y)), kPointRadius, kPointRadius);
}

void CCurveEditor::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const int hit = PointAt(at);
  if (event->button() == Qt::RightButton) {
    if (hit >= 0 && curve_.Remove(hit)) {
      update();
      emit curveChanged();
    }
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  const CurveGeometry g = Geometry();
  dragged_ = hit >= 0 ? hit : curve_.Add(g.PixelToX(at.x()), g.PixelToY(at.y()));
  if (hit < 0 && dragged_ >= 0) {
    update();
    emit curveChanged();
  }
}

void CCurveEditor::mouseMoveEvent(QMouseEvent* event) {
  if (dragged_ < 0) return;
  const CurveGeometry g = Geometry();
  const QPoint at = event->position().toPoint();
  curve_.Move(dragged_, g.PixelToX(at.x()), g.PixelToY(at.y()));
  update();
  emit curveChanged();
}

void CCurveEditor::mouseReleaseEvent(QMouseEvent*) { dragged_ = -1; }

void CCurveEditor::mouseDoubleClickEvent(QMouseEvent* event) {
  const int hit = PointAt(event->position().toPoint());
  if (hit >= 0 && curve_.Remove(hit)) {
    dragged_ = -1;
    update();
    emit curveChanged();
  }
}

}  // namespace tarkel::ui
