#pragma once
// The "Button" control: a push button drawn with a raised bevel that sinks while pressed, with
// an optional toggle style. It tells its owner of every click.
#include <QWidget>

#include "controls/ControlWidget.h"
#include "controls/button/ButtonInfo.h"

namespace tarkel::controls {

class ButtonControl final : public QWidget {
  Q_OBJECT
 public:
  explicit ButtonControl(QWidget* parent = nullptr);

  intptr_t Message(uint32_t message, uintptr_t wParam, intptr_t lParam);
  Q_INVOKABLE qintptr sendMessage(uint message, quintptr wParam, qintptr lParam) {
    return Message(message, wParam, lParam);
  }
  Q_INVOKABLE void setNotifyCallback(quintptr callback, quintptr context) {
    notifyTarget_.callback = reinterpret_cast<TarkelNotifyFn>(callback);
    notifyTarget_.context = reinterpret_cast<void*>(context);
  }

  bool IsDown() const { return latched_ || pressed_; }
  QSize sizeHint() const override;

 signals:
  void notify(int code);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Click();

  bool pressed_ = false;  // the left button is held over the button
  bool latched_ = false;  // toggle style: stays down
  NotifyTarget notifyTarget_;
};

}  // namespace tarkel::controls
