// Shows the monitor windows as the program drives them while a sound plays, for looking at them:
// the volume control and the scope refreshed from an 80 ms timer over a sound that plays in real
// time, and the histogram of the whole sound. Quits after the seconds given (default 5).
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "FakeMonitorPorts.h"
#include "LoadedControls.h"
#include "monitors/ui/HistogramWindow.h"
#include "monitors/ui/ScopeWindow.h"
#include "monitors/ui/VolumeControlWindow.h"
#include "sound/Selection.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? QString(argv[1]).toInt() : 5;
  tarkel::test::LoadedControls controls;
  if (!controls.Load({"libgauge.so", "libknob.so", "libmeter.so"})) {
    qCritical("%s", qPrintable(controls.Error()));
    return 1;
  }
  tarkel::test::FakeSource source;
  tarkel::test::FakeVolume volume;
  source.Load(2, 44100, tarkel::test::MusicLike(44100, 44100 * 20));

  tarkel::ui::VolumeControlWindow vu(
      [&](const char* name, QWidget* parent) { return controls.Create(name, parent); }, volume, source);
  vu.move(10, 10);
  vu.show();
  tarkel::ui::ScopeWindow scope(source);
  scope.setGeometry(10, 200, 480, 320);
  scope.show();
  auto* histogram = new tarkel::ui::HistogramWindow;
  histogram->ShowHistogram(source.sound, tarkel::Selection(), "preview.wav");
  histogram->setGeometry(520, 200, 440, 320);
  histogram->show();

  QElapsedTimer clock;
  clock.start();
  int tick = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    source.frame = static_cast<uint32_t>(clock.elapsed() * 44100 / 1000 + 44100);
    if (++tick % 2 == 0) vu.RefreshLevel();
    scope.Refresh();
  });
  timer.start(80);
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  return app.exec();
}
