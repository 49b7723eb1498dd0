// The controls' maths without a display: knob defaults, validation, angles and drag values;
// meter validation, segments and colours; gauge needle and zones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "controls/gauge/GaugeMath.h"
#include "controls/knob/KnobMath.h"
#include "controls/meter/MeterMath.h"

namespace tarkel::controls {
namespace {

constexpr double kPi = 3.14159265358979;

// The mouse angle of a point at `degrees` and 40 pixels from the centre, as the knob sees it.
double MouseAngleAt(double degrees) {
  return KnobMouseAngle(40 * std::cos(degrees * kPi / 180), -40 * std::sin(degrees * kPi / 180));
}

TEST(KnobMath, DefaultsOnCreation) {
  const KNOBINFO info = DefaultKnobInfo();
  EXPECT_EQ(info.dwReserved1, 1u);
  EXPECT_EQ(info.wNumTics, 11);
  EXPECT_EQ(info.wTicsStart, 225);
  EXPECT_EQ(info.wTicsEnd, 335);
  EXPECT_EQ(info.wLabelStep, 2);
  EXPECT_EQ(info.wRadius, 50);
  EXPECT_EQ(info.fMinValue, 0.0f);
  EXPECT_EQ(info.fMaxValue, 4.0f);
  EXPECT_EQ(info.fValue, 0.0f);
  EXPECT_EQ(info.nOffsetX, 0);
  EXPECT_EQ(info.nOffsetY, 0);
  EXPECT_STREQ(info.szLabels[0], "0");
  EXPECT_STREQ(info.szLabels[17], "17");
  EXPECT_STREQ(info.szLabels[48], "48");
  EXPECT_STREQ(info.szLabels[49], "");
  EXPECT_EQ(KnobSweep(info), 250);
}

TEST(KnobMath, ValidationCorrectsInOrder) {
  KNOBINFO info = DefaultKnobInfo();
  info.wTicsStart = 361;
  info.wTicsEnd = 360;
  ValidateKnobInfo(info);
  EXPECT_EQ(info.wTicsStart, 1);
  EXPECT_EQ(info.wTicsEnd, 360);

  info = DefaultKnobInfo();
  info.wNumTics = 3;
  info.wLabelStep = 5;
  ValidateKnobInfo(info);
  EXPECT_EQ(info.wLabelStep, 2);
  EXPECT_TRUE(KnobTickIsLong(info, 0));
  EXPECT_FALSE(KnobTickIsLong(info, 1));
  EXPECT_TRUE(KnobTickIsLong(info, 2));

  info = DefaultKnobInfo();
  info.wTicsStart = info.wTicsEnd = 100;
  auto notes = ValidateKnobInfo(info);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0],
            "In Knob.DLL, (wTicsEnd mod 360)==(wTicsStart mod 360). Changing to wTicsEnd =90,wTicsStart=0\n");
  EXPECT_EQ(info.wTicsStart, 0);
  EXPECT_EQ(info.wTicsEnd, 90);

  // 0 and 360 point the same way: treated as equal ends, not as a scale without sweep.
  info = DefaultKnobInfo();
  info.wTicsStart = 0;
  info.wTicsEnd = 360;
  ValidateKnobInfo(info);
  EXPECT_EQ(info.wTicsEnd, 90);
  EXPECT_GT(KnobSweep(info), 0);

  info = DefaultKnobInfo();
  info.wNumTics = 0;
  notes = ValidateKnobInfo(info);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0], "In Knob.DLL, wNumTics <2.  Changing to wNumTics = 2\n");
  EXPECT_EQ(info.wNumTics, 2);
  EXPECT_EQ(info.wLabelStep, 1);

  info = DefaultKnobInfo();
  info.wLabelStep = 0;
  ValidateKnobInfo(info);
  EXPECT_EQ(info.wLabelStep, 1);
}

