#pragma once
// The monitor windows beside the main window: the region manager, the volume control and the
// scope. Each is a small tool window that can be shown and hidden; its placement is kept.
#include <QWidget>

namespace tarkel::app {

class MonitorWindow final : public QWidget {
  Q_OBJECT
 public:
  MonitorWindow(const QString& objectName, const QString& title, QSize size, QWidget* owner);

 signals:
  // Shown or hidden: the main frame refreshes the check marks of its commands.
  void visibilityChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
};

MonitorWindow* CreateRegionManager(QWidget* owner);
MonitorWindow* CreateVolumeControl(QWidget* owner);
MonitorWindow* CreateScope(QWidget* owner);

}  // namespace tarkel::app
