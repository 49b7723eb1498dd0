#include "effects/RealFft.h"

#include <cmath>
#include <utility>
#include <vector>

namespace tarkel {
namespace {

// The butterfly passes are built twice, for AVX2 and for the baseline, and the loader picks the
// one the processor runs: the same arithmetic, wider registers.
#define TARKEL_WIDE_CLONES __attribute__((target_clones("avx2", "default")))

// The twiddle factors of every butterfly stage, produced by the rotation recurrence: for a stage
// of length L the angle is theta = pi / L and w advances as w += w * (-2 sin^2(theta/2) + i sin
// theta), so cos(theta) is formed as 1 - 2 sin^2(theta/2), which keeps its precision for small
// angles. Stage L occupies entries L-1 ... 2L-2. Kept per thread for the last size asked for, so
// that repeated transforms of one block length do not recompute them.
struct TwiddleTable {
  uint32_t n = 0;
  std::vector<double> cos;
  std::vector<double> sin;
};

// Steps a unit vector by the rotation recurrence of angle theta, `count` times from 1 + 0i.
void FillRotation(double theta, uint32_t count, double* c, double* s) {
  const double half = std::sin(0.5 * theta);
  const double wpr = -2.0 * half * half;
  const double wpi = std::sin(theta);
  double wr = 1.0;
  double wi = 0.0;
  for (uint32_t j = 0; j < count; ++j) {
    c[j] = wr;
    s[j] = wi;
    const double t = wr;
    wr = wr * wpr - wi * wpi + wr;
    wi = wi * wpr + t * wpi + wi;
  }
}

const TwiddleTable& ButterflyTwiddles(uint32_t n) {
  thread_local TwiddleTable table;
  if (table.n != n) {
    table.cos.assign(n, 0.0);
    table.sin.assign(n, 0.0);
    for (uint32_t len = 1; len < n; len <<= 1)
      FillRotation(M_PI / len, len, table.cos.data() + len - 1, table.sin.data() + len - 1);
    table.n = n;
  }
  return table;
}

// Rotation factors e^{+i pi k / n} for k = 0 ... n/2 of the real-spectrum unpacking.
const TwiddleTable& UnpackTwiddles(uint32_t n) {
  thread_local TwiddleTable table;
  if (table.n != n) {
    const uint32_t count = n / 2 + 1;
    table.cos.assign(count, 0.0);
    table.sin.assign(count, 0.0);
    FillRotation(M_PI / n, count, table.cos.data(), table.sin.data());
    table.n = n;
  }
  return table;
}

// The bit-reversal permutation as the list of pairs (i, j), i < j, to swap; kept per thread for
// the last size asked for.
struct SwapTable {
  uint32_t n = 0;
  std::vector<std::pair<uint32_t, uint32_t>> pairs;
};

const SwapTable& BitReversalSwaps(uint32_t n) {
  thread_local SwapTable table;
  if (table.n != n) {
    table.pairs.clear();
    uint32_t j = 0;
    for (uint32_t i = 0; i < n; ++i) {
      if (j > i) table.pairs.emplace_back(i, j);
      uint32_t bit = n >> 1;
      while (bit != 0 && (j & bit)) {
        j ^= bit;
        bit >>= 1;
      }
      j |= bit;
    }
    table.n = n;
  }
  return table;
}

void BitReverse(uint32_t n, double* re, double* im) {
  for (const auto& [i, j] : BitReversalSwaps(n).pairs) {
    std::swap(re[i], re[j]);
    std::swap(im[i], im[j]);
  }
}

// The butterflies of stage length `len` over all groups.
TARKEL_WIDE_CLONES void SingleStage(uint32_t n, uint32_t len, double* __restrict re, double* __restrict im,
                 const double* __restrict wc, const double* __restrict ws) {
  for (uint32_t start = 0; start < n; start += 2 * len) {
    double* __restrict ar = re + start;
    double* __restrict ai = im + start;
    double* __restrict br = ar + len;
    double* __restrict bi = ai + len;
    for (uint32_t j = 0; j < len; ++j) {
      const double tr = wc[j] * br[j] - ws[j] * bi[j];
      const double ti = wc[j] * bi[j] + ws[j] * br[j];
      br[j] = ar[j] - tr;
      bi[j] = ai[j] - ti;
      ar[j] += tr;
      ai[j] += ti;
    }
  }
}

// The stages of lengths `len` and 2 `len` in one pass over the data: each group of 4 len values
// a, b, c, d gets the butterflies (a, b) and (c, d) of the first stage and then (a, c) and (b, d)
// of the second, the very same arithmetic as two separate passes with half the memory traffic.
TARKEL_WIDE_CLONES void DoubleStage(uint32_t n, uint32_t len, double* __restrict re, double* __restrict im,
                 const double* __restrict c1, const double* __restrict s1, const double* __restrict c2,
                 const double* __restrict s2) {
  const double* __restrict c3 = c2 + len;
  const double* __restrict s3 = s2 + len;
  for (uint32_t start = 0; start < n; start += 4 * len) {
    double* __restrict r0 = re + start;
    double* __restrict i0 = im + start;
    double* __restrict r1 = r0 + len;
    double* __restrict i1 = i0 + len;
    double* __restrict r2 = r1 + len;
    double* __restrict i2 = i1 + len;
    double* __restrict r3 = r2 + len;
    double* __restrict i3 = i2 + len;
#pragma GCC ivdep
    for (uint32_t j = 0; j < len; ++j) {
      // First stage: (a, b) and (c, d) with w = c1 + i s1.
      const double tbr = c1[j] * r1[j] - s1[j] * i1[j];
      const double tbi = c1[j] * i1[j] + s1[j] * r1[j];
      const double tdr = c1[j] * r3[j] - s1[j] * i3[j];
      const double tdi = c1[j] * i3[j] + s1[j] * r3[j];
      const double ar = r0[j] + tbr, ai = i0[j] + tbi;
      const double br = r0[j] - tbr, bi = i0[j] - tbi;
      const double cr = r2[j] + tdr, ci = i2[j] + tdi;
      const double dr = r2[j] - tdr, di = i2[j] - tdi;
      // Second stage: (a, c) with c2 + i s2, (b, d) with c3 + i s3.
      const double tcr = c2[j] * cr - s2[j] * ci;
      const double tci = c2[j] * ci + s2[j] * cr;
      const double tdr2 = c3[j] * dr - s3[j] * di;
      const double tdi2 = c3[j] * di + s3[j] * dr;
      r0[j] = ar + tcr;
      i0[j] = ai + tci;
      r2[j] = ar - tcr;
      i2[j] = ai - tci;
      r1[j] = br + tdr2;
      i1[j] = bi + tdi2;
      r3[j] = br - tdr2;
      i3[j] = bi - tdi2;
    }
  }
}

// Stages 1 and 2 in one pass over groups of four values. Stage 1 has the twiddle factor 1, so
// its butterflies need no products; stage 2 has the factors w0 = 1 and w1 from the table.
TARKEL_WIDE_CLONES void FirstDoubleStage(uint32_t n, double* __restrict re, double* __restrict im, double w1r, double w1i) {
  for (uint32_t k = 0; k < n; k += 4) {
    const double ar = re[k] + re[k + 1], ai = im[k] + im[k + 1];
    const double br = re[k] - re[k + 1], bi = im[k] - im[k + 1];
    const double cr = re[k + 2] + re[k + 3], ci = im[k + 2] + im[k + 3];
    const double dr = re[k + 2] - re[k + 3], di = im[k + 2] - im[k + 3];
    const double tdr = w1r * dr - w1i * di;
    const double tdi = w1r * di + w1i * dr;
    re[k] = ar + cr;
    im[k] = ai + ci;
    re[k + 2] = ar - cr;
    im[k + 2] = ai - ci;
    re[k + 1] = br + tdr;
    im[k + 1] = bi + tdi;
    re[k + 3] = br - tdr;
    im[k + 3] = bi - tdi;
  }
}

// Blocks of this many values (32 KiB of real and imaginary parts) run all their own stages while
// they sit in the first-level cache; only the longer stages then pass over the whole array.
constexpr uint32_t kCacheBlock = 2048;

// Stage lengths 1, 2, 4 ... up to (not including) `end` over `n` values, two at a time where
// possible; returns the first stage length not done.
uint32_t RunStages(uint32_t n, uint32_t len, uint32_t end, double* re, double* im, const TwiddleTable& tw) {
  if (len == 1 && end >= 4) {
    FirstDoubleStage(n, re, im, tw.cos[2], tw.sin[2]);
    len = 4;
  }
  for (; 4 * len <= end; len *= 4) {
    DoubleStage(n, len, re, im, tw.cos.data() + len - 1, tw.sin.data() + len - 1, tw.cos.data() + 2 * len - 1,
                tw.sin.data() + 2 * len - 1);
  }
  if (2 * len <= end) {
    SingleStage(n, len, re, im, tw.cos.data() + len - 1, tw.sin.data() + len - 1);
    len *= 2;
  }
  return len;
}

// Stage lengths 1, 2, 4 ... n/2. The stages shorter than the cache block are done block by block
// (each block is independent of the others in those stages), then the rest over the whole array:
// the same butterflies in a cache-friendly order.
void Butterflies(uint32_t n, double* re, double* im) {
  const TwiddleTable& tw = ButterflyTwiddles(n);
  uint32_t len = 1;
  if (n > kCacheBlock) {
    for (uint32_t start = 0; start < n; start += kCacheBlock)
      RunStages(kCacheBlock, 1, kCacheBlock, re + start, im + start, tw);
    len = kCacheBlock;
  }
  RunStages(n, len, n, re, im, tw);
}

// Turns the transform Z of the n packed values into the spectrum X of the 2n real samples:
// X[k] = E[k] + e^{+i pi k / n} O[k] with E[k] = (Z[k] + conj Z[n-k]) / 2 and
// O[k] = (Z[k] - conj Z[n-k]) / 2i; the pair k, n-k is done together. Bin n/2 is Z[n/2] as it
// stands.
TARKEL_WIDE_CLONES void UnpackRealSpectrum(uint32_t n, double* __restrict re, double* __restrict im) {
  const TwiddleTable& tw = UnpackTwiddles(n);
  const double* __restrict wc = tw.cos.data();
  const double* __restrict ws = tw.sin.data();
#pragma GCC ivdep
  for (uint32_t k = 1; k < n / 2; ++k) {
    const uint32_t m = n - k;
    const double h1r = 0.5 * (re[k] + re[m]);
    const double h1i = 0.5 * (im[k] - im[m]);
    const double h2r = 0.5 * (im[k] + im[m]);
    const double h2i = -0.5 * (re[k] - re[m]);
    const double wr = wc[k];
    const double wi = ws[k];
    re[k] = h1r + wr * h2r - wi * h2i;
    im[k] = h1i + wr * h2i + wi * h2r;
    re[m] = h1r - wr * h2r + wi * h2i;
    im[m] = -h1i + wr * h2i + wi * h2r;
  }
  const double z0r = re[0];
  re[0] = z0r + im[0];
  im[0] = z0r - im[0];
}

}  // namespace

void ComplexFft(uint32_t n, double* re, double* im) {
  if (!IsPowerOfTwo(n)) return;
  BitReverse(n, re, im);
  Butterflies(n, re, im);
}

void RealFft(uint32_t n, double* re, double* im) {
  if (!IsPowerOfTwo(n)) return;
  ComplexFft(n, re, im);
  UnpackRealSpectrum(n, re, im);
}

}  // namespace tarkel