TEST(KnobMath, EqualRangeEndsAreWidened) {
  KNOBINFO info = DefaultKnobInfo();
  info.fMinValue = info.fMaxValue = 3.0f;
  info.fValue = 3.0f;
  EXPECT_EQ(ValidateKnobInfo(info).back(), "In Knob.DLL, fMaxValue == fMinValue.\n");
  EXPECT_EQ(info.fMinValue, 0.0f);
  EXPECT_EQ(info.fMaxValue, 10.0f);

  // A value above both ends was clamped to the maximum first, so it equals both ends too.
  info = DefaultKnobInfo();
  info.fMinValue = info.fMaxValue = 3.0f;
  info.fValue = 7.0f;
  ValidateKnobInfo(info);
  EXPECT_EQ(info.fValue, 3.0f);
  EXPECT_EQ(info.fMaxValue, 10.0f);
}

TEST(KnobMath, ValueAboveMaximumOrBelowMinimumIsClamped) {
  KNOBINFO info = DefaultKnobInfo();
  info.fValue = 9.0f;
  ValidateKnobInfo(info);
  EXPECT_EQ(info.fValue, 4.0f);
  info.fValue = -1.0f;
  ValidateKnobInfo(info);
  EXPECT_EQ(info.fValue, 0.0f);
  info.fValue = NAN;
  ValidateKnobInfo(info);
  EXPECT_EQ(info.fValue, 0.0f);
  // Minimum above maximum: the value ends at the minimum; angles stay finite.
  info = DefaultKnobInfo();
  info.fMinValue = 5.0f;
  info.fMaxValue = 1.0f;
  info.fValue = 3.0f;
  ValidateKnobInfo(info);
  EXPECT_EQ(info.fValue, 5.0f);
  EXPECT_TRUE(std::isfinite(KnobAngleOfValue(info, 2.0)));
  EXPECT_TRUE(std::isfinite(KnobValueOfAngle(info, 100.0, false)));
}

TEST(KnobMath, AngleOfValueAndValueOfDragPointAgree) {
  const KNOBINFO knob = DefaultKnobInfo();
  EXPECT_DOUBLE_EQ(KnobAngleOfValue(knob, 0.0), 225.0);
  EXPECT_DOUBLE_EQ(KnobAngleOfValue(knob, 4.0), 225.0 - 250.0);
  EXPECT_DOUBLE_EQ(KnobAngleOfValue(knob, 2.0), 100.0);
  for (double value = 0.0; value <= 4.0; value += 0.125) {
    double angle = KnobAngleOfValue(knob, value);
    EXPECT_NEAR(KnobValueOfAngle(knob, MouseAngleAt(angle), false), value, 1e-4) << value;
  }
  // The volume knob of the VU window: 225 down to 315 (sweep 270), 0 .. 65535.
  KNOBINFO volume = DefaultKnobInfo();
  volume.wNumTics = 10;
  volume.wTicsEnd = 315;
  volume.fMaxValue = 65535.0f;
  ASSERT_EQ(KnobSweep(volume), 270);
  for (double value = 0.0; value <= 65535.0; value += 4369.0)
    EXPECT_NEAR(KnobValueOfAngle(volume, MouseAngleAt(KnobAngleOfValue(volume, value)), false), value, 0.05) << value;
}

TEST(KnobMath, TicksSpreadOverTheSweep) {
  const KNOBINFO knob = DefaultKnobInfo();
  EXPECT_DOUBLE_EQ(KnobTickAngle(knob, 0), 225.0);
  EXPECT_DOUBLE_EQ(KnobTickAngle(knob, 10), -25.0);
  EXPECT_DOUBLE_EQ(KnobTickAngle(knob, 5), 100.0);
}

TEST(KnobMath, DragIntoTheGapSnapsToTheNearerEnd) {
  const KNOBINFO knob = DefaultKnobInfo();  // gap from 226 to 334 degrees, below the knob
  EXPECT_EQ(KnobValueOfAngle(knob, 300.0, false), 4.0f);  // nearer the end (335)
  EXPECT_EQ(KnobValueOfAngle(knob, 250.0, false), 0.0f);  // nearer the start (225)
  EXPECT_EQ(KnobValueOfAngle(knob, 270.5, false), 0.0f);  // 270: 65 to the end, 45 from the start
}

