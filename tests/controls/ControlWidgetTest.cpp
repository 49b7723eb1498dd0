// Each control library without the program: loaded by file name, its classes made through its
// entry point, driven through its exported message procedure, the mouse and the keyboard, and
// its painting checked on grab().
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QStyle>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "LoadedControls.h"
#include "controls/ControlWidget.h"
#include "controls/button/ButtonInfo.h"
#include "controls/gauge/GaugeInfo.h"
#include "controls/knob/KnobInfo.h"
#include "controls/meter/MeterInfo.h"

using namespace tarkel::controls;
using tarkel::test::LoadedControls;

namespace {

constexpr double kPi = 3.14159265358979;

struct Notifications {
  std::vector<uintptr_t> wParams;
  std::vector<intptr_t> lParams;
  static void Record(void* context, uintptr_t wParam, intptr_t lParam) {
    auto* self = static_cast<Notifications*>(context);
    self->wParams.push_back(wParam);
    self->lParams.push_back(lParam);
  }
  int Code(size_t i) const { return static_cast<int>(wParams.at(i) >> 16); }
  int Id(size_t i) const { return static_cast<int>(wParams.at(i) & 0xFFFF); }
};

KNOBINFO PatternedKnob() {
  KNOBINFO info;
  auto* bytes = reinterpret_cast<unsigned char*>(&info);
  for (size_t i = 0; i < sizeof info; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);
  // Fields a valid record needs; every other byte (reserved words, the whole label block with
  // unterminated slots) keeps its pattern.
  info.wNumTics = 7;
  info.wTicsStart = 200;
  info.wTicsEnd = 20;
  info.wLabelStep = 3;
  info.wRadius = 20;
  info.fMinValue = -2.0f;
  info.fMaxValue = 6.5f;
  info.fValue = 1.25f;
  info.nOffsetX = -3;
  info.nOffsetY = 4;
  return info;
}

QColor PixelAt(const QImage& image, QPointF point) {
  return image.pixelColor(qRound(point.x()), qRound(point.y()));
}

// The darkest grey level in the 3 × 3 pixels around `point` (thin antialiased lines spread over
// neighbouring pixels).
int DarkestAround(const QImage& image, QPointF point) {
  int darkest = 255;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      darkest = std::min(darkest, qGray(image.pixel(qRound(point.x()) + dx, qRound(point.y()) + dy)));
  return darkest;
}

}  // namespace

class ControlWidgetTest : public QObject {
  Q_OBJECT

 private:
  LoadedControls controls_;
  TarkelControlProcFn knobProc_ = nullptr;
  TarkelControlProcFn meterProc_ = nullptr;
  TarkelControlProcFn gaugeProc_ = nullptr;
  TarkelControlProcFn buttonProc_ = nullptr;

  std::unique_ptr<QWidget> Make(const char* className, QSize size) {
    std::unique_ptr<QWidget> control(controls_.Create(className, nullptr));
    if (control) control->resize(size);
    return control;
  }

  // Centre and radius of a knob as it paints itself.
  static void KnobGeometry(QWidget* knob, const KNOBINFO& info, QPointF& centre, double& radius) {
    const DialogBase base = DialogBaseOf(knob->font());
    centre = QPointF(knob->width() / 2.0 + info.nOffsetX * base.width / 4,
                     knob->height() / 2.0 + info.nOffsetY * base.height / 8);
    radius = std::min(info.wRadius * base.height / 8, info.wRadius * base.width / 4);
  }
  static QPointF AtAngle(QPointF centre, double radius, double degrees) {
    return {centre.x() + radius * std::cos(degrees * kPi / 180), centre.y() - radius * std::sin(degrees * kPi / 180)};
  }
  static double AngleOf(const KNOBINFO& info, double value) {
    int sweep = info.wTicsStart - info.wTicsEnd;
    if (info.wTicsStart < info.wTicsEnd) sweep += 360;
    return info.wTicsStart - (value - info.fMinValue) / (info.fMaxValue - info.fMinValue) * sweep;
  }

