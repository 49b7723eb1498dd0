#include "monitors/ui/ControlLink.h"

#include <QMetaObject>

namespace tarkel::ui {

qintptr SendControlMessage(QWidget* control, uint message, quintptr wParam, qintptr lParam) {
  qintptr result = 0;
  if (!control) return result;
  QMetaObject::invokeMethod(control, "sendMessage", Qt::DirectConnection, Q_RETURN_ARG(qintptr, result),
                            Q_ARG(uint, message), Q_ARG(quintptr, wParam), Q_ARG(qintptr, lParam));
  return result;
}

}  // namespace tarkel::ui
