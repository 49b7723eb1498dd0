// Shows a stereo sound in a waveform window as a user sees it: two sines of different pitch and
// level, a selection in both channels, zoomed out a little around it. For looking at the window
// under a real X server (xvfb-run) and taking a screenshot; exits after the given milliseconds.
#include <QApplication>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <memory>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "document/CTarkelDoc.h"
#include "view/ViewCommandIds.h"
#include "view/ui/CTarkelView.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int lifetime = argc > 1 ? std::atoi(argv[1]) : 3000;
  const bool spectral = argc > 2 && std::strcmp(argv[2], "spectral") == 0;
  tarkel::CTarkelDoc doc;
  auto& sound = doc.Sound();
  constexpr uint32_t rate = 22050, frames = rate * 4;
  sound.Format() = tarkel::WaveFormat::Pcm(2, rate, 16);
  sound.RefreshPcmCopy();
  auto* data = reinterpret_cast<int16_t*>(sound.AllocateData(frames * 4));
  for (uint32_t i = 0; i < frames; ++i) {
    const double t = double(i) / rate;
    const double swell = 0.5 + 0.5 * std::sin(2 * M_PI * 0.5 * t);
    data[2 * i] = int16_t(20000 * swell * std::sin(2 * M_PI * 440 * t));
    data[2 * i + 1] = int16_t(12000 * std::sin(2 * M_PI * 97 * t) + 3000 * std::sin(2 * M_PI * 3000 * t));
  }
  doc.SetTitle("showcase.wav");
  tarkel::CTarkelView view(doc);
  view.setWindowTitle("Tarkel view showcase");
  view.resize(1200, 600);
  view.show();
  tarkel::Selection selection;
  selection.SetRange(rate, rate + rate / 2);
  view.SetSelection(selection);
  view.HandleCommand(tarkel::viewcmd::kZoomIn);
  view.HandleCommand(tarkel::viewcmd::kZoomOut);
  if (spectral) view.HandleCommand(tarkel::viewcmd::kSpectralView);
  // "two": a second, silent window beside the first to drag the selection into; the frame
  // counts of both are printed at the end.
  std::unique_ptr<tarkel::CTarkelDoc> other;
  std::unique_ptr<tarkel::CTarkelView> otherView;
  if (argc > 2 && std::strcmp(argv[2], "two") == 0) {
    view.resize(600, 400);
    view.move(0, 0);
    other = std::make_unique<tarkel::CTarkelDoc>();
    other->Sound().Format() = tarkel::WaveFormat::Pcm(2, rate, 16);
    other->Sound().RefreshPcmCopy();
    other->Sound().AllocateData(rate * 4);
    otherView = std::make_unique<tarkel::CTarkelView>(*other);
    otherView->setWindowTitle("Tarkel second view");
    otherView->resize(600, 400);
    otherView->move(650, 0);
    otherView->show();
    // A drop ends the show soon after (the frame counts are what a script checks).
    auto* watch = new QTimer(&app);
    QObject::connect(watch, &QTimer::timeout, &app, [&app, &other] {
      if (other->Sound().Frames() != rate) QTimer::singleShot(300, &app, &QApplication::quit);
    });
    watch->start(100);
  }
  QTimer::singleShot(lifetime, &app, &QApplication::quit);
  const int status = app.exec();
  std::printf("first: %u frames\n", doc.Sound().Frames());
  if (other) std::printf("second: %u frames\n", other->Sound().Frames());
  return status;
}
