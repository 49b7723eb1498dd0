// The waveform window's paints on the offscreen platform: a full repaint of a 1 GiB 16-bit
// stereo sound shown whole at 1920 x 600, one position marker step, and a scroll by a tenth of
// the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWheelEvent>
#include <cmath>
#include <memory>

#include "document/CTarkelDoc.h"
#include "view/ViewPreferences.h"
#include "view/ui/CTarkelView.h"

namespace tarkel {
namespace {

struct Window;
// Made by the first benchmark that needs it, gone before the application object.
std::unique_ptr<Window> window;

constexpr uint32_t kSoundBytes = 1u << 30;  // 1 GiB of 16-bit stereo
constexpr int kWidth = 1920;
constexpr int kHeight = 600;

struct Marker : PlayPositionSource {
  uint32_t frame = 0;
  uint32_t CurrentFrame(const CTarkelDoc&) const override { return frame; }
};

// One document and one shown window for all the benchmarks.
struct Window {
  Window() {
    auto& sound = doc.Sound();
    sound.Format() = WaveFormat::Pcm(2, 44100, 16);
    sound.RefreshPcmCopy();
    auto* samples = reinterpret_cast<int16_t*>(sound.AllocateData(kSoundBytes));
    // A sine whose level changes slowly: every column has something to find.
    const uint64_t count = kSoundBytes / 2;
    for (uint64_t i = 0; i < count; ++i) samples[i] = int16_t((i * 2654435761u >> 17) & 0x3FFF) - 8192;
    view = std::make_unique<CTarkelView>(doc);
    view->resize(kWidth, kHeight);
    view->show();
    QApplication::processEvents();
    SetPlayPositionSource(&marker);
  }
  CTarkelDoc doc;
  std::unique_ptr<CTarkelView> view;
  Marker marker;
};


Window& TheWindow() {
  if (!window) window = std::make_unique<Window>();
  return *window;
}

void BM_FullRepaintOfOneGibibyteZoomedOut(benchmark::State& state) {
  Window& w = TheWindow();
  w.view->HandleCommand(32811);  // zoom all
  for (auto _ : state) {
    w.doc.UpdateAllViews(hint::kAll);
    w.view->repaint();
  }
  state.counters["framesPerColumn"] = w.view->Geometry().FramesPerColumn();
}
BENCHMARK(BM_FullRepaintOfOneGibibyteZoomedOut)->Unit(benchmark::kMillisecond);

void BM_PositionMarkerStep(benchmark::State& state) {
  Window& w = TheWindow();
  w.view->HandleCommand(32811);
  w.view->repaint();
  const uint32_t step = w.view->Geometry().FramesPerColumn();
  uint32_t column = 1;
  for (auto _ : state) {
    column = column % (kWidth - 2) + 1;
    w.marker.frame = column * step;
    w.doc.UpdateAllViews(hint::kPosition);
  }
}
BENCHMARK(BM_PositionMarkerStep)->Unit(benchmark::kMicrosecond);

void BM_ScrollByATenthOfTheWindow(benchmark::State& state) {
  Window& w = TheWindow();
  // A tenth of the sound in view, in its middle; the wheel moves by a tenth of the span.
  Selection middle;
  const uint32_t frames = w.doc.Sound().Frames();
  middle.SetRange(frames / 2, frames / 2 + frames / 10);
  w.view->SetSelection(middle);
  w.view->HandleCommand(32810);  // zoom in to it
  w.view->repaint();
  int direction = 1;
  int n = 0;
  for (auto _ : state) {
    QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, 120 * direction), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.view.get(), &wheel);
    if (++n % 20 == 0) direction = -direction;
  }
}
BENCHMARK(BM_ScrollByATenthOfTheWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarkel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  tarkel::window.reset();
  tarkel::SetPlayPositionSource(nullptr);
  return 0;
}
