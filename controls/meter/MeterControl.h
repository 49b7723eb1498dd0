#pragma once
// The "Meter" control: a horizontal or vertical bar of coloured segments showing a value, with
// an optional scale. It takes no input and sends no notifications; its state is one METERINFO,
// exchanged whole with the owner through the meter's messages.
#include <QWidget>

#include "controls/ControlWidget.h"
#include "controls/meter/MeterInfo.h"

namespace tarkel::controls {

class MeterControl final : public QWidget {
  Q_OBJECT
 public:
  explicit MeterControl(QWidget* parent = nullptr);

  // The meter's messages (MTM_...), by number; 0 for a message the meter does not know.
  intptr_t Message(uint32_t message, uintptr_t wParam, intptr_t lParam);
  Q_INVOKABLE qintptr sendMessage(uint message, quintptr wParam, qintptr lParam) {
    return Message(message, wParam, lParam);
  }

  const METERINFO& Info() const { return info_; }
  QSize sizeHint() const override { return {240, 40}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  uint32_t Style() const;
  // The rectangle the segments cover.
  QRect SegmentArea() const;
  void PaintFrameAndWell(QPainter& painter, const QRect& bar) const;
  void PaintScale(QPainter& painter, const QRect& bar, int scaleLength, bool vertical) const;
  void PaintSegments(QPainter& painter, const QRect& bar, int scaleLength, bool vertical) const;

  METERINFO info_;
};

}  // namespace tarkel::controls