 private slots:
  void initTestCase() {
    QVERIFY2(controls_.Load({"libgauge.so", "libknob.so", "libmeter.so", "libbutton.so", "libemboss.so"}),
             qPrintable(controls_.Error()));
    for (const char* name : {"Knob", "Meter", "Gauge", "Button", "Emboss"}) QVERIFY2(controls_.Has(name), name);
    knobProc_ = reinterpret_cast<TarkelControlProcFn>(controls_.Resolve("libknob.so", "KnobWndProc"));
    meterProc_ = reinterpret_cast<TarkelControlProcFn>(controls_.Resolve("libmeter.so", "MeterWndProc"));
    gaugeProc_ = reinterpret_cast<TarkelControlProcFn>(controls_.Resolve("libgauge.so", "GaugeWndProc"));
    buttonProc_ = reinterpret_cast<TarkelControlProcFn>(controls_.Resolve("libbutton.so", "ButtonWndProc"));
    QVERIFY(knobProc_ && meterProc_ && gaugeProc_ && buttonProc_);
  }

  void knobDefaultsOnCreation() {
    auto knob = Make("Knob", {200, 200});
    KNOBINFO info;
    std::memset(&info, 0xAB, sizeof info);
    QCOMPARE(knobProc_(knob.get(), KNM_GETINFO, 0, reinterpret_cast<intptr_t>(&info)), intptr_t(1));
    QCOMPARE(info.dwReserved1, 1u);
    QCOMPARE(info.wNumTics, uint16_t(11));
    QCOMPARE(info.wTicsStart, uint16_t(225));
    QCOMPARE(info.wTicsEnd, uint16_t(335));
    QCOMPARE(info.wLabelStep, uint16_t(2));
    QCOMPARE(info.wRadius, uint16_t(50));
    QCOMPARE(info.fMaxValue, 4.0f);
    QCOMPARE(info.fValue, 0.0f);
    QCOMPARE(QByteArray(info.szLabels[48]), QByteArray("48"));
    // The rest of each slot and slot 49 are zero-filled.
    QCOMPARE(info.szLabels[49][0], '\0');
    QCOMPARE(info.szLabels[5][1], '\0');
    QCOMPARE(info.wReserved2, uint16_t(0));
  }

  void knobRecordRoundTripsAllBytes() {
    auto knob = Make("Knob", {200, 200});
    const KNOBINFO sent = PatternedKnob();
    QCOMPARE(knobProc_(knob.get(), KNM_SETINFO, 0, reinterpret_cast<intptr_t>(&sent)), intptr_t(0));
    KNOBINFO back;
    std::memset(&back, 0, sizeof back);
    knobProc_(knob.get(), KNM_GETINFO, 0, reinterpret_cast<intptr_t>(&back));
    QCOMPARE(std::memcmp(&sent, &back, sizeof(KNOBINFO)), 0);
    // Painting a record with unterminated labels stays inside the slots.
    QVERIFY(!knob->grab().isNull());

    float value = 9.75f;  // outside the range: stored as it is
    QCOMPARE(knobProc_(knob.get(), KNM_SETVALUE, 0, reinterpret_cast<intptr_t>(&value)), intptr_t(0));
    float read = 0;
    QCOMPARE(knobProc_(knob.get(), KNM_GETVALUE, 0, reinterpret_cast<intptr_t>(&read)), reinterpret_cast<intptr_t>(&read));
    QCOMPARE(read, 9.75f);
    // Null pointers and messages the knob does not know are ignored.
    QCOMPARE(knobProc_(knob.get(), KNM_SETINFO, 0, 0), intptr_t(0));
    QCOMPARE(knobProc_(knob.get(), 4711, 0, 0), intptr_t(0));
    QCOMPARE(knobProc_(nullptr, KNM_GETVALUE, 0, reinterpret_cast<intptr_t>(&read)), intptr_t(0));
  }

