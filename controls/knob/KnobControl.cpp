#include "controls/knob/KnobControl.h"

#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>
#include <cstring>

#include "controls/knob/KnobMath.h"

namespace tarkel::controls {
namespace {

const QColor kFace(192, 192, 192);
const QColor kRimLight(230, 230, 230);
const QColor kRimShade(160, 160, 160);
const QColor kPointer(255, 255, 0);

// The point at `radius` and `degrees` from `centre` (screen y grows downwards).
QPointF Polar(QPointF centre, double radius, double degrees) {
  const double radians = degrees / kDegreesPerRadian;
  return {centre.x() + radius * std::cos(radians), centre.y() - radius * std::sin(radians)};
}

QRectF Circle(QPointF centre, double radius) {
  return {centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius};
}

// Qt's arcs take sixteenths of a degree, counter-clockwise.
void DrawArc(QPainter& painter, QPointF centre, double radius, double fromDegrees, double spanDegrees) {
  painter.drawArc(Circle(centre, radius), qRound(fromDegrees * 16), qRound(spanDegrees * 16));
}

}  // namespace

KnobControl::KnobControl(QWidget* parent) : QWidget(parent), info_(DefaultKnobInfo()) {
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
}

uint32_t KnobControl::Style() const { return property(kControlStyleProperty).toUInt(); }

DialogBase KnobControl::Base() const { return DialogBaseOf(font()); }

QPointF KnobControl::Centre() const {
  const DialogBase base = Base();
  // 64-bit: the offsets come from the owner's record and may be anything.
  return {width() / 2.0 + static_cast<double>(int64_t{info_.nOffsetX} * base.width / 4),
          height() / 2.0 + static_cast<double>(int64_t{info_.nOffsetY} * base.height / 8)};
}

double KnobControl::Radius() const {
  const DialogBase base = Base();
  return std::min(info_.wRadius * base.height / 8, info_.wRadius * base.width / 4);
}

QRect KnobControl::FaceRect() const {
  // Kept inside the window in floating point: a record may put the knob far outside it.
  return Circle(Centre(), Radius() + 6).intersected(QRectF(rect())).toAlignedRect();
}

intptr_t KnobControl::Message(uint32_t message, uintptr_t, intptr_t lParam) {
  auto* pointer = reinterpret_cast<void*>(lParam);
  switch (message) {
    case KNM_SETINFO:
      if (!pointer) return 0;
      std::memcpy(&info_, pointer, sizeof info_);
      for (const std::string& note : ValidateKnobInfo(info_)) qDebug().noquote() << QString::fromStdString(note);
      repaint();
      return 0;
    case KNM_GETINFO:
      if (!pointer) return 0;
      std::memcpy(pointer, &info_, sizeof info_);
      return 1;
    case KNM_SETVALUE:
      if (!pointer) return 0;
      std::memcpy(&info_.fValue, pointer, sizeof(float));
      repaint();
      return 0;
    case KNM_GETVALUE:
      if (!pointer) return 0;
      std::memcpy(pointer, &info_.fValue, sizeof(float));
      return lParam;
    default:
      return 0;
  }
}

void KnobControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const uint32_t style = Style();
  const QColor white(255, 255, 255), grey(128, 128, 128);
  if (style & KNS_RAISED)
    DrawBevel(painter, rect(), 3, white, grey);
  else if (style & KNS_SUNKEN)
    DrawBevel(painter, rect(), 3, grey, white);

  const QPointF centre = Centre();
  const double r = Radius();
  const int sweep = KnobSweep(info_);

