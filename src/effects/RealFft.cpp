#include "effects/RealFft.h"

#include <cmath>
#include <utility>
#include <vector>

namespace tarkel {
namespace {

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

void BitReverse(uint32_t n, double* re, double* im) {
  uint32_t j = 0;
  for (uint32_t i = 0; i < n; ++i) {
    if (j > i) {
      std::swap(re[i], re[j]);
      std::swap(im[i], im[j]);
    }
    uint32_t bit = n >> 1;
    while (bit != 0 && (j & bit)) {
      j ^= bit;
      bit >>= 1;
    }
    j |= bit;
  }
}

void Butterflies(uint32_t n, double* re, double* im) {
  // Stage length 1: the twiddle factor is exactly 1.
  for (uint32_t i = 0; i + 1 < n; i += 2) {
    const double tr = re[i + 1];
    const double ti = im[i + 1];
    re[i + 1] = re[i] - tr;
    im[i + 1] = im[i] - ti;
    re[i] += tr;
    im[i] += ti;
  }
  const TwiddleTable& tw = ButterflyTwiddles(n);
  for (uint32_t len = 2; len < n; len <<= 1) {
    const double* wc = tw.cos.data() + len - 1;
    const double* ws = tw.sin.data() + len - 1;
    for (uint32_t start = 0; start < n; start += 2 * len) {
      double* ar = re + start;
      double* ai = im + start;
      double* br = ar + len;
      double* bi = ai + len;
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
}

// Turns the transform Z of the n packed values into the spectrum X of the 2n real samples:
// X[k] = E[k] + e^{+i pi k / n} O[k] with E[k] = (Z[k] + conj Z[n-k]) / 2 and
// O[k] = (Z[k] - conj Z[n-k]) / 2i; the pair k, n-k is done together. Bin n/2 is Z[n/2] as it
// stands.
void UnpackRealSpectrum(uint32_t n, double* re, double* im) {
  const TwiddleTable& tw = UnpackTwiddles(n);
  for (uint32_t k = 1; k < n / 2; ++k) {
    const uint32_t m = n - k;
    const double h1r = 0.5 * (re[k] + re[m]);
    const double h1i = 0.5 * (im[k] - im[m]);
    const double h2r = 0.5 * (im[k] + im[m]);
    const double h2i = -0.5 * (re[k] - re[m]);
    const double wr = tw.cos[k];
    const double wi = tw.sin[k];
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
