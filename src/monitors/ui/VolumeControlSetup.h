#pragma once
// The records the volume control window sends its controls when it is created, and the ids and
// rectangles of its dialog template.
#include <cstdint>

#include "controls/gauge/GaugeInfo.h"
#include "controls/knob/KnobInfo.h"
#include "controls/meter/MeterInfo.h"

namespace tarkel::ui {

// Dialog template 131.
inline constexpr int kVolumeControlTemplate = 131;
inline constexpr int IDC_METER_UPPER = 1012;
inline constexpr int IDC_METER_LOWER = 1007;
inline constexpr int IDC_GAUGE_FIRST = 1004;
inline constexpr int IDC_GAUGE_SECOND = 1003;
inline constexpr int IDC_KNOB_LEFT = 1009;
inline constexpr int IDC_KNOB_RIGHT = 1008;
inline constexpr int IDC_MONO_LOCK = 1011;

// The level meters' window style (16: flat; 512 is ignored by the meter).
inline constexpr uint32_t kLevelMeterStyle = 16 | 512;

// The level bars: 25 segments over 0 .. 8.5, green from 0, yellow from 0.56, red from 0.78.
controls::METERINFO LevelMeterInfo();
// A volume knob: ticks labelled "1" .. "10" over 0 .. 65535, starting at `volume`.
controls::KNOBINFO VolumeKnobInfo(uint16_t volume);
// The needle gauges: "VU-" "Meter" on a light grey face over 0 .. 8.5, dark green up to 5.0,
// yellow up to 7.5, dark red up to 8.5.
controls::GAUGEINFO LevelGaugeInfo();

// A knob's value as a device volume word (kept inside 0 .. 65535, fractions dropped).
uint16_t VolumeWordOf(float knobValue);

}  // namespace tarkel::ui
