#pragma once
// The VU meter and volume window ("Volume/Pan-Control", template 131): two needle gauges and two
// bar meters show the level of what plays or records, two knobs set the left and right volume of
// the selected output device, "Mono Lock" turns both together.
//
// The main window creates it with the control factory, the output volume and the monitor
// source, shows and hides it with show()/hide(), calls RefreshLevel() on every second tick of its
// timer while a document plays or records, and SyncKnobs() when the output device changes.
#include <QWidget>

#include "monitors/ui/ControlLink.h"

class QCheckBox;

namespace tarkel {
class MonitorSource;
class OutputVolume;
}  // namespace tarkel

namespace tarkel::ui {

class VolumeControlWindow final : public QWidget {
  Q_OBJECT
 public:
  VolumeControlWindow(const ControlFactory& controls, OutputVolume& volume, MonitorSource& source,
                      QWidget* owner = nullptr);

  // Measures the level at the transport position and shows it on the gauges and bars; keeps the
  // last value when nothing plays or the position is within an eighth of a second of the end.
  void RefreshLevel();
  // Moves the knobs to the device's current volume.
  void SyncKnobs();

  // The controls by their template ids (null when the class was not registered).
  QWidget* Control(int id) const;
  QCheckBox* MonoLock() const { return monoLock_; }

 signals:
  // Shown or hidden: the main window refreshes the check mark of its command.
  void visibilityChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private slots:
  void LeftKnobNotified(int code);
  void RightKnobNotified(int code);

 private:
  QWidget* Place(const ControlFactory& controls, const char* className, int id, int x, int y, int w, int h);
  float KnobValue(int id) const;
  void SetKnobValue(int id, float value);

  OutputVolume& volume_;
  MonitorSource& source_;
  QCheckBox* monoLock_ = nullptr;
};

}  // namespace tarkel::ui
