#include "view/ColumnPeak.h"

#include <algorithm>
#include <cstdint>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "sound/WaveAudio.h"

namespace tarkel {

SampleSpan SampleSpan::Of(const WaveAudio& sound) {
  return SampleSpan{sound.Data(), sound.BitsPerSample(), sound.Channels(), sound.Data() ? sound.Frames() : 0};
}

uint32_t ScanCountFor(uint32_t framesPerColumn, bool integratedDisplay) {
  const uint32_t n = integratedDisplay ? framesPerColumn / 10 : 2;
  return n ? n : 1;
}

namespace {

// Largest and smallest of the 16-bit values p[0], p[2], ... p[2 (count - 1)] (lane 0) and of
// p[1], p[3], ... p[2 count - 1] (lane 1). Reads p[0 .. 2 count).
void LaneExtremes(const int16_t* p, uint64_t count, int32_t largest[2], int32_t smallest[2]) {
  int32_t hi[2] = {INT16_MIN, INT16_MIN}, lo[2] = {INT16_MAX, INT16_MAX};
  uint64_t k = 0;
#ifdef __SSE2__
  __m128i vhi = _mm_set1_epi16(INT16_MIN), vlo = _mm_set1_epi16(INT16_MAX);
  for (; k + 4 <= count; k += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * k));
    vhi = _mm_max_epi16(vhi, v);
    vlo = _mm_min_epi16(vlo, v);
  }
  alignas(16) int16_t his[8], los[8];
  _mm_store_si128(reinterpret_cast<__m128i*>(his), vhi);
  _mm_store_si128(reinterpret_cast<__m128i*>(los), vlo);
  for (int lane = 0; lane < 8; ++lane) {
    hi[lane & 1] = std::max<int32_t>(hi[lane & 1], his[lane]);
    lo[lane & 1] = std::min<int32_t>(lo[lane & 1], los[lane]);
  }
#endif
  for (; k < count; ++k)
    for (int lane = 0; lane < 2; ++lane) {
      hi[lane] = std::max<int32_t>(hi[lane], p[2 * k + lane]);
      lo[lane] = std::min<int32_t>(lo[lane], p[2 * k + lane]);
    }
  for (int lane = 0; lane < 2; ++lane) {
    largest[lane] = hi[lane];
    smallest[lane] = lo[lane];
  }
}

// Values looked at from interleaved index i: every second one while the offset stays below
// the scan count, never past the last value.
uint64_t ScanLength(const SampleSpan& sound, uint32_t frame, uint64_t i, uint32_t scanCount) {
  uint64_t n = scanCount;
  if (uint64_t(frame) + n >= sound.frames) n = 0;
  const uint64_t total = sound.ValueCount();
  const uint64_t available = i < total ? total - i : 0;
  return std::min((n + 1) / 2, (available + 1) / 2);
}

uint64_t FirstIndex(const SampleSpan& sound, uint32_t frame, uint16_t channel) {
  return (sound.channels > 1 ? uint64_t(frame) * 2 : frame) + channel - 1;
}

// The peak by looking at every value: the first of equally large magnitudes wins.
int16_t ScanPeak(const SampleSpan& sound, uint64_t i, uint64_t count) {
  int32_t best = 0;
  int32_t bestMagnitude = 0;
  for (uint64_t k = 0; k < count; ++k) {
    const int32_t v = sound.Centered(i + 2 * k);
    const int32_t m = v < 0 ? -v : v;
    if (m > bestMagnitude) {
      bestMagnitude = m;
      best = v;
    }
  }
  if (sound.bits == 8) best *= 256;
  return int16_t(std::clamp(best, -32768, 32767));
}

// The extremes decide unless they lie equally far from zero; then the scan finds the first.
int16_t PeakOf(const SampleSpan& sound, uint64_t i, uint64_t count, int32_t hi, int32_t lo) {
  if (hi > -lo) return int16_t(hi);
  if (-lo > hi) return int16_t(lo);
  return ScanPeak(sound, i, count);
}

}  // namespace

int16_t ColumnPeak(const SampleSpan& sound, uint32_t frame, uint16_t channel, uint32_t scanCount) {
  const uint64_t i = FirstIndex(sound, frame, channel);
  const uint64_t count = ScanLength(sound, frame, i, scanCount);
  if (count == 0) return 0;
  // Two lanes need the value after the last one looked at.
  if (sound.bits != 16 || i + 2 * count > sound.ValueCount()) return ScanPeak(sound, i, count);
  int32_t hi[2], lo[2];
  LaneExtremes(reinterpret_cast<const int16_t*>(sound.data) + i, count, hi, lo);
  return PeakOf(sound, i, count, hi[0], lo[0]);
}

void StereoColumnPeaks(const SampleSpan& sound, uint32_t frame, uint32_t scanCount, int16_t peaks[2]) {
  const uint64_t i = FirstIndex(sound, frame, 1);
  const uint64_t count = ScanLength(sound, frame, i, scanCount);
  if (sound.bits != 16 || sound.channels != 2 || count == 0 || count != ScanLength(sound, frame, i + 1, scanCount) ||
      i + 2 * count > sound.ValueCount()) {
    peaks[0] = ColumnPeak(sound, frame, 1, scanCount);
    peaks[1] = ColumnPeak(sound, frame, 2, scanCount);
    return;
  }
  int32_t hi[2], lo[2];
  LaneExtremes(reinterpret_cast<const int16_t*>(sound.data) + i, count, hi, lo);
  peaks[0] = PeakOf(sound, i, count, hi[0], lo[0]);
  peaks[1] = PeakOf(sound, i + 1, count, hi[1], lo[1]);
}

}  // namespace tarkel
