#pragma once
// One page of the device sheet: the devices of one kind (the default device last), the rates
// the selected one takes in each of the four sample layouts and, on the play page, its playback
// features in four disabled check boxes.
#include <QWidget>
#include <array>

#include "audio/WaveDevice.h"

class QCheckBox;
class QListWidget;

namespace tarkel::audio {

// Dialog control ids of the page, kept as the widgets' object names ("id1015", ...).
namespace ctl {
inline constexpr int kDeviceList = 1015;
inline constexpr int kMono8 = 1017;
inline constexpr int kStereo8 = 1018;
inline constexpr int kStereo16 = 1019;
inline constexpr int kMono16 = 1020;
inline constexpr int kPitch = 1037;
inline constexpr int kPlaybackRate = 1038;
inline constexpr int kVolume = 1039;
inline constexpr int kBalance = 1040;
}  // namespace ctl

class DevicePage : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { Play, Record };
  DevicePage(DeviceSystem& devices, Kind kind, QWidget* parent = nullptr);

  // Selects `number` when it is one of the lines (0 .. N).
  void SetDevice(DeviceNumber number);
  DeviceNumber GetDevice() const { return selected_; }

  QListWidget* DeviceList() const { return deviceList_; }
  // The rate list of the sample layout at index i of kFormatLists.
  QListWidget* FormatList(size_t i) const { return formatLists_[i]; }
  // The feature boxes (play page only; null on the record page).
  QCheckBox* Feature(size_t i) const { return features_[i]; }

 private:
  void ShowCapabilities(int row);

  DeviceSystem& devices_;
  Kind kind_;
  uint32_t count_ = 0;
  DeviceNumber selected_ = 0;
  QListWidget* deviceList_ = nullptr;
  std::array<QListWidget*, 4> formatLists_{};
  std::array<QCheckBox*, 4> features_{};
};

}  // namespace tarkel::audio