  void knobBadRecordsNeverCrash() {
    auto knob = Make("Knob", {160, 160});
    std::vector<KNOBINFO> records(7, PatternedKnob());
    records[0].fMinValue = 9.0f;  // minimum above maximum
    records[1].wNumTics = 0;
    records[2].wLabelStep = 0;
    records[3].wTicsStart = records[3].wTicsEnd = 720;
    records[4].fMinValue = records[4].fMaxValue = NAN;
    records[5].wNumTics = 65535;
    records[5].wLabelStep = 1;  // more labelled ticks than slots
    records[6].wRadius = 65535;
    records[6].nOffsetX = INT32_MIN;
    for (const KNOBINFO& record : records) {
      knobProc_(knob.get(), KNM_SETINFO, 0, reinterpret_cast<intptr_t>(&record));
      QVERIFY(!knob->grab().isNull());
      QTest::mousePress(knob.get(), Qt::LeftButton, {}, QPoint(20, 20));
      QTest::mouseMove(knob.get(), QPoint(120, 30));
      QTest::mouseRelease(knob.get(), Qt::LeftButton, {}, QPoint(120, 30));
      KNOBINFO back;
      knobProc_(knob.get(), KNM_GETINFO, 0, reinterpret_cast<intptr_t>(&back));
      QVERIFY(back.wNumTics >= 2);
      QVERIFY(back.wLabelStep >= 1);
      QVERIFY(back.wTicsStart % 360 != back.wTicsEnd % 360);
    }
  }

