#include "app/MonitorWindows.h"

#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

namespace tarkel::app {

MonitorWindow::MonitorWindow(const QString& objectName, const QString& title, QSize size, QWidget* owner)
    : QWidget(owner, Qt::Tool) {
  setObjectName(objectName);
  setWindowTitle(title);
  // The monitor windows' class: black background, arrow cursor.
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);
  setAutoFillBackground(true);
  setCursor(Qt::ArrowCursor);
  auto* label = new QLabel(title, this);
  label->setAlignment(Qt::AlignCenter);
  label->setStyleSheet("color: #808080;");
  (new QVBoxLayout(this))->addWidget(label);
  resize(size);
}

void MonitorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  emit visibilityChanged();
}

void MonitorWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit visibilityChanged();
}

MonitorWindow* CreateRegionManager(QWidget* owner) {
  return new MonitorWindow("RegionManager", "Play-Script/Region-Manager", QSize(360, 240), owner);
}

MonitorWindow* CreateVolumeControl(QWidget* owner) {
  return new MonitorWindow("VolumeControl", "Volume/Pan-Control", QSize(260, 200), owner);
}

MonitorWindow* CreateScope(QWidget* owner) { return new MonitorWindow("Scope", "Scope", QSize(320, 200), owner); }

}  // namespace tarkel::app
