#include "audio/ui/DeviceSheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "audio/AudioTransport.h"

namespace tarkel::audio {

DeviceSheet::DeviceSheet(DeviceSystem& devices, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Device-Selection"));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  play_ = new DevicePage(devices, DevicePage::Kind::Play, tabs_);
  record_ = new DevicePage(devices, DevicePage::Kind::Record, tabs_);
  tabs_->addTab(play_, QStringLiteral("Play"));
  tabs_->addTab(record_, QStringLiteral("Record"));
  layout->addWidget(tabs_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

bool SelectSoundDevices(AudioTransport& transport, QWidget* parent) {
  DeviceSheet sheet(transport.Devices(), parent);
  sheet.PlayPage().SetDevice(transport.OutputDevice());
  sheet.RecordPage().SetDevice(transport.InputDevice());
  if (sheet.exec() != QDialog::Accepted) return false;
  transport.SetOutputDevice(sheet.PlayPage().GetDevice());
  transport.SetInputDevice(sheet.RecordPage().GetDevice());
  return true;
}

}  // namespace tarkel::audio
