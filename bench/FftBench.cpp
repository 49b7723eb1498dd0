// RealFft against FFTW's real-to-complex transform at the block lengths the spectral filters
// use. Both are timed on the same input, copied in before every transform (RealFft works in
// place); items per second count real input points.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <vector>

#include "effects/RealFft.h"

namespace {

std::vector<double> Signal(size_t points) {
  std::vector<double> x(points);
  for (size_t i = 0; i < points; ++i) x[i] = std::sin(0.01 * double(i)) + 0.25 * std::cos(0.37 * double(i));
  return x;
}

void BM_RealFft(benchmark::State& state) {
  const size_t points = size_t(state.range(0));
  const std::vector<double> x = Signal(points);
  std::vector<double> re(points / 2), im(points / 2);
  for (auto _ : state) {
    for (size_t j = 0; j < points / 2; ++j) {
      re[j] = x[2 * j];
      im[j] = x[2 * j + 1];
    }
    tarkel::RealFft(uint32_t(points / 2), re.data(), im.data());
    benchmark::DoNotOptimize(re.data());
    benchmark::DoNotOptimize(im.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(points));
}

void FftwReal(benchmark::State& state, unsigned flags) {
  const size_t points = size_t(state.range(0));
  const std::vector<double> x = Signal(points);
  double* in = fftw_alloc_real(points);
  fftw_complex* out = fftw_alloc_complex(points / 2 + 1);
  fftw_plan plan = fftw_plan_dft_r2c_1d(int(points), in, out, flags);
  for (auto _ : state) {
    for (size_t j = 0; j < points; ++j) in[j] = x[j];
    fftw_execute(plan);
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(points));
  fftw_destroy_plan(plan);
  fftw_free(out);
  fftw_free(in);
}

void BM_FftwRealMeasure(benchmark::State& state) { FftwReal(state, FFTW_MEASURE); }
void BM_FftwRealEstimate(benchmark::State& state) { FftwReal(state, FFTW_ESTIMATE); }

}  // namespace

BENCHMARK(BM_RealFft)->Arg(1024)->Arg(16384);
BENCHMARK(BM_FftwRealMeasure)->Arg(1024)->Arg(16384);
BENCHMARK(BM_FftwRealEstimate)->Arg(1024)->Arg(16384);
