#include "effects/RealFft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace tarkel {
namespace {

using Spectrum = std::vector<std::complex<long double>>;

// The spectrum X[k] = sum x[j] e^{+2 pi i j k / N}, k = 0 ... N/2, computed the slow way.
Spectrum SlowRealSpectrum(const std::vector<double>& x) {
  const size_t n = x.size();
  Spectrum out(n / 2 + 1);
  for (size_t k = 0; k <= n / 2; ++k)
    for (size_t j = 0; j < n; ++j) {
      const long double a = 2.0L * M_PIl * (long double)((j * k) % n) / n;
      out[k] += (long double)x[j] * std::complex<long double>(std::cos(a), std::sin(a));
    }
  return out;
}

std::vector<double> Noise(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> d(-1.0, 1.0);
  std::vector<double> x(n);
  for (double& v : x) v = d(gen);
  return x;
}

TEST(RealFft, MatchesTheDefinitionForEveryPowerOfTwo) {
  for (uint32_t n = 1; n <= 1024; n *= 2) {
    const std::vector<double> x = Noise(2 * n, n);
    std::vector<double> re(n), im(n);
    for (uint32_t j = 0; j < n; ++j) {
      re[j] = x[2 * j];
      im[j] = x[2 * j + 1];
    }
    RealFft(n, re.data(), im.data());
    const Spectrum want = SlowRealSpectrum(x);
    const double tolerance = 1e-10 * n;
    EXPECT_NEAR(re[0], double(want[0].real()), tolerance) << "sum, n=" << n;
    EXPECT_NEAR(im[0], double(want[n].real()), tolerance) << "Nyquist, n=" << n;
    for (uint32_t k = 1; k < n; ++k) {
      ASSERT_NEAR(re[k], double(want[k].real()), tolerance) << "n=" << n << " k=" << k;
      ASSERT_NEAR(im[k], double(want[k].imag()), tolerance) << "n=" << n << " k=" << k;
    }
  }
}

TEST(RealFft, ASineLandsInItsBinWithHalfTheBlockAsMagnitude) {
  const uint32_t n = 512;  // 1024 real samples
  std::vector<double> re(n), im(n);
  for (uint32_t j = 0; j < 2 * n; ++j) (j % 2 ? im : re)[j / 2] = std::cos(2.0 * M_PI * 37 * j / (2 * n));
  RealFft(n, re.data(), im.data());
  for (uint32_t k = 1; k < n; ++k) {
    const double mag = std::hypot(re[k], im[k]);
    if (k == 37)
      EXPECT_NEAR(mag, n, 1e-9);
    else
      ASSERT_LT(mag, 1e-9) << k;
  }
}

TEST(ComplexFft, UsesThePositiveKernel) {
  const uint32_t n = 64;
  std::vector<double> re(n, 0.0), im(n, 0.0);
  re[1] = 1.0;  // z = delta at 1: Z[k] = e^{+2 pi i k / n}
  ComplexFft(n, re.data(), im.data());
  for (uint32_t k = 0; k < n; ++k) {
    EXPECT_NEAR(re[k], std::cos(2.0 * M_PI * k / n), 1e-12);
    EXPECT_NEAR(im[k], std::sin(2.0 * M_PI * k / n), 1e-12);
  }
}

TEST(RealFft, LeavesTheArraysAloneWhenTheSizeIsNoPowerOfTwo) {
  for (uint32_t n : {0u, 3u, 12u, 1000u}) {
    std::vector<double> re(n + 1, 1.5), im(n + 1, -2.5);
    RealFft(n, re.data(), im.data());
    ComplexFft(n, re.data(), im.data());
    for (uint32_t j = 0; j <= n; ++j) {
      EXPECT_EQ(re[j], 1.5);
      EXPECT_EQ(im[j], -2.5);
    }
  }
}

}  // namespace
}  // namespace tarkel
