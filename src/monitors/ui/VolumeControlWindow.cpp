#include "monitors/ui/VolumeControlWindow.h"

#include <QCheckBox>

#include "controls/ControlWidget.h"
#include "monitors/MonitorSource.h"
#include "monitors/SoundLevel.h"
#include "monitors/ui/VolumeControlSetup.h"

namespace tarkel::ui {

using namespace tarkel::controls;

namespace {

// The template's extent in dialog units (the right knob ends at 401, the check box at 66).
constexpr int kTemplateWidth = 405;
constexpr int kTemplateHeight = 70;
// WM_USER + 2: shows a value on a gauge or a bar meter.
constexpr uint32_t kShowValue = MTM_SETVALUE;
static_assert(GGM_SETVALUE == kShowValue);

// A click without a drag moves the knob and sends only KNN_RELEASED: the device follows the knob
// on both notifications, so that what the knob shows is what plays.
bool TakesKnobValue(int code) { return code == KNN_CHANGING || code == KNN_RELEASED; }

}  // namespace

VolumeControlWindow::VolumeControlWindow(const ControlFactory& controls, OutputVolume& volume, MonitorSource& source,
                                         QWidget* owner)
    : QWidget(owner, Qt::Tool), volume_(volume), source_(source) {
  setObjectName(QStringLiteral("VolumeControl"));
  setWindowTitle(QStringLiteral("Volume/Pan-Control"));
  const DialogBase base = DialogBaseOf(font());
  setFixedSize(base.X(kTemplateWidth), base.Y(kTemplateHeight));

  QWidget* upper = Place(controls, "Meter", IDC_METER_UPPER, 4, 11, 150, 15);
  QWidget* lower = Place(controls, "Meter", IDC_METER_LOWER, 4, 34, 150, 15);
  QWidget* first = Place(controls, "Gauge", IDC_GAUGE_FIRST, 160, 10, 55, 40);
  QWidget* second = Place(controls, "Gauge", IDC_GAUGE_SECOND, 221, 10, 55, 40);
  QWidget* left = Place(controls, "Knob", IDC_KNOB_LEFT, 283, 4, 56, 52);
  QWidget* right = Place(controls, "Knob", IDC_KNOB_RIGHT, 345, 4, 56, 52);
  monoLock_ = new QCheckBox(QStringLiteral("Mono Lock"), this);
  monoLock_->setGeometry(base.X(315), base.Y(56), base.X(49), base.Y(10));
  monoLock_->setProperty(kControlIdProperty, IDC_MONO_LOCK);
  for (QWidget* gauge : {first, second})
    if (gauge) gauge->setWindowTitle(QStringLiteral("Links"));

  for (QWidget* meter : {upper, lower}) {
    if (!meter) continue;
    meter->setProperty(kControlStyleProperty, kLevelMeterStyle);
    SendControlRecord(meter, MTM_SETINFO, LevelMeterInfo());
  }
  for (QWidget* gauge : {first, second}) SendControlRecord(gauge, GGM_SETINFO, LevelGaugeInfo());
  SendControlRecord(left, KNM_SETINFO, VolumeKnobInfo(volume_.LeftVolume()));
  SendControlRecord(right, KNM_SETINFO, VolumeKnobInfo(volume_.RightVolume()));
  if (left) connect(left, SIGNAL(notify(int)), this, SLOT(LeftKnobNotified(int)));
  if (right) connect(right, SIGNAL(notify(int)), this, SLOT(RightKnobNotified(int)));
}

QWidget* VolumeControlWindow::Place(const ControlFactory& controls, const char* className, int id, int x, int y,
                                    int w, int h) {
  QWidget* control = controls ? controls(className, this) : nullptr;
  if (!control) return nullptr;
  const DialogBase base = DialogBaseOf(font());
  control->setGeometry(base.X(x), base.Y(y), base.X(w), base.Y(h));
  control->setProperty(kControlIdProperty, id);
  return control;
}

QWidget* VolumeControlWindow::Control(int id) const {
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->property(kControlIdProperty).toInt() == id) return child;
  return nullptr;
}

float VolumeControlWindow::KnobValue(int id) const {
  float value = 0.0f;
  SendControlRecord(Control(id), KNM_GETVALUE, value);
  return value;
}

void VolumeControlWindow::SetKnobValue(int id, float value) { SendControlRecord(Control(id), KNM_SETVALUE, value); }

void VolumeControlWindow::LeftKnobNotified(int code) {
  if (!TakesKnobValue(code)) return;
  const float value = KnobValue(IDC_KNOB_LEFT);
  volume_.SetLeftVolume(VolumeWordOf(value));
  if (!monoLock_->isChecked()) return;
  // Linked: the right knob follows and both channels take the value.
  SetKnobValue(IDC_KNOB_RIGHT, value);
  volume_.SetRightVolume(VolumeWordOf(value));
}

void VolumeControlWindow::RightKnobNotified(int code) {
  if (!TakesKnobValue(code)) return;
  const float value = KnobValue(IDC_KNOB_RIGHT);
  volume_.SetRightVolume(VolumeWordOf(value));
  if (!monoLock_->isChecked()) return;
  volume_.SetLeftVolume(VolumeWordOf(value));
  SetKnobValue(IDC_KNOB_LEFT, value);
}

void VolumeControlWindow::RefreshLevel() {
  const WaveAudio* sound = source_.TransportSound();
  if (!sound) return;
  const std::optional<float> level = SoundLevelAt(*sound, source_.TransportFrame());
  if (!level) return;
  const float value = *level;
  for (int id : {IDC_GAUGE_FIRST, IDC_METER_UPPER, IDC_GAUGE_SECOND, IDC_METER_LOWER})
SendControlRecord(Control(id), kShowValue, value);
}

void VolumeControlWindow::SyncKnobs() {
  SetKnobValue(IDC_KNOB_LEFT, volume_.LeftVolume());
  SetKnobValue(IDC_KNOB_RIGHT, volume_.RightVolume());
}

void VolumeControlWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  SyncKnobs();
  emit visibilityChanged();
}

void VolumeControlWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit visibilityChanged();
}

}  // namespace tarkel::ui
