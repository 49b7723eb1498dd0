#include "audio/ui/DevicePage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "audio/DeviceFormats.h"

namespace tarkel::audio {
namespace {

QString IdName(int id) { return QStringLiteral("id%1").arg(id); }

constexpr int kFormatListIds[4] = {ctl::kMono8, ctl::kStereo8, ctl::kMono16, ctl::kStereo16};

struct FeatureBox {
  int id;
  uint32_t bit;
  const char* text;
};
constexpr FeatureBox kFeatureBoxes[4] = {
    {ctl::kPitch, feature::kPitch, "Pitch control"},
    {ctl::kPlaybackRate, feature::kPlaybackRate, "Playback-rate control"},
    {ctl::kVolume, feature::kVolume, "Volume control"},
    {ctl::kBalance, feature::kLeftRightVolume, "Balance control"},
};

}  // namespace

DevicePage::DevicePage(DeviceSystem& devices, Kind kind, QWidget* parent)
    : QWidget(parent), devices_(devices), kind_(kind) {
  auto* layout = new QVBoxLayout(this);
  deviceList_ = new QListWidget(this);
  deviceList_->setObjectName(IdName(ctl::kDeviceList));
  layout->addWidget(deviceList_);

  auto* formats = new QGridLayout;
  for (size_t i = 0; i < kFormatLists.size(); ++i) {
    auto* label = new QLabel(QString::fromLatin1(kFormatLists[i].label), this);
    auto* list = new QListWidget(this);
    list->setObjectName(IdName(kFormatListIds[i]));
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setMaximumHeight(64);
    formats->addWidget(label, 0, int(i));
    formats->addWidget(list, 1, int(i));
    formatLists_[i] = list;
  }
  layout->addLayout(formats);

  if (kind_ == Kind::Play) {
    auto* group = new QGroupBox(QStringLiteral("Features:"), this);
    auto* boxes = new QHBoxLayout(group);
    for (size_t i = 0; i < 4; ++i) {
      auto* box = new QCheckBox(QString::fromLatin1(kFeatureBoxes[i].text), group);
      box->setObjectName(IdName(kFeatureBoxes[i].id));
      box->setEnabled(false);
      boxes->addWidget(box);
      features_[i] = box;
    }
    layout->addWidget(group);
  }

  // One line per device number 0 .. N, the default device (N) last.
  count_ = kind_ == Kind::Play ? devices_.OutputCount() : devices_.InputCount();
  for (DeviceNumber n = 0; n <= count_; ++n)
    deviceList_->addItem(QString::fromStdString(kind_ == Kind::Play ? devices_.OutputName(n) : devices_.InputName(n)));
  deviceList_->setCurrentRow(0);
  ShowCapabilities(0);
  connect(deviceList_, &QListWidget::currentRowChanged, this, [this](int row) { ShowCapabilities(row); });
}

void DevicePage::SetDevice(DeviceNumber number) {
  if (number > count_) return;
  deviceList_->setCurrentRow(int(number));
  ShowCapabilities(int(number));
}

void DevicePage::ShowCapabilities(int row) {
  if (row < 0) return;
  const DeviceNumber n = DeviceNumber(row);
  const DeviceCaps caps = kind_ == Kind::Play ? devices_.OutputCaps(n) : devices_.InputCaps(n);
  for (size_t i = 0; i < kFormatLists.size(); ++i) {
    formatLists_[i]->clear();
    for (const std::string& rate : RateTexts(caps.formats, kFormatLists[i].list))
      formatLists_[i]->addItem(QString::fromStdString(rate));
  }
  if (kind_ == Kind::Play)
    for (size_t i = 0; i < 4; ++i) features_[i]->setChecked((caps.features & kFeatureBoxes[i].bit) != 0);
  selected_ = n;
}

}  // namespace tarkel::audio
