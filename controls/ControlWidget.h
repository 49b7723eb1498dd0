#pragma once
// Pieces of the Qt side every control library compiles in: the dialog base units of a widget's
// font, the colour of a record value, and the delivery of a notification to the owner (the
// control's `notify` signal and the callback the owner set).
#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include "controls/ControlLibrary.h"
#include "controls/ControlPlumbing.h"

namespace tarkel::controls {

// Base units of `font`: the average width of the 52 letters, rounded, and the line height.
inline DialogBase DialogBaseOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  DialogBase base;
  base.width = qMax(1, (letters / 26 + 1) / 2);
  base.height = qMax(1, metrics.height());
  return base;
}

inline QColor ColorOf(uint32_t colorRef) {
  const Rgb rgb = RgbOf(colorRef);
  return QColor(rgb.red, rgb.green, rgb.blue);
}

// `lines` nested one-pixel lines along the inside of `rect`: top and left in `topLeft`, right
// and bottom in `bottomRight`.
inline void DrawBevel(QPainter& painter, QRect rect, int lines, QColor topLeft, QColor bottomRight) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (int line = 0; line < lines; ++line) {
    const QRect r = rect.adjusted(line, line, -line, -line);
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  }
  painter.restore();
}

// The owner's notification callback of one control.
struct NotifyTarget {
  TarkelNotifyFn callback = nullptr;
  void* context = nullptr;

  void Send(QWidget* control, int code) const {
    if (!callback) return;
    const int id = control->property(kControlIdProperty).toInt();
    callback(context, NotificationParam(id, code), reinterpret_cast<intptr_t>(control));
  }
};

// The pieces of a library's exported entry points, for a control class `Control` with a
// constructor taking the parent, Message() and (for controls that notify) setNotifyCallback().
template <class Control>
void* CreateControl(void* parentWidget) {
  return new Control(static_cast<QWidget*>(parentWidget));
}

template <class Control>
Control* ControlOf(void* control) {
  return control ? qobject_cast<Control*>(static_cast<QWidget*>(control)) : nullptr;
}

template <class Control>
intptr_t SendToControl(void* control, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  Control* target = ControlOf<Control>(control);
  return target ? target->Message(message, wParam, lParam) : 0;
}

template <class Control>
void SetControlNotify(void* control, TarkelNotifyFn callback, void* context) {
  if (Control* target = ControlOf<Control>(control))
    target->setNotifyCallback(reinterpret_cast<quintptr>(callback), reinterpret_cast<quintptr>(context));
}

// Registers one class; a name already taken leaves it unregistered, loading still succeeds.
inline int RegisterOneClass(void* registry, TarkelRegisterControlFn registerControl, const char* className,
                            TarkelCreateControlFn create) {
  if (!registerControl) return 0;
  registerControl(registry, className, create);
  return 1;
}

}  // namespace tarkel::controls

// Exports a symbol from a control library (they are built with hidden visibility).
#define TARKEL_CONTROL_EXPORT extern "C" __attribute__((visibility("default")))
