#pragma once
// What the two curve dialogs do on OK and Preview.
//
// Envelope: the curve's points are the envelope points (x over the selection, y percent from the
// top: the level at a point is 100 - y percent), applied segment by segment through ApplyEnvelope.
//
// Graphical filter: the curve spans the spectrum from 0 (x = 0) to half the sampling rate
// (x = width); its height gives the gain, 200 % at the top, 100 % in the middle, 0 at the bottom.
// Each bin of the spectral block filter takes the curve's gain at its frequency.
#include <cstdint>
#include <vector>

#include "dialogs/CurveModel.h"
#include "sound/ChannelMode.h"

namespace tarkel {

class CTarkelDoc;
class DocWaveAudio;

inline constexpr const char* kEnvelopePresetFile = "FadeInOutGraph.par";
inline constexpr const char* kFilterCurvePresetFile = "FilterGraph.par";
// Block length of the graphical filter (the numerical filter's initial choice).
inline constexpr uint32_t kCurveFilterBlock = 8192;

// The gain (a factor) at curve height y, and the gains of bins 0..B/2 of a block of B.
double CurveGainAt(double y);
std::vector<double> CurveBinGains(const CurveModel& curve, uint32_t blockLength);

bool RunEnvelopeCurve(CTarkelDoc& doc, const CurveModel& curve, uint32_t first, uint32_t last, ChannelMode mode,
                      bool preview);
bool RunFilterCurve(CTarkelDoc& doc, const CurveModel& curve, uint32_t first, uint32_t last, ChannelMode mode,
                    bool preview);

}  // namespace tarkel
