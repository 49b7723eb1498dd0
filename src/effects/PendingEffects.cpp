// Stand-ins for the synthesis and spectral effects (ids 14, 25, 28, 29) until their own files
// land: the table knows the ids and their branches, the drivers refuse with a text.
#include "document/DocWaveAudio.h"
#include "document/Ports.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/SpectralDrivers.h"
#include "effects/SynthesisDrivers.h"

namespace tarkel {

uint32_t ApplyNumericalFilter(DocWaveAudio&, uint32_t, uint32_t, ChannelMode, EffectParams&) {
  ShowText("Not implemented yet (numerical filter)");
  return 0;
}
uint32_t ApplyEqualizer(DocWaveAudio&, uint32_t, uint32_t, ChannelMode, EffectParams&) {
  ShowText("Not implemented yet (equalizer)");
  return 0;
}
uint32_t SynthesizeDtmf(DocWaveAudio&, uint32_t, uint32_t, ChannelMode, EffectParams&) {
  ShowText("Not implemented yet (DTMF)");
  return 0;
}

// Tone synthesis runs through ApplyEffect in the mono/both-channel branch; no kernel yet.
EffectEntry ToneSynthesisEntry() { return {effect::kToneSynthesis, "synth", &ApplyEffect, kBranchStream, {}}; }
EffectEntry DtmfEntry() { return {effect::kDtmf, "dtmf", &SynthesizeDtmf, 0, {}}; }
// The numerical filter runs inside the engine in the one-channel 16-bit branch only.
EffectEntry NumericalFilterEntry() {
  return {effect::kNumericalFilter, "filter", &ApplyNumericalFilter, kBranchChannel16, {}};
}
EffectEntry EqualizerEntry() { return {effect::kEqualizer, "equalizer", &ApplyEqualizer, 0, {}}; }

}  // namespace tarkel
