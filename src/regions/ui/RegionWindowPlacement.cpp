// Where the region window was and whether it was shown, kept in the settings store.
#include <QSettings>

#include "regions/RegionWindowModel.h"
#include "regions/ui/RegionWindow.h"

namespace tarkel::ui {

void RegionWindow::RestoreSettings(QSettings& settings, bool firstRun) {
  RestorePlacement(settings);
  if (firstRun || settings.value(kVisibilityKey, 0).toInt() == 1) show();
}

void RegionWindow::ToggleShown(QSettings& settings, bool firstRun) {
  if (isVisible()) {
    hide();
    return;
  }
  if (!firstRun) RestorePlacement(settings);
  show();
  raise();
}

// The stored placement, the window's own as the default of every value.
void RegionWindow::RestorePlacement(QSettings& settings) {
  settings.beginGroup(kPlacementSection);
  const QRect now = geometry();
  const int left = settings.value("left", now.left()).toInt();
  const int top = settings.value("top", now.top()).toInt();
  const int right = settings.value("right", now.left() + now.width()).toInt();
  const int bottom = settings.value("bottom", now.top() + now.height()).toInt();
  settings.endGroup();
  if (right > left && bottom > top) setGeometry(left, top, right - left, bottom - top);
}

void RegionWindow::SaveSettings(QSettings& settings) const {
  settings.setValue(kVisibilityKey, isVisible() ? 1 : 0);
  if (!isVisible()) return;
  const QRect g = geometry();
  settings.beginGroup(kPlacementSection);
  const std::pair<const char*, int> placement[] = {
      {"showCmd", 1},           {"flags", 0},        {"ptMinPosition.x", -1}, {"ptMinPosition.y", -1},
      {"ptMaxPosition.x", -1},  {"ptMaxPosition.y", -1}, {"left", g.left()},  {"right", g.left() + g.width()},
      {"top", g.top()},         {"bottom", g.top() + g.height()},
  };
  for (const auto& [key, value] : placement) settings.setValue(key, value);
  settings.endGroup();
}

}  // namespace tarkel::ui
