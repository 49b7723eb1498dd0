#include "controls/meter/MeterControl.h"

#include <QPainter>
#include <cstring>

#include "controls/meter/MeterMath.h"

namespace tarkel::controls {
namespace {

const QColor kPanel(192, 192, 192);
const QColor kUnlit(128, 128, 128);

QRect ToRect(const PixelRect& r) { return {r.left, r.top, r.width, r.height}; }

}  // namespace

MeterControl::MeterControl(QWidget* parent) : QWidget(parent), info_(DefaultMeterInfo()) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
}

uint32_t MeterControl::Style() const { return property(kControlStyleProperty).toUInt(); }

intptr_t MeterControl::Message(uint32_t message, uintptr_t, intptr_t lParam) {
  auto* pointer = reinterpret_cast<void*>(lParam);
  if (!pointer) return 0;
  switch (message) {
    case MTM_SETINFO:
      std::memcpy(&info_, pointer, sizeof info_);
      ValidateMeterInfo(info_);
      update();
      return 0;
    case MTM_GETINFO:
      std::memcpy(pointer, &info_, sizeof info_);
      return 0;
    case MTM_SETVALUE:
      std::memcpy(&info_.fValue, pointer, sizeof(float));
      // Only the segments change.
      repaint(SegmentArea());
      return 0;
    case MTM_GETVALUE:
      std::memcpy(pointer, &info_.fValue, sizeof(float));
      return lParam;
    default:
      return 0;
  }
}

QRect MeterControl::SegmentArea() const {
  const DialogBase base = DialogBaseOf(font());
  const bool vertical = Style() & MTS_VERTICAL;
  const QRect bar = ToRect(MeterBarRect(info_, base, vertical));
  const int length = MeterScaleLength(info_, base);
  return vertical ? QRect(bar.left(), bar.bottom() + 1 - length, bar.width(), length)
                  : QRect(bar.left(), bar.top(), length, bar.height());
}

void MeterControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const DialogBase base = DialogBaseOf(font());
  const bool vertical = Style() & MTS_VERTICAL;
  const QRect bar = ToRect(MeterBarRect(info_, base, vertical));
  const int length = MeterScaleLength(info_, base);
  PaintFrameAndWell(painter, bar);
  if (info_.wNumTics != 0) PaintScale(painter, bar, length, vertical);
  PaintSegments(painter, bar, length, vertical);
}

void MeterControl::PaintFrameAndWell(QPainter& painter, const QRect& bar) const {
  const uint32_t style = Style();
  if (!(style & (MTS_RAISED | MTS_SUNKEN | MTS_FLAT))) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.fillRect(rect(), kPanel);
  if (style & MTS_RAISED)
    DrawBevel(painter, rect(), 4, Qt::white, Qt::black);
  else if (style & MTS_SUNKEN)
    DrawBevel(painter, rect(), 4, Qt::black, Qt::white);
  // The well holds the bar and every segment (the segments' length is taken in vertical units,
  // which may reach past a horizontal bar's width).
  QRect well = bar.united(SegmentArea()).adjusted(-4, -4, 4, 4);
  painter.fillRect(well, Qt::black);
  painter.setPen(Qt::white);
  for (int line = 0; line < 2; ++line) {
    const QRect r = well.adjusted(0, 0, -line, -line);
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.drawLine(r.bottomLeft(), r.bottomRight());
  }
}

void MeterControl::PaintScale(QPainter& painter, const QRect& bar, int scaleLength, bool vertical) const {
  const int spacing = MeterTickSpacing(info_, scaleLength);
  const bool ticks = Style() & MTS_TICKS;
  const QColor ink = (Style() & MTS_GREENSCALE) ? QColor(0, 255, 0) : QColor(0, 0, 0);
  QFont labelFont(QStringLiteral("Arial"));
  labelFont.setPixelSize(14);
  painter.setFont(labelFont);
  painter.setPen(ink);
  const QFontMetrics metrics(labelFont);
  int slot = 0;
  for (int tick = 0; tick < info_.wNumTics; ++tick) {
    const bool isLong = info_.wLabelStep != 0 && tick % info_.wLabelStep == 0;
    const int along = tick * spacing;
    QString label;
    if (isLong && slot < kMeterLabelSlots) {
      label = QString::fromLatin1(info_.szLabels[slot], qstrnlen(info_.szLabels[slot], kMeterLabelSize));
      ++slot;
    }
    if (!vertical) {
      const int x = bar.left() - 4 + along;
      const int top = bar.top() + bar.height() + 4;
      const int end = top + (isLong ? 10 : 5);
      if (ticks) painter.drawLine(x, top, x, end);
      if (isLong) painter.drawText(x - metrics.horizontalAdvance(label), (ticks ? end : top) + 10, label);
    } else {
      const int y = bar.bottom() - along;
      const int end = bar.left() - (isLong ? 14 : 9);
      if (ticks) painter.drawLine(bar.left() - 4, y, end, y);
      const int right = ticks ? end - 10 : bar.left() - 14;
      if (isLong) painter.drawText(right - metrics.horizontalAdvance(label), y, label);
    }
  }
}

void MeterControl::PaintSegments(QPainter& painter, const QRect& bar, int scaleLength, bool vertical) const {
  const int segment = MeterSegmentLength(info_, scaleLength);
  if (segment == 0 || scaleLength <= 0) return;
  for (int index = 0; index < info_.nSegments; ++index) {
    const int end = MeterSegmentEnd(index, segment);
    const double position = static_cast<double>(end) / scaleLength;
    const QColor color = MeterSegmentLit(info_, position, info_.fValue) ? ColorOf(MeterSegmentColor(info_, position))
                                                                        : kUnlit;
    const QRect area = vertical ? QRect(bar.left(), bar.bottom() + 1 - end, bar.width(), segment)
                                : QRect(bar.left() + end - segment, bar.top(), segment, bar.height());
    painter.fillRect(area, color);
  }
}

}  // namespace tarkel::controls
