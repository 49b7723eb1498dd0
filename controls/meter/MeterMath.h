#pragma once
// The bar meter's geometry and colours without a display: defaults, validation, where each
// segment lies, whether it is lit and in which colour, where the ticks stand.
#include <cstdint>

#include "controls/ControlPlumbing.h"
#include "controls/meter/MeterInfo.h"

namespace tarkel::controls {

METERINFO DefaultMeterInfo();
void ValidateMeterInfo(METERINFO& info);

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// The bar in pixels: from (wLeft, wTop); wLength along and wThickness across its direction.
PixelRect MeterBarRect(const METERINFO& info, const DialogBase& base, bool vertical);
// Length in pixels used for segments, ticks and colour positions: wLength converted vertically
// in both orientations.
int MeterScaleLength(const METERINFO& info, const DialogBase& base);

// Length of one segment (5-pixel gaps between them); 0 when no segment fits.
int MeterSegmentLength(const METERINFO& info, int scaleLength);
// Distance of segment `index`'s far end from the start of the bar.
int MeterSegmentEnd(int index, int segmentLength);
// The value as a fraction of the range.
double MeterValueFraction(const METERINFO& info, float value);
// Whether a segment whose far end lies at `positionFraction` of the bar is lit at `value`.
bool MeterSegmentLit(const METERINFO& info, double positionFraction, float value);
// Colour of a lit segment at `positionFraction`: the highest band whose threshold lies below
// it, band 1 when none does, green without bands.
uint32_t MeterSegmentColor(const METERINFO& info, double positionFraction);

// Spacing of the ticks in whole pixels; 0 when no ticks are drawn.
int MeterTickSpacing(const METERINFO& info, int scaleLength);

}  // namespace tarkel::controls
