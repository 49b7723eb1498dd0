#pragma once
// The program's icon and the tool bar buttons' symbols.
#include <QIcon>

namespace tarkel::app {

struct CommandRow;

QIcon ApplicationIcon();
// The button of `row` on tool bar `bar`: the desktop's own symbol where one fits, otherwise the
// row's short label on the bar's colour.
QIcon CommandIcon(const CommandRow& row, int bar);

}  // namespace tarkel::app