  void knobDragNotifiesTheOwner() {
    auto knob = Make("Knob", {300, 300});
    knob->setProperty(kControlIdProperty, 1009);
    Notifications seen;
    auto setNotify = reinterpret_cast<void (*)(void*, TarkelNotifyFn, void*)>(
        controls_.Resolve("libknob.so", "KnobSetNotify"));
    QVERIFY(setNotify);
    setNotify(knob.get(), &Notifications::Record, &seen);
    QSignalSpy signalled(knob.get(), SIGNAL(notify(int)));

    KNOBINFO info;
    knobProc_(knob.get(), KNM_GETINFO, 0, reinterpret_cast<intptr_t>(&info));
    QPointF centre;
    double radius;
    KnobGeometry(knob.get(), info, centre, radius);
    // Pressing moves the value to the mouse without a notification.
    QTest::mousePress(knob.get(), Qt::LeftButton, {}, AtAngle(centre, radius, AngleOf(info, 1.0)).toPoint());
    QVERIFY(seen.wParams.empty());
    float value = 0;
    knobProc_(knob.get(), KNM_GETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    QVERIFY(std::fabs(value - 1.0f) < 0.05f);
    QTest::mouseMove(knob.get(), AtAngle(centre, radius, AngleOf(info, 3.0)).toPoint());
    QCOMPARE(seen.wParams.size(), size_t(1));
    QCOMPARE(seen.Code(0), KNN_CHANGING);
    QCOMPARE(seen.Id(0), 1009);
    QCOMPARE(seen.lParams[0], reinterpret_cast<intptr_t>(knob.get()));
    knobProc_(knob.get(), KNM_GETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    QVERIFY(std::fabs(value - 3.0f) < 0.05f);
    QTest::mouseRelease(knob.get(), Qt::LeftButton, {}, AtAngle(centre, radius, AngleOf(info, 3.0)).toPoint());
    QCOMPARE(seen.Code(1), KNN_RELEASED);
    QCOMPARE(signalled.count(), 2);

    // A whole-number knob lands on 2 for a drag to 2.4 and on 3 for 2.5.
    knob->setProperty(kControlStyleProperty, KNS_INTEGER);
    QTest::mousePress(knob.get(), Qt::LeftButton, {}, AtAngle(centre, 200, AngleOf(info, 2.4)).toPoint());
    knobProc_(knob.get(), KNM_GETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    QCOMPARE(value, 2.0f);
    QTest::mouseMove(knob.get(), AtAngle(centre, 200, AngleOf(info, 2.52)).toPoint());
    knobProc_(knob.get(), KNM_GETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    QCOMPARE(value, 3.0f);
    QTest::mouseRelease(knob.get(), Qt::LeftButton);
  }

  void knobTurnsWithTheArrowKeys() {
    auto knob = Make("Knob", {200, 200});
    QSignalSpy signalled(knob.get(), SIGNAL(notify(int)));
    float value = 2.0f;
    knobProc_(knob.get(), KNM_SETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    QTest::keyClick(knob.get(), Qt::Key_Right);
    knobProc_(knob.get(), KNM_GETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    QCOMPARE(value, 2.04f);
    QTest::keyClick(knob.get(), Qt::Key_Down);
    QTest::keyClick(knob.get(), Qt::Key_Down);
    knobProc_(knob.get(), KNM_GETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    QVERIFY(std::fabs(value - 1.96f) < 1e-5f);
    QTest::keyClick(knob.get(), Qt::Key_End);
    knobProc_(knob.get(), KNM_GETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    QCOMPARE(value, 4.0f);
    QCOMPARE(signalled.count(), 8);  // each key: changing, then released
  }

  void knobPaintsPointerFaceAndScale() {
    auto knob = Make("Knob", {320, 320});
    KNOBINFO info;
    knobProc_(knob.get(), KNM_GETINFO, 0, reinterpret_cast<intptr_t>(&info));
    float value = 2.0f;
    knobProc_(knob.get(), KNM_SETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    QPointF centre;
    double radius;
    KnobGeometry(knob.get(), info, centre, radius);
    const QImage image = knob->grab().toImage();
    if (qEnvironmentVariableIsSet("TARKEL_SAVE_GRABS")) image.save(qEnvironmentVariable("TARKEL_SAVE_GRABS") + "/knob.png");
    const double angle = AngleOf(info, 2.0);
    QCOMPARE(PixelAt(image, AtAngle(centre, radius - 10, angle)), QColor(255, 255, 0));
    QCOMPARE(PixelAt(image, AtAngle(centre, radius - 10, angle + 90)), QColor(192, 192, 192));
    // A long tick at the first tick's angle, black; none between two ticks.
    QVERIFY(DarkestAround(image, AtAngle(centre, radius + 17, 225)) < 140);
    QVERIFY(DarkestAround(image, AtAngle(centre, radius + 17, 225 - 12.5)) > 200);
    // The lit rim at the upper left, the shaded rim at the lower right.
    QCOMPARE(PixelAt(image, AtAngle(centre, radius - 2.5, 135)), QColor(230, 230, 230));
    QCOMPARE(PixelAt(image, AtAngle(centre, radius - 2.5, 315)), QColor(160, 160, 160));
    // Raised bevel: white top-left, grey bottom-right.
    knob->setProperty(kControlStyleProperty, KNS_RAISED);
    const QImage raised = knob->grab().toImage();
    QCOMPARE(raised.pixelColor(1, 40), QColor(255, 255, 255));
    QCOMPARE(raised.pixelColor(raised.width() - 2, 40), QColor(128, 128, 128));
  }

  void meterRecordRoundTripAndValidation() {
    auto meter = Make("Meter", {300, 60});
    METERINFO info;
    QCOMPARE(meterProc_(meter.get(), MTM_GETINFO, 0, reinterpret_cast<intptr_t>(&info)), intptr_t(0));
    QCOMPARE(info.wNumTics, uint16_t(11));
    QCOMPARE(info.nSegments, 10);
    QCOMPARE(info.fValue, 10.0f);
    info.nColors = 7;
    info.Colors[2].fThreshold = 1.5f;
    std::memset(info.szLabels, 'L', sizeof info.szLabels);  // unterminated labels
    meterProc_(meter.get(), MTM_SETINFO, 0, reinterpret_cast<intptr_t>(&info));
    METERINFO back;
    meterProc_(meter.get(), MTM_GETINFO, 0, reinterpret_cast<intptr_t>(&back));
    QCOMPARE(back.nColors, 5);
    QCOMPARE(back.Colors[2].fThreshold, 1.0f);
    QCOMPARE(std::memcmp(back.szLabels, info.szLabels, sizeof info.szLabels), 0);
    meter->setProperty(kControlStyleProperty, MTS_TICKS | MTS_RAISED);
    QVERIFY(!meter->grab().isNull());
    for (int segments : {0, -5, 100000}) {
      back.nSegments = segments;
      back.wNumTics = 1;
      meterProc_(meter.get(), MTM_SETINFO, 0, reinterpret_cast<intptr_t>(&back));
      QVERIFY(!meter->grab().isNull());
    }
  }

  void meterZonesAndColoursOnScreen() {
    auto meter = Make("Meter", {420, 60});
    meter->setProperty(kControlStyleProperty, 16 | 512);
    METERINFO info;
    std::memset(&info, 0, sizeof info);
    info.wLabelStep = 1;
    info.wLeft = 3;
    info.wTop = 3;
    info.wThickness = 8;
    info.wLength = 116;
    info.nSegments = 25;
    info.fMaxValue = 8.5f;
    info.nColors = 3;
    info.Colors[0] = {0.0f, 0x00FF00};
    info.Colors[1] = {0.56f, 0x00FFFF};
    info.Colors[2] = {0.78f, 0x0000FF};
    meterProc_(meter.get(), MTM_SETINFO, 0, reinterpret_cast<intptr_t>(&info));

    const DialogBase base = DialogBaseOf(meter->font());
    const int left = 3 * base.width / 4, middle = 3 * base.height / 8 + 8 * base.height / 16;
    const int length = 116 * base.height / 8;
    const int segment = (length - 5 * 24) / 25;
    QVERIFY(segment >= 1);
    // The colour of segment i on screen at a value.
    auto colourOf = [&](const QImage& image, int i) {
      const int end = (i + 1) * segment + 5 * i;
      return image.pixelColor(left + end - (segment + 1) / 2, middle);
    };
    auto show = [&](float value) {
      meterProc_(meter.get(), MTM_SETVALUE, 0, reinterpret_cast<intptr_t>(&value));
      return meter->grab().toImage();
    };
    const QColor green(0, 255, 0), yellow(255, 255, 0), red(255, 0, 0), unlit(128, 128, 128);
    const QImage atFive = show(5.0f);
    for (int i = 0; i < 25; ++i) {
      const double position = double((i + 1) * segment + 5 * i) / length;
      const QColor expected = position > 5.0 / 8.5 ? unlit : position > 0.56 ? yellow : green;
      QCOMPARE(colourOf(atFive, i), expected);
    }
    const QImage atMaximum = show(8.5f);
    QCOMPARE(colourOf(atMaximum, 0), green);
    QCOMPARE(colourOf(atMaximum, 24), red);
    const QImage atMinimum = show(0.0f);
    for (int i = 0; i < 25; ++i) QCOMPARE(colourOf(atMinimum, i), unlit);
    // Flat style: light grey panel, black well around the bar.
    QCOMPARE(atMinimum.pixelColor(atMinimum.width() - 3, atMinimum.height() - 3), QColor(192, 192, 192));
    QCOMPARE(atMinimum.pixelColor(left - 2, middle), QColor(0, 0, 0));
    // Without a panel style the whole meter is black.
    meter->setProperty(kControlStyleProperty, 0);
    QCOMPARE(show(0.0f).pixelColor(meter->width() - 3, meter->height() - 3), QColor(0, 0, 0));
  }

  void gaugeTakesItsScaleAndValue() {
    auto gauge = Make("Gauge", {120, 100});
    GAUGEINFO info;
    std::memset(&info, 0, sizeof info);
    std::strcpy(info.szCaption1, "VU-");
    std::strcpy(info.szCaption2, "Meter");
    info.crFace = 0xC0C0C0;
    info.fMaxValue = 8.5f;
    info.nZones = 3;
    info.Zones[0] = {5.0f, 0x008000};
    info.Zones[1] = {7.5f, 0x00FFFF};
    info.Zones[2] = {8.5f, 0x000080};
    QCOMPARE(gaugeProc_(gauge.get(), GGM_SETINFO, 0, reinterpret_cast<intptr_t>(&info)), intptr_t(0));
    GAUGEINFO back;
    QCOMPARE(gaugeProc_(gauge.get(), GGM_GETINFO, 0, reinterpret_cast<intptr_t>(&back)), intptr_t(1));
    QCOMPARE(std::memcmp(&info, &back, sizeof info), 0);
    float value = 7.0f, read = 0;
    gaugeProc_(gauge.get(), GGM_SETVALUE, 0, reinterpret_cast<intptr_t>(&value));
    gaugeProc_(gauge.get(), GGM_GETVALUE, 0, reinterpret_cast<intptr_t>(&read));
    QCOMPARE(read, 7.0f);

    const QImage image = gauge->grab().toImage();
    QCOMPARE(image.pixelColor(gauge->width() / 2, 4), QColor(192, 192, 192));
    // The zone band: dark green at the start of the scale, dark red at its end.
    const QPointF pivot(gauge->width() / 2.0, gauge->height() * 0.92);
    const double radius = std::min((gauge->width() / 2.0 - 6) / std::cos(40 * kPi / 180), pivot.y() - 8);
    const double inBand = radius - std::max(2.0, radius * 0.12) / 2;
    QCOMPARE(PixelAt(image, AtAngle(pivot, inBand, 135)), QColor(0, 128, 0));
    QCOMPARE(PixelAt(image, AtAngle(pivot, inBand, 43)), QColor(128, 0, 0));
  }

  void buttonClicksAndToggles() {
    auto button = Make("Button", {100, 30});
    button->setProperty(kControlIdProperty, 77);
    Notifications seen;
    auto setNotify = reinterpret_cast<void (*)(void*, TarkelNotifyFn, void*)>(
        controls_.Resolve("libbutton.so", "ButtonSetNotify"));
    setNotify(button.get(), &Notifications::Record, &seen);
    const char* text = "Play";
    buttonProc_(button.get(), BTM_SETTEXT, 0, reinterpret_cast<intptr_t>(text));
    QCOMPARE(button->windowTitle(), QString("Play"));
    QTest::mouseClick(button.get(), Qt::LeftButton);
    QCOMPARE(seen.wParams.size(), size_t(1));
    QCOMPARE(seen.Code(0), BTN_CLICKED);
    QCOMPARE(seen.Id(0), 77);
    // Released away from the button: no click.
    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(500, 5));
    QCOMPARE(seen.wParams.size(), size_t(1));
    button->setProperty(kControlStyleProperty, BTS_TOGGLE);
    QTest::keyClick(button.get(), Qt::Key_Space);
    QCOMPARE(buttonProc_(button.get(), BTM_GETSTATE, 0, 0), intptr_t(1));
    QTest::mouseClick(button.get(), Qt::LeftButton);
    QCOMPARE(buttonProc_(button.get(), BTM_GETSTATE, 0, 0), intptr_t(0));
  }

  void embossGivesControlsTheLook() {
    auto panel = Make("Emboss", {200, 100});
    auto* edit = new QLineEdit(panel.get());
    auto* box = new QCheckBox(QStringLiteral("Mono Lock"), panel.get());
    panel->show();
    QCoreApplication::processEvents();
    QCOMPARE(edit->style(), panel->style());
    QCOMPARE(box->style(), panel->style());
    QVERIFY(QByteArray(panel->style()->metaObject()->className()).contains("EmbossStyle"));
    QWidget dialog;
    auto* other = new QLineEdit(&dialog);
    auto emboss = reinterpret_cast<void (*)(void*)>(controls_.Resolve("libemboss.so", "EmbossWidget"));
    QVERIFY(emboss);
    emboss(&dialog);
    QCOMPARE(other->style(), panel->style());
    QVERIFY(!panel->grab().isNull());
  }
};

QTEST_MAIN(ControlWidgetTest)
#include "ControlWidgetTest.moc"
