// In-memory cost of the effects engine on a 16-bit stereo buffer: each effect through its driver
// (progress window open, as the document runs it) against a plain loop doing the same
// arithmetic on the same buffer, and the engine with and without progress bookkeeping.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "sound/DocWaveAudio.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectParams.h"
#include "effects/RunEffect.h"
#include "samples/SampleMath.h"

namespace tarkel {
namespace {

constexpr uint32_t kFrames = 16u << 20;  // 64 MiB of 16-bit stereo at 44,100 Hz
constexpr uint32_t kRate = 44100;

// A noisy 16-bit stereo sound, made once.
DocWaveAudio& Sound() {
  static DocWaveAudio* wave = [] {
    auto* w = new DocWaveAudio;
    w->Format() = WaveFormat::Pcm(2, kRate, 16);
    w->RefreshPcmCopy();
    int16_t* s = reinterpret_cast<int16_t*>(w->AllocateData(kFrames * 4));
    uint32_t x = 12345;
    for (uint64_t i = 0; i < uint64_t(kFrames) * 2; ++i) {
      x = x * 1664525u + 1013904223u;
      s[i] = int16_t(x >> 16) / 2;
    }
    return w;
  }();
  return *wave;
}
int16_t* Samples() { return reinterpret_cast<int16_t*>(Sound().Data()); }
constexpr uint64_t kSamples = uint64_t(kFrames) * 2;

void Report(benchmark::State& state) {
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kSamples) * 2);
}

void Driver(benchmark::State& state, uint32_t id, int32_t p1, int32_t p2) {
  for (auto _ : state) {
    EffectParams p(id, p1, p2);
    uint32_t frames = 0;
    if (id == effect::kReverse) frames = ReverseRange(Sound(), 0, kFrames - 1, ChannelMode::Both, p);
    else if (id == effect::kNormalize) frames = NormalizeRange(Sound(), 0, kFrames - 1, ChannelMode::Both, p);
    else frames = ApplyEffect(Sound(), 0, kFrames - 1, ChannelMode::Both, p);
    benchmark::DoNotOptimize(frames);
  }
  Report(state);
}

// --- Plain loops --------------------------------------------------------------------------------

void PlainAmplitude(benchmark::State& state) {
  for (auto _ : state) {
    int16_t* s = Samples();
    const float m = float(kSamples * 100 / 100), l = float(kSamples);
    for (uint64_t i = 0; i < kSamples; ++i) s[i] = LimitTo16(float(s[i]) * m / l);
    benchmark::ClobberMemory();
  }
  Report(state);
}

void PlainFade(benchmark::State& state) {
  for (auto _ : state) {
    int16_t* s = Samples();
    const int64_t total = int64_t(kSamples);
    int64_t m = total, e = total / 2, d = m - e, u = total / d, counter = 0;
    if (u == 1 && total % d) ++u;
    const float l = float(total);
    for (uint64_t i = 0; i < kSamples; ++i) {
      s[i] = LimitTo16(float(s[i]) * float(m) / l);
      if (counter == u && m != e) {
        --m;
        counter = 0;
      }
      ++counter;
    }
    benchmark::ClobberMemory();
  }
  Report(state);
}

void PlainReverse(benchmark::State& state) {
  for (auto _ : state) {
    uint32_t* f = reinterpret_cast<uint32_t*>(Samples());
    std::reverse(f, f + kFrames);
    benchmark::ClobberMemory();
  }
  Report(state);
}

void PlainNormalize(benchmark::State& state) {
  for (auto _ : state) {
    int16_t* s = Samples();
    int32_t peak = 1;
    for (uint64_t i = 0; i < kSamples; ++i) peak = std::max(peak, std::abs(int32_t(s[i])));
    const int32_t g = 30000 / peak + 1;
    for (uint64_t i = 0; i < kSamples; ++i) s[i] = int16_t(std::clamp(int32_t(s[i]) * g, -32766, 32767));
    benchmark::ClobberMemory();
  }
  Report(state);
}

void PlainEcho(benchmark::State& state) {
  // One pass, 10 ms: (2 x 44,100 / 1000) x 10 = 880 bytes, doubled: 880 samples.
  constexpr uint64_t d = 880;
  for (auto _ : state) {
    int16_t* s = Samples();
    for (uint64_t i = kSamples - 2; i > d; --i) s[i] = int16_t(Clamp16((int32_t(s[i]) + s[i - d]) * 100 / 171));
    benchmark::ClobberMemory();
  }
  Report(state);
}

// --- The engine without a progress window ----------------------------------------------------

void EngineWithoutProgress(benchmark::State& state, uint32_t id, int32_t p1, int32_t p2) {
  for (auto _ : state) {
    EffectParams p(id, p1, p2);
    benchmark::DoNotOptimize(RunEffect(Sound(), ChannelMode::Both, kFrames * 4, p, Sound().Data(), Sound().Data()));
  }
  Report(state);
}

BENCHMARK_CAPTURE(Driver, Amplitude, effect::kAmplitude, 100, 0)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainAmplitude)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EngineWithoutProgress, Amplitude, effect::kAmplitude, 100, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Driver, Fade, effect::kFade, 100, 50)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainFade)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EngineWithoutProgress, Fade, effect::kFade, 100, 50)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Driver, Reverse, effect::kReverse, 0, 0)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainReverse)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Driver, Normalize, effect::kNormalize, 0, 0)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainNormalize)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EngineWithoutProgress, Normalize, effect::kNormalize, 0, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Driver, Echo, effect::kEcho, 1, 10)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainEcho)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarkel

BENCHMARK_MAIN();
