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

// The twiddle factors of the paired stages L and 2L (L = 8, 32, 128 ...) run after the tiled bit
// reversal, interleaved so that one pass reads one stream instead of six: for every four
// butterflies j ... j+3 of stage L, the factors of stage L for j ... j+3, then those of stage 2L
// for j ... j+3 and for L+j ... L+j+3, each as four cosines and four sines. Separate streams at
// offsets L apart would fall into the same cache sets as the data at the long stages.
constexpr uint32_t kPackedFirstLen = 8;
constexpr uint32_t kPackedGroup = 4;
constexpr uint32_t kPackedPerGroup = 6 * kPackedGroup;

struct PackedTwiddles {
  uint32_t n = 0;
  std::vector<double> values;
  std::vector<uint32_t> offsets;  // start of stage pair L = 8 * 4^k at offsets[k]
};

const PackedTwiddles& DoubleStageTwiddles(uint32_t n, const TwiddleTable& tw) {
  thread_local PackedTwiddles table;
  if (table.n != n) {
    table.values.clear();
    table.offsets.clear();
    for (uint32_t len = kPackedFirstLen; uint64_t(4) * len <= n; len *= 4) {
      table.offsets.push_back(uint32_t(table.values.size()));
      const double* c1 = tw.cos.data() + len - 1;
      const double* s1 = tw.sin.data() + len - 1;
      const double* c2 = tw.cos.data() + 2 * len - 1;
      const double* s2 = tw.sin.data() + 2 * len - 1;
      for (uint32_t j = 0; j < len; j += kPackedGroup) {
        for (const double* src : {c1, s1, c2, s2, c2 + len, s2 + len})
          table.values.insert(table.values.end(), src + j, src + j + kPackedGroup);
      }
    }
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

// The bit-reversal permutation. Swapping single pairs scatters the stores at strides of n/2,
// n/4 ..., which all fall into the same cache sets; instead the index is split into a high part
// a, a middle part b and a low part c of kTileBits, kMiddle and kTileBits bits, since
// reverse(a, b, c) = (reverse c, reverse b, reverse a). For every middle b the tile of all (a, c)
// is read whole into a small buffer (each cache line once, completely), and likewise the tile of
// reverse b; each is then written to the other's place transposed. Short arrays, where the index
// has too few bits for that, swap pairs from a table.
constexpr uint32_t kTileBits = 3;
constexpr uint32_t kTile = 1u << kTileBits;

uint32_t ReverseBits(uint32_t x, uint32_t bits) {
  uint32_t r = 0;
  for (uint32_t k = 0; k < bits; ++k) {
    r = (r << 1) | (x & 1u);
    x >>= 1;
  }
  return r;
}

uint32_t Log2(uint32_t n) {
  uint32_t bits = 0;
  while ((1u << bits) < n) ++bits;
  return bits;
}

// The bit reversals of the middle parts for the last size asked for (or, for short arrays, of
// the whole index), kept per thread.
struct ReversalTable {
  uint32_t n = 0;
  std::vector<uint32_t> middle;
};

const ReversalTable& MiddleReversals(uint32_t n, uint32_t middleBits) {
  thread_local ReversalTable table;
  if (table.n != n) {
    table.middle.resize(size_t(1) << middleBits);
    for (uint32_t b = 0; b < table.middle.size(); ++b) table.middle[b] = ReverseBits(b, middleBits);
    table.n = n;
  }
  return table;
}

// The butterflies of stage lengths 1, 2 and 4 along the first index of r[k][c] + i i[k][c], for
// the eight columns c at once (the inner loops run over the columns, so they vectorise), with the
// twiddle factors of the table (stage 1 has only the factor 1 and needs no products).
struct FirstStages {
  double w2r, w2i;        // stage 2, factor 1
  double w4r[3], w4i[3];  // stage 4, factors 1 ... 3
};

using Tile = double[kTile][kTile];

inline void TileButterfly(double* __restrict ar, double* __restrict ai, double* __restrict br, double* __restrict bi,
                          double wr, double wi) {
  for (uint32_t c = 0; c < kTile; ++c) {
    const double tr = wr * br[c] - wi * bi[c];
    const double ti = wr * bi[c] + wi * br[c];
    br[c] = ar[c] - tr;
    bi[c] = ai[c] - ti;
    ar[c] += tr;
    ai[c] += ti;
  }
}

inline void TileButterflyByOne(double* __restrict ar, double* __restrict ai, double* __restrict br,
                               double* __restrict bi) {
  for (uint32_t c = 0; c < kTile; ++c) {
    const double tr = br[c];
    const double ti = bi[c];
    br[c] = ar[c] - tr;
    bi[c] = ai[c] - ti;
    ar[c] += tr;
    ai[c] += ti;
  }
}

inline void EightPoint(Tile& r, Tile& i, const FirstStages& w) {
  for (uint32_t k = 0; k < kTile; k += 2) TileButterflyByOne(r[k], i[k], r[k + 1], i[k + 1]);
  for (uint32_t k = 0; k < kTile; k += 4) {
    TileButterflyByOne(r[k], i[k], r[k + 2], i[k + 2]);
    TileButterfly(r[k + 1], i[k + 1], r[k + 3], i[k + 3], w.w2r, w.w2i);
  }
  TileButterflyByOne(r[0], i[0], r[4], i[4]);
  for (uint32_t j = 1; j < 4; ++j) TileButterfly(r[j], i[j], r[j + 4], i[j + 4], w.w4r[j - 1], w.w4i[j - 1]);
}

constexpr uint32_t kRev[kTile] = {0, 4, 2, 6, 1, 5, 3, 7};
static_assert(kTileBits == 3, "kRev holds the reversals of three bits");

// Reads the tile (a, b, c) for the middle part in `base` so that r[k][c] holds (reverse k, b, c),
// and runs the first three stages on it: row k then belongs at (reverse c, reverse b, k).
TARKEL_WIDE_CLONES void ReadTileWithFirstStages(const double* __restrict re, const double* __restrict im,
                                                uint32_t base, uint32_t highShift, Tile& r, Tile& i,
                                                const FirstStages& w) {
  for (uint32_t k = 0; k < kTile; ++k) {
    const double* __restrict inR = re + base + (kRev[k] << highShift);
    const double* __restrict inI = im + base + (kRev[k] << highShift);
    for (uint32_t c = 0; c < kTile; ++c) {
      r[k][c] = inR[c];
      i[k][c] = inI[c];
    }
  }
  EightPoint(r, i, w);
}

// Writes r[k][c] to (reverse c, b, k) for the middle part already in `base`.
void WriteTileTransposed(double* __restrict re, double* __restrict im, uint32_t base, uint32_t highShift,
                         const Tile& r, const Tile& i) {
  for (uint32_t c = 0; c < kTile; ++c) {
    double* __restrict outR = re + base + (kRev[c] << highShift);
    double* __restrict outI = im + base + (kRev[c] << highShift);
    for (uint32_t k = 0; k < kTile; ++k) {
      outR[k] = r[k][c];
      outI[k] = i[k][c];
    }
  }
}

// Bit-reverses re and im and runs the stages of lengths 1, 2 and 4 on the way; returns false,
// doing nothing, when n is too short for the tiles.
bool BitReverseWithFirstStages(uint32_t n, double* re, double* im, const TwiddleTable& tw) {
  const uint32_t bits = Log2(n);
  if (bits < 2 * kTileBits) return false;
  const FirstStages w = {tw.cos[2], tw.sin[2], {tw.cos[4], tw.cos[5], tw.cos[6]}, {tw.sin[4], tw.sin[5], tw.sin[6]}};
  const uint32_t middleBits = bits - 2 * kTileBits;
  const uint32_t highShift = bits - kTileBits;
  const std::vector<uint32_t>& rev = MiddleReversals(n, middleBits).middle;
  alignas(32) Tile firstR, firstI, secondR, secondI;
  for (uint32_t b = 0; b < rev.size(); ++b) {
    const uint32_t rb = rev[b];
    if (rb < b) continue;
    ReadTileWithFirstStages(re, im, b << kTileBits, highShift, firstR, firstI, w);
    if (rb == b) {
      WriteTileTransposed(re, im, b << kTileBits, highShift, firstR, firstI);
    } else {
      ReadTileWithFirstStages(re, im, rb << kTileBits, highShift, secondR, secondI, w);
      WriteTileTransposed(re, im, rb << kTileBits, highShift, firstR, firstI);
      WriteTileTransposed(re, im, b << kTileBits, highShift, secondR, secondI);
    }
  }
  return true;
}

// The bit reversal of arrays too short for the tiles.
void BitReverseShort(uint32_t n, double* re, double* im) {
  const uint32_t bits = Log2(n);
  for (uint32_t i = 0; i < n; ++i) {
    const uint32_t j = ReverseBits(i, bits);
    if (j > i) {
      std::swap(re[i], re[j]);
      std::swap(im[i], im[j]);
    }
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

// Four doubles handled as one value; the compilers turn the arithmetic into one AVX2 instruction
// or two SSE2 ones, whichever the clone is built for. Declared with the alignment of a double
// and as aliasing doubles, so that it is read and written straight in the arrays of doubles.
typedef double Quad __attribute__((vector_size(4 * sizeof(double)), aligned(alignof(double)), may_alias));

// DoubleStage with the interleaved twiddle factors of DoubleStageTwiddles, four butterflies at a
// time; len is a multiple of kPackedGroup.
TARKEL_WIDE_CLONES void PackedDoubleStage(uint32_t n, uint32_t len, double* re, double* im, const double* w) {
  static_assert(kPackedGroup == 4, "a Quad holds one group");
  for (uint32_t start = 0; start < n; start += 4 * len) {
    double* r0 = re + start;
    double* i0 = im + start;
    double* r1 = r0 + len;
    double* i1 = i0 + len;
    double* r2 = r1 + len;
    double* i2 = i1 + len;
    double* r3 = r2 + len;
    double* i3 = i2 + len;
    for (uint32_t j = 0; j < len; j += kPackedGroup) {
      const double* p = w + (j / kPackedGroup) * kPackedPerGroup;
      const Quad c1 = *reinterpret_cast<const Quad*>(p), s1 = *reinterpret_cast<const Quad*>(p + 4);
      const Quad c2 = *reinterpret_cast<const Quad*>(p + 8), s2 = *reinterpret_cast<const Quad*>(p + 12);
      const Quad c3 = *reinterpret_cast<const Quad*>(p + 16), s3 = *reinterpret_cast<const Quad*>(p + 20);
      const Quad xr0 = *reinterpret_cast<const Quad*>(r0 + j), xi0 = *reinterpret_cast<const Quad*>(i0 + j);
      const Quad xr1 = *reinterpret_cast<const Quad*>(r1 + j), xi1 = *reinterpret_cast<const Quad*>(i1 + j);
      const Quad xr2 = *reinterpret_cast<const Quad*>(r2 + j), xi2 = *reinterpret_cast<const Quad*>(i2 + j);
      const Quad xr3 = *reinterpret_cast<const Quad*>(r3 + j), xi3 = *reinterpret_cast<const Quad*>(i3 + j);
      // First stage: (a, b) and (c, d) with w = c1 + i s1.
      const Quad tbr = c1 * xr1 - s1 * xi1;
      const Quad tbi = c1 * xi1 + s1 * xr1;
      const Quad tdr = c1 * xr3 - s1 * xi3;
      const Quad tdi = c1 * xi3 + s1 * xr3;
      const Quad ar = xr0 + tbr, ai = xi0 + tbi;
      const Quad br = xr0 - tbr, bi = xi0 - tbi;
      const Quad cr = xr2 + tdr, ci = xi2 + tdi;
      const Quad dr = xr2 - tdr, di = xi2 - tdi;
      // Second stage: (a, c) with c2 + i s2, (b, d) with c3 + i s3.
      const Quad tcr = c2 * cr - s2 * ci;
      const Quad tci = c2 * ci + s2 * cr;
      const Quad tdr2 = c3 * dr - s3 * di;
      const Quad tdi2 = c3 * di + s3 * dr;
      *reinterpret_cast<Quad*>(r0 + j) = ar + tcr;
      *reinterpret_cast<Quad*>(i0 + j) = ai + tci;
      *reinterpret_cast<Quad*>(r2 + j) = ar - tcr;
      *reinterpret_cast<Quad*>(i2 + j) = ai - tci;
      *reinterpret_cast<Quad*>(r1 + j) = br + tdr2;
      *reinterpret_cast<Quad*>(i1 + j) = bi + tdi2;
      *reinterpret_cast<Quad*>(r3 + j) = br - tdr2;
      *reinterpret_cast<Quad*>(i3 + j) = bi - tdi2;
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
  // After the tiled bit reversal the stages start at 8, and every pair and the cache block keep
  // len at 8 * 4^k, the stage pairs DoubleStageTwiddles holds.
  static_assert(kCacheBlock == kPackedFirstLen << 8, "the cache block ends on a packed stage pair");
  if (len >= kPackedFirstLen) {
    const PackedTwiddles& packed = DoubleStageTwiddles(tw.n, tw);
    uint32_t index = 0;
    while ((kPackedFirstLen << (2 * index)) < len) ++index;
    for (; 4 * len <= end; len *= 4, ++index) PackedDoubleStage(n, len, re, im, packed.values.data() + packed.offsets[index]);
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

// Stage lengths `first` ... n/2. The stages shorter than the cache block are done block by block
// (each block is independent of the others in those stages), then the rest over the whole array:
// the same butterflies in a cache-friendly order.
void Butterflies(uint32_t n, uint32_t first, double* re, double* im, const TwiddleTable& tw) {
  uint32_t len = first;
  if (n > kCacheBlock) {
    for (uint32_t start = 0; start < n; start += kCacheBlock)
      RunStages(kCacheBlock, first, kCacheBlock, re + start, im + start, tw);
    len = kCacheBlock;
  }
  RunStages(n, len, n, re, im, tw);
}

// Turns the transform Z of the n packed values into the spectrum X of the 2n real samples:
// X[k] = E[k] + e^{+i pi k / n} O[k] with E[k] = (Z[k] + conj Z[n-k]) / 2 and
// O[k] = (Z[k] - conj Z[n-k]) / 2i; the pair k, n-k is done together. Bin n/2 is Z[n/2] as it
// stands.
// One pair k, n-k of the unpacking.
inline void UnpackPair(double& zkr, double& zki, double& zmr, double& zmi, double wr, double wi) {
  const double h1r = 0.5 * (zkr + zmr);
  const double h1i = 0.5 * (zki - zmi);
  const double h2r = 0.5 * (zki + zmi);
  const double h2i = -0.5 * (zkr - zmr);
  zkr = h1r + wr * h2r - wi * h2i;
  zki = h1i + wr * h2i + wi * h2r;
  zmr = h1r - wr * h2r + wi * h2i;
  zmi = -h1i + wr * h2i + wi * h2r;
}

// Pairs taken this many at a time: the upper partners n-k are copied into a small buffer in
// rising order, so that the arithmetic runs on consecutive values and vectorises.
constexpr uint32_t kUnpackChunk = 8;

TARKEL_WIDE_CLONES void UnpackRealSpectrum(uint32_t n, double* __restrict re, double* __restrict im) {
  const TwiddleTable& tw = UnpackTwiddles(n);
  const double* __restrict wc = tw.cos.data();
  const double* __restrict ws = tw.sin.data();
  uint32_t k = 1;
  for (; k + kUnpackChunk <= n / 2; k += kUnpackChunk) {
    double mr[kUnpackChunk], mi[kUnpackChunk];
    for (uint32_t t = 0; t < kUnpackChunk; ++t) {
      mr[t] = re[n - k - t];
      mi[t] = im[n - k - t];
    }
    double* __restrict kr = re + k;
    double* __restrict ki = im + k;
    for (uint32_t t = 0; t < kUnpackChunk; ++t) UnpackPair(kr[t], ki[t], mr[t], mi[t], wc[k + t], ws[k + t]);
    for (uint32_t t = 0; t < kUnpackChunk; ++t) {
      re[n - k - t] = mr[t];
      im[n - k - t] = mi[t];
    }
  }
  for (; k < n / 2; ++k) UnpackPair(re[k], im[k], re[n - k], im[n - k], wc[k], ws[k]);
  const double z0r = re[0];
  re[0] = z0r + im[0];
  im[0] = z0r - im[0];
}

}  // namespace

void ComplexFft(uint32_t n, double* re, double* im) {
  if (!IsPowerOfTwo(n)) return;
  const TwiddleTable& tw = ButterflyTwiddles(n);
  if (BitReverseWithFirstStages(n, re, im, tw)) {
    Butterflies(n, 8, re, im, tw);
  } else {
    BitReverseShort(n, re, im);
    Butterflies(n, 1, re, im, tw);
  }
}

void RealFft(uint32_t n, double* re, double* im) {
  if (!IsPowerOfTwo(n)) return;
  ComplexFft(n, re, im);
  UnpackRealSpectrum(n, re, im);
}

}  // namespace tarkel
