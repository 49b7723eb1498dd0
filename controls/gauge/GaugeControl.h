#pragma once
// The "Gauge" control: a needle instrument. A face in the record's colour carries a scale arc
// over the top in coloured zones, tick marks, two captions and a needle that shows the value.
#include <QWidget>

#include "controls/ControlWidget.h"
#include "controls/gauge/GaugeInfo.h"

namespace tarkel::controls {

class GaugeControl final : public QWidget {
  Q_OBJECT
 public:
  explicit GaugeControl(QWidget* parent = nullptr);

  // The gauge's messages (GGM_...), by number; 0 for a message the gauge does not know.
  intptr_t Message(uint32_t message, uintptr_t wParam, intptr_t lParam);
  Q_INVOKABLE qintptr sendMessage(uint message, quintptr wParam, qintptr lParam) {
    return Message(message, wParam, lParam);
  }

  const GAUGEINFO& Info() const { return info_; }
  // The needle's pivot and the scale's radius, as painted.
  QPointF Pivot() const;
  double ScaleRadius() const;
  QSize sizeHint() const override { return {120, 90}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  GAUGEINFO info_;
};

}  // namespace tarkel::controls
