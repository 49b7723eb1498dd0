// The monitor windows with the real control libraries and fake audio: the volume knobs set the
// device's volume words (Mono Lock links them), the level reaches the gauges and bars, the scope
// draws the sound around the position, the histogram counts the selection.
#include <QCheckBox>
#include <QImage>
#include <QtTest>
#include <cmath>
#include <cstring>

#include "FakeMonitorPorts.h"
#include "LoadedControls.h"
#include "controls/ControlWidget.h"
#include "controls/gauge/GaugeInfo.h"
#include "controls/knob/KnobInfo.h"
#include "controls/meter/MeterInfo.h"
#include "monitors/SoundLevel.h"
#include "monitors/ui/ControlLink.h"
#include "monitors/ui/HistogramWindow.h"
#include "monitors/ui/ScopeWindow.h"
#include "monitors/ui/VolumeControlSetup.h"
#include "monitors/ui/VolumeControlWindow.h"
#include "sound/Selection.h"

using namespace tarkel;
using namespace tarkel::controls;
using namespace tarkel::ui;

namespace {

constexpr double kPi = 3.14159265358979;

float ValueOf(QWidget* control) {
  float value = -1;
  SendControlRecord(control, KNM_GETVALUE, value);  // 1027 reads the value of every control
  return value;
}

// Where the pointer of a volume knob stands for `value` (0 .. 65535): its centre, then 225
// degrees down to 315 (270 clockwise), at a radius inside the widget.
QPoint KnobPoint(QWidget* knob, double value) {
  KNOBINFO info;
  SendControlRecord(knob, KNM_GETINFO, info);
  const DialogBase base = DialogBaseOf(knob->font());
  const QPointF centre(knob->width() / 2.0 + info.nOffsetX * base.width / 4,
                       knob->height() / 2.0 + info.nOffsetY * base.height / 8);
  const double degrees = 225.0 - value / 65535.0 * 270.0;
  const double radius = 12;
  return QPointF(centre.x() + radius * std::cos(degrees * kPi / 180),
                 centre.y() - radius * std::sin(degrees * kPi / 180))
      .toPoint();
}

void Drag(QWidget* knob, double from, double to) {
  QTest::mousePress(knob, Qt::LeftButton, {}, KnobPoint(knob, from));
  QTest::mouseMove(knob, KnobPoint(knob, (from + to) / 2));
  QTest::mouseMove(knob, KnobPoint(knob, to));
  QTest::mouseRelease(knob, Qt::LeftButton, {}, KnobPoint(knob, to));
}

}  // namespace

class MonitorWindowsTest : public QObject {
  Q_OBJECT

  test::LoadedControls controls_;
  ControlFactory factory_;

 private slots:
  void initTestCase() {
    QVERIFY2(controls_.Load({"libgauge.so", "libknob.so", "libmeter.so"}), qPrintable(controls_.Error()));
    factory_ = [this](const char* name, QWidget* parent) { return controls_.Create(name, parent); };
  }

  void controlsAreSetUpFromTheTemplate() {
    test::FakeVolume volume;
    test::FakeSource source;
    VolumeControlWindow window(factory_, volume, source);
    QCOMPARE(window.windowTitle(), QString("Volume/Pan-Control"));
    for (int id : {IDC_METER_UPPER, IDC_METER_LOWER, IDC_GAUGE_FIRST, IDC_GAUGE_SECOND, IDC_KNOB_LEFT, IDC_KNOB_RIGHT})
      QVERIFY2(window.Control(id), qPrintable(QString::number(id)));
    QCOMPARE(window.MonoLock()->text(), QString("Mono Lock"));
    QVERIFY(!window.MonoLock()->isChecked());

    METERINFO meter;
    SendControlRecord(window.Control(IDC_METER_UPPER), MTM_GETINFO, meter);
    METERINFO expected = LevelMeterInfo();
    expected.wLabelStep = 0xFFFF;  // validation: no ticks leaves wNumTics - 1 as the step
    QCOMPARE(std::memcmp(&meter, &expected, sizeof meter), 0);
    QCOMPARE(meter.Colors[1].crColor, 0x00FFFFu);
    QCOMPARE(window.Control(IDC_METER_LOWER)->property(kControlStyleProperty).toUInt(), 16u | 512u);

    KNOBINFO knob;
    SendControlRecord(window.Control(IDC_KNOB_LEFT), KNM_GETINFO, knob);
    QCOMPARE(knob.wNumTics, uint16_t(10));
    QCOMPARE(knob.wTicsEnd, uint16_t(315));
    QCOMPARE(knob.fMaxValue, 65535.0f);
    QCOMPARE(QByteArray(knob.szLabels[9]), QByteArray("10"));
    QCOMPARE(knob.fValue, float(0x8000));
    QCOMPARE(ValueOf(window.Control(IDC_KNOB_RIGHT)), float(0x4000));

    GAUGEINFO gauge;
    SendControlRecord(window.Control(IDC_GAUGE_SECOND), GGM_GETINFO, gauge);
    QCOMPARE(QByteArray(gauge.szCaption1), QByteArray("VU-"));
    QCOMPARE(QByteArray(gauge.szCaption2), QByteArray("Meter"));
    QCOMPARE(gauge.crFace, 0xC0C0C0u);
    QCOMPARE(gauge.Zones[2].crColor, 0x000080u);
  }

