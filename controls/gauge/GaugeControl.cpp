#include "controls/gauge/GaugeControl.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstring>

#include "controls/gauge/GaugeMath.h"

namespace tarkel::controls {
namespace {

constexpr double kDegreesPerRadian = 57.29578;

QPointF Polar(QPointF centre, double radius, double degrees) {
  const double radians = degrees / kDegreesPerRadian;
  return {centre.x() + radius * std::cos(radians), centre.y() - radius * std::sin(radians)};
}

QRectF Circle(QPointF centre, double radius) {
  return {centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius};
}

}  // namespace

GaugeControl::GaugeControl(QWidget* parent) : QWidget(parent), info_(DefaultGaugeInfo()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

intptr_t GaugeControl::Message(uint32_t message, uintptr_t, intptr_t lParam) {
  auto* pointer = reinterpret_cast<void*>(lParam);
  if (!pointer) return 0;
  switch (message) {
    case GGM_GETINFO:
      std::memcpy(pointer, &info_, sizeof info_);
      return 1;
    case GGM_SETINFO:
      std::memcpy(&info_, pointer, sizeof info_);
      ValidateGaugeInfo(info_);
      update();
      return 0;
    case GGM_SETVALUE: {
      float value;
      std::memcpy(&value, pointer, sizeof value);
      if (value == info_.fValue) return 0;
      info_.fValue = value;
      update();
      return 0;
    }
    case GGM_GETVALUE:
      std::memcpy(pointer, &info_.fValue, sizeof(float));
      return lParam;
    default:
      return 0;
  }
}

QPointF GaugeControl::Pivot() const { return {width() / 2.0, height() * 0.92}; }

double GaugeControl::ScaleRadius() const {
  // The scale's ends must stay inside the face, as must its top.
  const double halfWidth = width() / 2.0 - 6;
  const double sideReach = std::cos(kGaugeEndDegrees / kDegreesPerRadian);
  return std::max(4.0, std::min(halfWidth / sideReach, Pivot().y() - 8));
}

void GaugeControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), ColorOf(info_.crFace));
  DrawBevel(painter, rect(), 2, QColor(128, 128, 128), Qt::white);

  const QPointF pivot = Pivot();
  const double radius = ScaleRadius();
  const double band = std::max(2.0, radius * 0.12);

  // Zones: bands along the scale's outer edge.
  for (int zone = 0; zone < info_.nZones; ++zone) {
    const GaugeSpan span = GaugeZoneSpan(info_, zone);
    if (span.toFraction <= span.fromFraction) continue;
    const double from = GaugeDegreesOfFraction(span.fromFraction);
    const double to = GaugeDegreesOfFraction(span.toFraction);
    painter.setPen(QPen(ColorOf(info_.Zones[zone].crColor), band, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(Circle(pivot, radius - band / 2), qRound(to * 16), qRound((from - to) * 16));
  }

  // Ticks: every tenth of the scale, every other one longer.
  painter.setPen(QPen(Qt::black, 1));
  painter.drawArc(Circle(pivot, radius - band), qRound(kGaugeEndDegrees * 16),
                  qRound((kGaugeStartDegrees - kGaugeEndDegrees) * 16));
  for (int tick = 0; tick <= 10; ++tick) {
    const double degrees = GaugeDegreesOfFraction(tick / 10.0);
    const double inner = radius - band - (tick % 2 == 0 ? band * 1.2 : band * 0.6);
    painter.drawLine(Polar(pivot, radius - band, degrees), Polar(pivot, inner, degrees));
  }

  // Captions: one line between the scale and the pivot.
  QString caption = QString::fromLatin1(info_.szCaption1);
  const QString second = QString::fromLatin1(info_.szCaption2);
  if (!caption.isEmpty() && !second.isEmpty() && !caption.endsWith('-')) caption += ' ';
  caption += second;
  if (!caption.isEmpty()) {
    QFont captionFont = font();
    captionFont.setPixelSize(std::max(7, static_cast<int>(radius * 0.24)));
    captionFont.setBold(true);
    painter.setFont(captionFont);
    painter.setPen(QColor(40, 40, 40));
    const QRectF area(0, pivot.y() - radius * 0.5, width(), radius * 0.26);
    painter.drawText(area, Qt::AlignCenter, caption);
  }

  // Needle and its pivot cap.
  const double needle = GaugeNeedleDegrees(info_, info_.fValue);
  painter.setPen(QPen(QColor(20, 20, 20), std::max(1.2, radius * 0.03), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(pivot, Polar(pivot, radius * 0.97, needle));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(20, 20, 20));
  painter.drawEllipse(Circle(pivot, std::max(2.0, radius * 0.06)));
}

}  // namespace tarkel::controls