TEST(KnobMath, IntegerStyleRoundsHalfUp) {
  EXPECT_EQ(KnobRoundToInteger(2.5f), 3.0f);
  EXPECT_EQ(KnobRoundToInteger(2.4f), 2.0f);
  EXPECT_EQ(KnobRoundToInteger(2.0f), 2.0f);
  EXPECT_EQ(KnobRoundToInteger(-2.5f), -2.0f);
  const KNOBINFO knob = DefaultKnobInfo();
  EXPECT_EQ(KnobValueOfAngle(knob, MouseAngleAt(KnobAngleOfValue(knob, 2.5)), true), 3.0f);
  EXPECT_EQ(KnobValueOfAngle(knob, MouseAngleAt(KnobAngleOfValue(knob, 2.4)), true), 2.0f);
}

METERINFO LevelMeter() {
  METERINFO info = DefaultMeterInfo();
  info.wNumTics = 0;
  info.wLabelStep = 1;
  info.wLength = 116;
  info.nSegments = 25;
  info.fMaxValue = 8.5f;
  info.nColors = 3;
  info.Colors[0] = {0.0f, ColorRef(0, 255, 0)};
  info.Colors[1] = {0.56f, ColorRef(255, 255, 0)};
  info.Colors[2] = {0.78f, ColorRef(255, 0, 0)};
  return info;
}

TEST(MeterMath, DefaultsAndValidation) {
  METERINFO info = DefaultMeterInfo();
  EXPECT_EQ(info.wNumTics, 11);
  EXPECT_EQ(info.wLabelStep, 2);
  EXPECT_EQ(info.wLeft, 50);
  EXPECT_EQ(info.wTop, 20);
  EXPECT_EQ(info.wThickness, 20);
  EXPECT_EQ(info.wLength, 100);
  EXPECT_EQ(info.nSegments, 10);
  EXPECT_EQ(info.fMaxValue, 20.0f);
  EXPECT_EQ(info.fValue, 10.0f);
  EXPECT_EQ(info.nColors, 0);
  EXPECT_STREQ(info.szLabels[0], "");

  info.nColors = 7;
  info.Colors[0].fThreshold = 1.5f;
  info.Colors[1].fThreshold = -0.5f;
  info.fValue = 30.0f;
  ValidateMeterInfo(info);
  EXPECT_EQ(info.nColors, 5);
  EXPECT_EQ(info.Colors[0].fThreshold, 1.0f);
  EXPECT_EQ(info.Colors[1].fThreshold, 0.0f);
  EXPECT_EQ(info.fValue, 20.0f);

  info = DefaultMeterInfo();
  info.wNumTics = 4;
  info.wLabelStep = 9;
  ValidateMeterInfo(info);
  EXPECT_EQ(info.wLabelStep, 3);
  info.wLabelStep = 0;
  ValidateMeterInfo(info);
  EXPECT_EQ(info.wLabelStep, 1);
}

TEST(MeterMath, SegmentsLitAndColouredAtFiveOfEightAndAHalf) {
  const METERINFO info = LevelMeter();
  const DialogBase base{6, 13};
  const int length = MeterScaleLength(info, base);
  ASSERT_EQ(length, 188);                       // 116 × 13 / 8
  ASSERT_EQ(MeterSegmentLength(info, length), 2);  // (188 - 5 × 24) / 25
  // Segment i ends at 7i + 2; 5.0 / 8.5 = 0.588: ends up to 110 are lit, up to 105 green.
  int lit = 0, green = 0, yellow = 0;
  for (int i = 0; i < 25; ++i) {
    const double position = static_cast<double>(MeterSegmentEnd(i, 2)) / length;
    if (!MeterSegmentLit(info, position, 5.0f)) continue;
    ++lit;
    const uint32_t colour = MeterSegmentColor(info, position);
    green += colour == ColorRef(0, 255, 0);
    yellow += colour == ColorRef(255, 255, 0);
  }
  EXPECT_EQ(lit, 16);
  EXPECT_EQ(green, 15);
  EXPECT_EQ(yellow, 1);
  EXPECT_EQ(MeterSegmentColor(info, 0.9), ColorRef(255, 0, 0));
  EXPECT_FALSE(MeterSegmentLit(info, 2.0 / length, 0.0f));
  EXPECT_TRUE(MeterSegmentLit(info, 1.0, 8.5f));
}