  void turningAKnobSetsItsChannel() {
    test::FakeVolume volume;
    test::FakeSource source;
    VolumeControlWindow window(factory_, volume, source);
    window.show();
    QWidget* left = window.Control(IDC_KNOB_LEFT);
    Drag(left, 32768, 60000);
    QVERIFY2(std::abs(volume.left - 60000) < 700, qPrintable(QString::number(volume.left)));
    QCOMPARE(volume.left, uint16_t(ValueOf(left)));
    QCOMPARE(volume.right, uint16_t(0x4000));
    QCOMPARE(volume.rightSets, 0);
    Drag(window.Control(IDC_KNOB_RIGHT), 16384, 5000);
    QVERIFY(std::abs(volume.right - 5000) < 700);
    QVERIFY(std::abs(volume.left - 60000) < 700);
    // A click without a drag moves the knob; the device follows it.
    QTest::mouseClick(left, Qt::LeftButton, {}, KnobPoint(left, 20000));
    QVERIFY2(std::abs(volume.left - 20000) < 700, qPrintable(QString::number(volume.left)));
    QCOMPARE(volume.left, uint16_t(ValueOf(left)));
  }

  void monoLockTurnsBothChannels() {
    test::FakeVolume volume;
    test::FakeSource source;
    VolumeControlWindow window(factory_, volume, source);
    window.show();
    QTest::mouseClick(window.MonoLock(), Qt::LeftButton);
    QVERIFY(window.MonoLock()->isChecked());
    QWidget* left = window.Control(IDC_KNOB_LEFT);
    QWidget* right = window.Control(IDC_KNOB_RIGHT);
    Drag(left, 32768, 50000);
    QVERIFY(std::abs(volume.left - 50000) < 700);
    QCOMPARE(volume.right, volume.left);
    QCOMPARE(ValueOf(right), ValueOf(left));
    Drag(right, 50000, 10000);
    QVERIFY(std::abs(volume.right - 10000) < 700);
    QCOMPARE(volume.left, volume.right);
    QCOMPARE(ValueOf(left), ValueOf(right));
    // The arrow keys turn a knob too.
    const uint16_t before = volume.left;
    right->setFocus();
    QTest::keyClick(right, Qt::Key_Up);
    QVERIFY(volume.right > before);
    QCOMPARE(volume.left, volume.right);
  }

