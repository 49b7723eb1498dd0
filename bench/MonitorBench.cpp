// What one refresh of the monitor windows costs while a stereo 44.1 kHz sound plays: the VU
// level alone, the volume window's refresh with its gauges and bars repainted, and the scope's
// refresh with its trace, spectrum and repaint. The main window's timer (80 ms) refreshes the
// scope on every tick and the volume window on every second one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <memory>

#include "LoadedControls.h"
#include "monitors/MonitorSource.h"
#include "monitors/SoundLevel.h"
#include "monitors/ui/ScopeWindow.h"
#include "monitors/ui/VolumeControlWindow.h"
#include "sound/DocWaveAudio.h"

namespace {

constexpr uint32_t kRate = 44100;

class PlayingSound final : public tarkel::MonitorSource {
 public:
  PlayingSound() {
    sound_.Format() = tarkel::WaveFormat::Pcm(2, kRate, 16);
    sound_.RefreshPcmCopy();
    const uint32_t frames = kRate * 10;
    auto* data = reinterpret_cast<int16_t*>(sound_.AllocateData(frames * 4));
    for (uint32_t n = 0; n < frames; ++n) {
      const double t = static_cast<double>(n) / kRate;
      data[2 * n] = static_cast<int16_t>(20000 * std::sin(6.283185307 * 440 * t));
      data[2 * n + 1] = static_cast<int16_t>(12000 * std::sin(6.283185307 * 1250 * t));
    }
  }
  const tarkel::WaveAudio* TransportSound() const override { return &sound_; }
  uint32_t TransportFrame() const override { return frame_; }
  // Moves on by one timer period of 80 ms, wrapping inside the sound.
  void Advance() { frame_ = (frame_ + kRate * 80 / 1000) % (kRate * 9); }

 private:
  tarkel::DocWaveAudio sound_;
  uint32_t frame_ = 0;
};

class NoVolume final : public tarkel::OutputVolume {
 public:
  uint16_t LeftVolume() const override { return 40000; }
  uint16_t RightVolume() const override { return 40000; }
  void SetLeftVolume(uint16_t) override {}
  void SetRightVolume(uint16_t) override {}
};

void BM_VuLevel(benchmark::State& state) {
  PlayingSound source;
  for (auto _ : state) {
    source.Advance();
    benchmark::DoNotOptimize(tarkel::SoundLevelAt(*source.TransportSound(), source.TransportFrame()));
  }
}
BENCHMARK(BM_VuLevel);

void BM_VolumeWindowRefresh(benchmark::State& state) {
  tarkel::test::LoadedControls controls;
  if (!controls.Load({"libgauge.so", "libknob.so", "libmeter.so"})) {
    state.SkipWithError("control libraries not found");
    return;
  }
  PlayingSound source;
  NoVolume volume;
  tarkel::ui::VolumeControlWindow window(
      [&](const char* name, QWidget* parent) { return controls.Create(name, parent); }, volume, source);
  QImage canvas(window.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    source.Advance();
    window.RefreshLevel();
    // What the changed gauges and bars cost to paint.
    for (int id : {1004, 1003, 1012, 1007}) {
      QWidget* control = window.Control(id);
      QPainter painter(&canvas);
      control->render(&painter, control->pos());
    }
  }
}
BENCHMARK(BM_VolumeWindowRefresh)->Unit(benchmark::kMicrosecond);

void BM_ScopeRefresh(benchmark::State& state) {
  PlayingSound source;
  tarkel::ui::ScopeWindow scope(source);
  scope.resize(480, 320);
  tarkel::ui::ScopeOptions options;
  options.highQuality = state.range(0) != 0;
  options.fftBlockSize = static_cast<int32_t>(state.range(1));
  scope.SetOptions(options);
  QImage canvas(scope.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    source.Advance();
    scope.Refresh();
    scope.render(&canvas);
  }
}
BENCHMARK(BM_ScopeRefresh)->Args({1, 512})->Args({0, 512})->Args({1, 4096})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
