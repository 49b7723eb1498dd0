#pragma once
// "Device-Selection": the sheet of command 32777 with a "Play" and a "Record" page. OK takes the
// two device numbers into the transport; Cancel leaves them as they were.
#include <QDialog>

#include "audio/ui/DevicePage.h"

class QTabWidget;

namespace tarkel::audio {

class AudioTransport;

inline constexpr int kSelectSoundDevicesCommand = 32777;

class DeviceSheet : public QDialog {
  Q_OBJECT
 public:
  DeviceSheet(DeviceSystem& devices, QWidget* parent = nullptr);
  DevicePage& PlayPage() { return *play_; }
  DevicePage& RecordPage() { return *record_; }
  QTabWidget* Tabs() const { return tabs_; }

 private:
  QTabWidget* tabs_ = nullptr;
  DevicePage* play_ = nullptr;
  DevicePage* record_ = nullptr;
};

// Command 32777: shows the sheet with the transport's device numbers; on OK stores the chosen
// ones. True on OK.
bool SelectSoundDevices(AudioTransport& transport, QWidget* parent);

}  // namespace tarkel::audio