  void levelReachesGaugesAndBars() {
    test::FakeVolume volume;
    test::FakeSource source;
    // Mono at 8000 frames per second, 30000 sin(2 pi n / 8): level ln(1500000 / 304) = ln 4934.
    std::vector<int16_t> samples(4000);
    for (size_t n = 0; n < samples.size(); ++n) samples[n] = int16_t(std::lround(30000 * std::sin(kPi / 4 * n)));
    source.Load(1, 8000, samples);
    VolumeControlWindow window(factory_, volume, source);
    source.frame = 8;
    window.RefreshLevel();
    for (int id : {IDC_METER_UPPER, IDC_METER_LOWER, IDC_GAUGE_FIRST, IDC_GAUGE_SECOND})
      QVERIFY(std::fabs(ValueOf(window.Control(id)) - std::log(4934.0f)) < 1e-4f);
    // Within an eighth of a second of the end the meters keep their value.
    source.frame = 3500;
    window.RefreshLevel();
    QVERIFY(std::fabs(ValueOf(window.Control(IDC_GAUGE_FIRST)) - std::log(4934.0f)) < 1e-4f);
    // Silence shows the bottom of the scale; nothing playing changes nothing.
    std::fill(samples.begin(), samples.end(), 0);
    source.Load(1, 8000, samples);
    source.frame = 0;
    window.RefreshLevel();
    QCOMPARE(ValueOf(window.Control(IDC_METER_LOWER)), kLevelFloor);
    source.playing = false;
    window.RefreshLevel();
    QCOMPARE(ValueOf(window.Control(IDC_METER_LOWER)), kLevelFloor);
    // The lit bars: a level of 8.5 lights the last segment in red.
    source.playing = true;
    float top = 8.5f;
    SendControlRecord(window.Control(IDC_METER_UPPER), MTM_SETVALUE, top);
    const QImage bars = window.Control(IDC_METER_UPPER)->grab().toImage();
    bool red = false;
    for (int x = 0; x < bars.width(); ++x) red = red || bars.pixelColor(x, bars.height() / 2) == QColor(255, 0, 0);
    QVERIFY(red);
  }

  void windowsWithoutControlLibrariesStillOpen() {
    test::FakeVolume volume;
    test::FakeSource source;
    VolumeControlWindow window(ControlFactory(), volume, source);
    window.RefreshLevel();
    window.SyncKnobs();
    QVERIFY(!window.Control(IDC_KNOB_LEFT));
    QVERIFY(!window.grab().isNull());
  }

  void scopeDrawsTheSoundAroundThePosition() {
    test::FakeSource source;
    source.Load(2, 44100, test::MusicLike(44100, 44100));
    ScopeWindow scope(source);
    scope.resize(400, 300);
    QSignalSpy visibility(&scope, SIGNAL(visibilityChanged()));
    scope.show();
    QCOMPARE(visibility.count(), 1);
    source.frame = 22050;
    scope.Refresh();
    QImage image = scope.grab().toImage();
    // Channel 1 in its colour in the upper lane, channel 2 in the lower one.
    const QColor first = ColorOf(0xFF8000), second = ColorOf(0x0000FF);
    int firstPixels = 0, secondPixels = 0, spectrumPixels = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        firstPixels += c == first && y < image.height() / 4;
        secondPixels += c == second && y > image.height() / 4 && y < image.height() / 2;
        spectrumPixels += y > image.height() / 2 && c.red() > 200 && c.blue() < 50;
      }
    QVERIFY(firstPixels > 100);
    QVERIFY(secondPixels > 100);
    QVERIFY(spectrumPixels > 20);
    // Options: a bigger block, low quality, linear scaling; then nothing playing clears it.
    ScopeOptions options;
    options.fftBlockSize = 4096;
    options.highQuality = false;
    options.colorScalingMode = 0;
    scope.SetOptions(options);
    scope.Refresh();
    QVERIFY(!scope.grab().isNull());
    source.playing = false;
    scope.Refresh();
    image = scope.grab().toImage();
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) coloured += image.pixelColor(x, y) == first;
    QCOMPARE(coloured, 0);
  }

  void histogramCountsTheSelection() {
    test::FakeSource source;
    source.Load(2, 8000, {100, -1, 32767, 0, -32768, 0, 5, 5});
    auto* window = new HistogramWindow;
    Selection selection;
    selection.SetRange(0, 2);
    selection.SetChannel(ChannelChoice::Left);
    window->ShowHistogram(source.sound, selection, "test.wav");
    QCOMPARE(window->Histogram().channels, uint16_t(1));
    QCOMPARE(window->Histogram().channel[0].samples, uint64_t(3));
    QVERIFY(window->Summary(0).startsWith("Left: min -32768  max 32767"));
    QVERIFY(window->windowTitle().contains("test.wav"));
    QVERIFY(!window->grab().isNull());
    delete window;
  }
};

QTEST_MAIN(MonitorWindowsTest)
#include "MonitorWindowsTest.moc"
