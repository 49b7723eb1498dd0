#pragma once
// How the monitor windows reach the custom controls: the controls come from the control
// libraries through the program's registry (a factory by class name), and their messages and
// notifications are reached through Qt's meta-object system by name, so that this code need not
// link the libraries.
#include <QWidget>
#include <functional>

namespace tarkel::ui {

// Makes a control of a registered class ("Knob", "Meter", "Gauge") as a child of `parent`; null
// when the class is not registered.
using ControlFactory = std::function<QWidget*(const char* className, QWidget* parent)>;

// Sends message `message` to `control` through its sendMessage(); 0 when it has none.
qintptr SendControlMessage(QWidget* control, uint message, quintptr wParam, qintptr lParam);

// Sends a record or value by address.
template <class Record>
qintptr SendControlRecord(QWidget* control, uint message, const Record& record) {
  return SendControlMessage(control, message, 0, reinterpret_cast<qintptr>(&record));
}

}  // namespace tarkel::ui