TEST(MeterMath, UnsupportedCountsDrawNothingInsteadOfDividingByZero) {
  METERINFO info = LevelMeter();
  info.nSegments = 0;
  EXPECT_EQ(MeterSegmentLength(info, 188), 0);
  info.nSegments = -3;
  EXPECT_EQ(MeterSegmentLength(info, 188), 0);
  info.nSegments = 1000;
  EXPECT_EQ(MeterSegmentLength(info, 188), 0);
  info.wNumTics = 1;
  EXPECT_EQ(MeterTickSpacing(info, 188), 0);
  info.fMinValue = info.fMaxValue = 2.0f;
  EXPECT_EQ(MeterValueFraction(info, 2.0f), 1.0);
  EXPECT_EQ(MeterValueFraction(info, 1.0f), 0.0);
  info.nColors = 0;
  EXPECT_EQ(MeterSegmentColor(info, 0.5), ColorRef(0, 255, 0));
}

TEST(GaugeMath, NeedleSweepsOverTheTopAndPinsPastTheEnds) {
  GAUGEINFO info = DefaultGaugeInfo();
  info.fMaxValue = 8.5f;
  ValidateGaugeInfo(info);
  EXPECT_DOUBLE_EQ(GaugeNeedleDegrees(info, 0.0), kGaugeStartDegrees);
  EXPECT_DOUBLE_EQ(GaugeNeedleDegrees(info, 8.5), kGaugeEndDegrees);
  EXPECT_DOUBLE_EQ(GaugeNeedleDegrees(info, 4.25), 90.0);
  EXPECT_DOUBLE_EQ(GaugeNeedleDegrees(info, 100.0), GaugeDegreesOfFraction(1.0 + kGaugeOvershoot));
  EXPECT_DOUBLE_EQ(GaugeNeedleDegrees(info, -100.0), GaugeDegreesOfFraction(-kGaugeOvershoot));

  info.nZones = 3;
  info.Zones[0] = {5.0f, 1};
  info.Zones[1] = {7.5f, 2};
  info.Zones[2] = {8.5f, 3};
  EXPECT_DOUBLE_EQ(GaugeZoneSpan(info, 0).toFraction, 5.0 / 8.5);
  EXPECT_DOUBLE_EQ(GaugeZoneSpan(info, 1).fromFraction, 5.0 / 8.5);
  EXPECT_DOUBLE_EQ(GaugeZoneSpan(info, 2).toFraction, 1.0);
  EXPECT_EQ(GaugeZoneSpan(info, 3).toFraction, 0.0);
}

TEST(GaugeMath, BadRecordsAreMadeUsable) {
  GAUGEINFO info = DefaultGaugeInfo();
  info.fMinValue = 5.0f;
  info.fMaxValue = 1.0f;
  info.nZones = 9;
  std::memset(info.szCaption1, 'x', sizeof info.szCaption1);
  ValidateGaugeInfo(info);
  EXPECT_EQ(info.fMinValue, 1.0f);
  EXPECT_EQ(info.fMaxValue, 5.0f);
  EXPECT_EQ(info.nZones, kGaugeZones);
  EXPECT_EQ(info.szCaption1[kGaugeCaptionSize - 1], 0);
  info.fMinValue = info.fMaxValue = NAN;
  ValidateGaugeInfo(info);
  EXPECT_LT(info.fMinValue, info.fMaxValue);
}

}  // namespace
}  // namespace tarkel::controls