  // Scale: the arc, the ticks and the labels of the long ticks.
  painter.setPen(QPen(Qt::black, 1));
  DrawArc(painter, centre, r + 10, info_.wTicsEnd, sweep);
  QFont labelFont(QStringLiteral("Arial"));
  labelFont.setPixelSize(14);
  painter.setFont(labelFont);
  const QFontMetricsF metrics(labelFont);
  int slot = 0;
  for (int tick = 0; tick < info_.wNumTics; ++tick) {
    const double angle = KnobTickAngle(info_, tick);
    const bool isLong = KnobTickIsLong(info_, tick);
    painter.drawLine(Polar(centre, r + 10, angle), Polar(centre, isLong ? r + 20 : r + 15, angle));
    if (!isLong) continue;
    if (slot < kKnobLabelSlots) {
      const QString label = QString::fromLatin1(info_.szLabels[slot], qstrnlen(info_.szLabels[slot], kKnobLabelSize));
      const QPointF at = Polar(centre, r + 25, angle);
      painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(label) / 2, at.y()), label);
    }
    ++slot;
  }

  // Face: the disc, the lit and shaded rim, the pointer, the outer ring.
  painter.setPen(Qt::NoPen);
  painter.setBrush(kFace);
  painter.drawEllipse(Circle(centre, r));
  painter.setBrush(Qt::NoBrush);
  const double rim = std::max(0.0, r - 2.5);
  painter.setPen(QPen(kRimLight, 5, Qt::SolidLine, Qt::FlatCap));
  DrawArc(painter, centre, rim, 45, 180);
  painter.setPen(QPen(kRimShade, 5, Qt::SolidLine, Qt::FlatCap));
  DrawArc(painter, centre, rim, 225, 180);
  const double angle = KnobAngleOfValue(info_, info_.fValue);
  painter.setPen(QPen(kPointer, 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(Polar(centre, r - 15, angle), Polar(centre, r - 5, angle));
  painter.setPen(QPen(hasFocus() ? palette().color(QPalette::Highlight) : QColor(Qt::black), hasFocus() ? 2 : 1));
  painter.drawEllipse(Circle(centre, r + 3));
}

void KnobControl::SetValueAndRedrawPointer(float value) {
  info_.fValue = value;
  // Only the face changes while the knob turns.
  update(FaceRect());
}

void KnobControl::MoveValueTo(QPointF point) {
  const QPointF centre = Centre();
  const double degrees = KnobMouseAngle(point.x() - centre.x(), point.y() - centre.y());
  SetValueAndRedrawPointer(KnobValueOfAngle(info_, degrees, Style() & KNS_INTEGER));
}

void KnobControl::Notify(int code) {
  emit notify(code);
  notifyTarget_.Send(this, code);
}

void KnobControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragging_ = true;
  MoveValueTo(event->position());
}

void KnobControl::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  MoveValueTo(event->position());
  Notify(KNN_CHANGING);
}

void KnobControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  dragging_ = false;
  Notify(KNN_RELEASED);
}

void KnobControl::StepValue(double steps) {
  const double range = static_cast<double>(info_.fMaxValue) - info_.fMinValue;
  // One arrow press moves a hundredth of the range (at least 1 for a whole-number knob).
  double step = range / 100.0;
  if (Style() & KNS_INTEGER) step = std::max(1.0, std::round(step));
  const double low = std::min(info_.fMinValue, info_.fMaxValue), high = std::max(info_.fMinValue, info_.fMaxValue);
  double value = std::clamp(static_cast<double>(info_.fValue) + steps * step, low, high);
  if (Style() & KNS_INTEGER) value = KnobRoundToInteger(static_cast<float>(value));
  SetValueAndRedrawPointer(static_cast<float>(value));
  Notify(KNN_CHANGING);
  Notify(KNN_RELEASED);
}

void KnobControl::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
      return StepValue(1);
    case Qt::Key_Left:
    case Qt::Key_Down:
      return StepValue(-1);
    case Qt::Key_PageUp:
      return StepValue(10);
    case Qt::Key_PageDown:
      return StepValue(-10);
    case Qt::Key_Home:
      return StepValue(-1e9);
    case Qt::Key_End:
      return StepValue(1e9);
    default:
      QWidget::keyPressEvent(event);
  }
}

void KnobControl::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches) StepValue(notches);
  event->accept();
}

}  // namespace tarkel::controls
