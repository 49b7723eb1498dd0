// The device sheet, offscreen: the lines, the rate lists, the feature boxes, OK and Cancel.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "audio/AudioTransport.h"
#include "audio/FakeDevices.h"
#include "audio/ui/DeviceSheet.h"

using namespace tarkel::audio;

static FakeScript TwoOutputsOneInput() {
  FakeScript script;
  script.outputs = 2;
  script.inputs = 1;
  return script;
}

class DeviceSheetTest : public QObject {
  Q_OBJECT

  static QStringList Lines(QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }

  // Runs `act` on the sheet once it is shown modally, then presses OK or Cancel.
  static void WhenShown(std::function<void(DeviceSheet&)> act, bool ok) {
    QTimer::singleShot(0, [act, ok] {
      auto* sheet = qobject_cast<DeviceSheet*>(QApplication::activeModalWidget());
      QVERIFY(sheet);
      act(*sheet);
      auto* buttons = sheet->findChild<QDialogButtonBox*>();
      buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
  }

 private slots:
  void listsEveryDeviceWithTheDefaultDeviceLast() {
    FakeDeviceSystem devices(TwoOutputsOneInput());
    DeviceSheet sheet(devices);
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Device-Selection"));
    QCOMPARE(sheet.Tabs()->tabText(0), QStringLiteral("Play"));
    QCOMPARE(sheet.Tabs()->tabText(1), QStringLiteral("Record"));
    QCOMPARE(Lines(sheet.PlayPage().DeviceList()),
             QStringList({"Fake output 0", "Fake output 1", "Default device"}));
    QCOMPARE(Lines(sheet.RecordPage().DeviceList()), QStringList({"Fake input 0", "Default device"}));
    QVERIFY(!sheet.RecordPage().Feature(0));
  }

  void showsTheRatesAndFeaturesOfTheSelectedDevice() {
    FakeScript script = TwoOutputsOneInput();
    script.outputFormats = {0xFFF, fmt::k4S16};
    FakeDeviceSystem devices(script);
    DeviceSheet sheet(devices);
    DevicePage& page = sheet.PlayPage();
    QCOMPARE(Lines(page.FormatList(0)), QStringList({"11kHz", "22kHz", "44kHz"}));
    page.DeviceList()->setCurrentRow(1);  // takes only 16-bit stereo at 44 kHz
    QCOMPARE(page.GetDevice(), 1u);
    QCOMPARE(Lines(page.FormatList(0)), QStringList());
    QCOMPARE(Lines(page.FormatList(1)), QStringList());
    QCOMPARE(Lines(page.FormatList(2)), QStringList());
    QCOMPARE(Lines(page.FormatList(3)), QStringList({"44kHz"}));
    QVERIFY(!page.Feature(0)->isChecked());  // pitch
    QVERIFY(page.Feature(2)->isChecked());   // volume
    QVERIFY(page.Feature(3)->isChecked());   // balance
    QVERIFY(!page.Feature(2)->isEnabled());
    page.SetDevice(7);  // not a line: nothing changes
    QCOMPARE(page.GetDevice(), 1u);
  }

  void okTakesTheNumbersAndCancelKeepsThem() {
    FakeDeviceSystem devices(TwoOutputsOneInput());
    AudioTransport transport(devices);
    QCOMPARE(transport.OutputDevice(), 0u);  // both 0 at start
    QCOMPARE(transport.InputDevice(), 0u);
    WhenShown([](DeviceSheet& s) {
      s.PlayPage().DeviceList()->setCurrentRow(2);
      s.RecordPage().DeviceList()->setCurrentRow(1);
    }, true);
    QVERIFY(SelectSoundDevices(transport, nullptr));
    QCOMPARE(transport.OutputDevice(), 2u);
    QCOMPARE(transport.InputDevice(), 1u);

    WhenShown([](DeviceSheet& s) {
      QCOMPARE(s.PlayPage().DeviceList()->currentRow(), 2);  // the sheet opens on the numbers in use
      s.PlayPage().DeviceList()->setCurrentRow(0);
      s.RecordPage().DeviceList()->setCurrentRow(0);
    }, false);
    QVERIFY(!SelectSoundDevices(transport, nullptr));
    QCOMPARE(transport.OutputDevice(), 2u);
    QCOMPARE(transport.InputDevice(), 1u);
  }

  void looksLikeASheet() {
    FakeDeviceSystem devices(TwoOutputsOneInput());
    DeviceSheet sheet(devices);
    sheet.resize(560, 360);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    const QImage shot = sheet.grab().toImage();
    if (const char* dir = qgetenv("TARKEL_SHOT_DIR").constData(); dir && *dir)
      shot.save(QString::fromLocal8Bit(dir) + "/device-sheet.png");
    // The device list is drawn: its area is not one flat colour.
    const QRect list = sheet.PlayPage().DeviceList()->geometry().translated(sheet.PlayPage().mapTo(&sheet, QPoint()));
    const QImage area = shot.copy(list);
    bool varied = false;
    for (int y = 0; y < area.height() && !varied; ++y)
      for (int x = 0; x < area.width() && !varied; ++x) varied = area.pixel(x, y) != area.pixel(0, 0);
    QVERIFY(varied);
  }
};

QTEST_MAIN(DeviceSheetTest)
#include "DeviceSheetTest.moc"
