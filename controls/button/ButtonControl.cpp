#include "controls/button/ButtonControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tarkel::controls {

ButtonControl::ButtonControl(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize ButtonControl::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(windowTitle()) + 24, metrics.height() + 12};
}

intptr_t ButtonControl::Message(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case BTM_SETTEXT:
      setWindowTitle(lParam ? QString::fromUtf8(reinterpret_cast<const char*>(lParam)) : QString());
      update();
      return 0;
    case BTM_SETSTATE:
      latched_ = wParam != 0;
      update();
      return 0;
    case BTM_GETSTATE:
      return IsDown() ? 1 : 0;
    default:
      return 0;
  }
}

void ButtonControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Button));
  const bool down = IsDown();
  const QColor light = colours.color(QPalette::Light), dark = colours.color(QPalette::Dark);
  const QColor shadow = colours.color(QPalette::Shadow);
  DrawBevel(painter, rect(), 1, down ? shadow : light, down ? light : shadow);
  DrawBevel(painter, rect().adjusted(1, 1, -1, -1), 1, down ? dark : colours.color(QPalette::Midlight),
            down ? colours.color(QPalette::Midlight) : dark);
  QRect textArea = rect().adjusted(4, 4, -4, -4);
  if (down) textArea.translate(1, 1);
  painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(textArea, Qt::AlignCenter | Qt::TextShowMnemonic, windowTitle());
  if (hasFocus()) {
    painter.setPen(QPen(colours.color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(4, 4, -5, -5));
  }
}

void ButtonControl::Click() {
  if (property(kControlStyleProperty).toUInt() & BTS_TOGGLE) latched_ = !latched_;
  update();
  emit notify(BTN_CLICKED);
  notifyTarget_.Send(this, BTN_CLICKED);
}

void ButtonControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  pressed_ = true;
  update();
}

void ButtonControl::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  // The button shows pressed only while the mouse is over it.
  const bool over = rect().contains(event->position().toPoint());
  if (over != pressed_) {
    pressed_ = over;
    update();
  }
}

void ButtonControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const bool over = rect().contains(event->position().toPoint());
  pressed_ = false;
  if (over)
    Click();
  else
    update();
}

void ButtonControl::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
    Click();
  else
    QWidget::keyPressEvent(event);
}

}  // namespace tarkel::controls
