// Tone synthesis (id 14) in the engine: the mono/both-channel branch overwrites the walk with the
// generated waveform. One channel of a stereo sound is not implemented (the engine shows its
// text); 8-bit sounds are left unchanged (the command is offered for 16-bit sounds only).
#include <ctime>

#include "sound/DocWaveAudio.h"
#include "sound/Ports.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/ToneSynthesis.h"

namespace tarkel {
namespace {

bool RunToneSynthesis(EffectRun& run) {
  DocWaveAudio& wave = run.wave;
  const EffectParams& p = run.params;
  const ToneSettings settings = ToneSettingsFrom(p.param1, p.param2, p.param3, p.param4);
  const uint32_t samplesPerFrame = run.mode == ChannelMode::Both ? 2 : 1;
  const uint64_t samples = (run.byteCount & ~1u) / 2;
  const uint64_t frames = samples / samplesPerFrame;
  const uint64_t period = TonePeriodFrames(wave.Rate(), settings.frequency);
  // A range shorter than one period stays as it is.
  if (frames < period) return true;
  if (!IsKnownWaveform(settings.waveform)) {
    ShowText(kUnknownWaveformText);
    return false;
  }
  ToneGenerator generator(settings, period, samplesPerFrame, uint32_t(std::time(nullptr)));
  return wave.ForEachProgressChunk(samples, [&](uint64_t offset, uint64_t n) {
    generator.Fill(run.target + 2 * offset, n);
  });
}

}  // namespace

EffectEntry ToneSynthesisEntry() {
  EffectEntry e{effect::kToneSynthesis, "synth", &ApplyEffect, kBranchStream, {}};
  e.kernels[int(SampleLayout::Stream16)] = &RunToneSynthesis;
  return e;
}

}  // namespace tarkel
