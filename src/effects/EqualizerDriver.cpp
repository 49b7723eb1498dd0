// The equalizer's driver (id 29): the numerical filter's spectral pass with the five-band design
// and a block of 1,024 samples.
#include "sound/DocWaveAudio.h"
#include "sound/TextFields.h"
#include "effects/DriverSupport.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/Equalizer.h"
#include "effects/NumericalFilter.h"
#include "effects/SpectralDrivers.h"

namespace tarkel {

uint32_t ApplyEqualizer(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params) {
  if (!CheckEffectRange(wave, first, last)) return 0;
  // The dialog gives percent; the filter takes factors.
  params.real1 *= 0.01;
  params.real2 *= 0.01;
  params.real3 *= 0.01;
  params.real4 *= 0.01;
  params.real5 *= 0.01;
  params.effectId = effect::kNumericalFilter;
  params.param5 = int32_t(kEqualizerBlockLength);
  params.param6 = uint32_t(FilterDesign::Equalizer);
  return RunSpectralFilter(wave, first, last, mode, params, effect::kEqualizerCaption);
}

namespace {

// equalizer:G1,...,G5: the five band gains in percent, decimals allowed.
const char* ParseGains(const std::vector<std::string>& values, EffectParams& params, std::string&) {
  constexpr const char* kForm = "equalizer takes five gains in percent";
  double* gains[] = {&params.real1, &params.real2, &params.real3, &params.real4, &params.real5};
  if (values.size() != 5) return kForm;
  for (size_t i = 0; i < 5; ++i)
    if (!ParseNumber(values[i], *gains[i])) return kForm;
  return nullptr;
}

}  // namespace

EffectEntry EqualizerEntry() {
  EffectEntry e{effect::kEqualizer, "equalizer", &ApplyEqualizer, 0, {}};
  e.rules.parseValues = &ParseGains;
  return e;
}

}  // namespace tarkel
