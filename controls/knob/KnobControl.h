#pragma once
// The "Knob" control: a round rotary knob with a scale of ticks and labels, turned by dragging
// with the left button or with the arrow keys. Its state is one KNOBINFO, exchanged whole with
// the owner through the knob's messages.
#include <QWidget>

#include "controls/ControlWidget.h"
#include "controls/knob/KnobInfo.h"

namespace tarkel::controls {

class KnobControl final : public QWidget {
  Q_OBJECT
 public:
  explicit KnobControl(QWidget* parent = nullptr);

  // The knob's messages (KNM_...), by number; 0 for a message the knob does not know.
  intptr_t Message(uint32_t message, uintptr_t wParam, intptr_t lParam);
  // The same, reachable by name through Qt's meta-object system from code that does not link
  // the library.
  Q_INVOKABLE qintptr sendMessage(uint message, quintptr wParam, qintptr lParam) {
    return Message(message, wParam, lParam);
  }
  Q_INVOKABLE void setNotifyCallback(quintptr callback, quintptr context) {
    notifyTarget_.callback = reinterpret_cast<TarkelNotifyFn>(callback);
    notifyTarget_.context = reinterpret_cast<void*>(context);
  }

  const KNOBINFO& Info() const { return info_; }
  // Centre of the knob and its radius in pixels, as painted.
  QPointF Centre() const;
  double Radius() const;

  QSize sizeHint() const override { return {120, 120}; }

 signals:
  // KNN_CHANGING or KNN_RELEASED.
  void notify(int code);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  uint32_t Style() const;
  DialogBase Base() const;
  void MoveValueTo(QPointF point);
  // Sets the value from the keyboard or wheel, kept inside the range, and notifies as a
  // completed turn.
  void StepValue(double steps);
  void SetValueAndRedrawPointer(float value);
  void Notify(int code);
  QRect FaceRect() const;

  KNOBINFO info_;
  bool dragging_ = false;
  NotifyTarget notifyTarget_;
};

}  // namespace tarkel::controls
