// The preference sheet's conversions and ranges, Cancel keeping chosen colours, and the settings
// store written as plain integers under the historic section and key names.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/PreferenceSheet.h"
#include "app/PreferenceValues.h"
#include "support/TestPorts.h"

using namespace tarkel;
using namespace tarkel::app;

class PreferencesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::ClearSettings(); }

  void bufferSizesAreEnteredInKByte() {
    test::RecordingPorts ports;
    AppState state;
    PreferenceSheet sheet(state);
    QCOMPARE(sheet.RecordingBuffer()->currentText(), QString("1024"));
    QCOMPARE(sheet.PlayingBuffer()->currentText(), QString("1024"));
    sheet.RecordingBuffer()->setEditText("2048");
    sheet.PlayingBuffer()->setEditText("64 kB");
    sheet.TimeSlice()->setEditText("");
    QVERIFY(sheet.Apply());
    QCOMPARE(state.prefs.playBufferSize, 2097152);
    QCOMPARE(state.prefs.recordBufferSize, 65536);
    QCOMPARE(state.prefs.globalTimeSliceMs, 0);
    QCOMPARE(sheet.TimeSlice()->lineEdit()->maxLength(), 4);
  }

  void leadInTimeOutsideItsRangeIsRefused() {
    test::RecordingPorts ports;
    AppState state;
    PreferenceSheet sheet(state);
    sheet.LeadIn()->setText("61");
    sheet.RecordingBuffer()->setEditText("4096");
    QVERIFY(!sheet.Apply());
    QCOMPARE(ports.texts.size(), size_t(1));
    QCOMPARE(state.prefs.startEndPlaySeconds, 2);
    QCOMPARE(state.prefs.playBufferSize, 1048576);
    QCOMPARE(sheet.Pages()->currentIndex(), 4);
    sheet.LeadIn()->setText("60");
    QVERIFY(sheet.Apply());
    QCOMPARE(state.prefs.startEndPlaySeconds, 60);
  }

  void cancelKeepsTheChosenColour() {
    test::RecordingPorts ports;
    AppState state;
    {
      PreferenceSheet sheet(state);
      sheet.ChooseColour(0, QColor(255, 0, 0));
      sheet.ChooseColour(5, QColor(0, 0, 255));
      sheet.reject();
    }
    QCOMPARE(state.prefs.colorChannel1, 0x0000FF);  // red in the low byte
    QCOMPARE(state.prefs.colorChannel2, 0xFF0000);
    // A later OK keeps it too.
    PreferenceSheet again(state);
    QVERIFY(again.Apply());
    QCOMPARE(state.prefs.colorChannel1, 0x0000FF);
  }

  void leadingDecimalIgnoresTrailingCharacters() {
    QCOMPARE(LeadingDecimal("100ms"), 100);
    QCOMPARE(LeadingDecimal("  -7x"), -7);
    QCOMPARE(LeadingDecimal(""), 0);
    QCOMPARE(LeadingDecimal("abc"), 0);
    QCOMPARE(LeadingDecimal("99999999999"), INT32_MAX);
    QCOMPARE(KBytesToBytes(50000), 51200000);
    QCOMPARE(KBytesToBytes(3000000), INT32_MAX);
  }

  void settingsRoundTripAsPlainIntegers() {
    Preferences prefs;
    prefs.playBufferSize = 2097152;
    prefs.colorChannel1 = 0xFF8000;
    prefs.barVisible[int(Bar::Edit)] = 0;
    prefs.placements[int(Placed::Main)] = {1, 0, -1, -1, -1, -1, 10, 810, 20, 620};
    AddRecentFile(prefs, "/a.wav");
    AddRecentFile(prefs, "/b.wav");
    AddRecentFile(prefs, "/a.wav");
    {
      QSettings store("Brannick", "Tarkel");
      SaveFrameState(store, prefs);
      SavePreferences(store, prefs);
    }
    QSettings store("Brannick", "Tarkel");
    const Preferences back = LoadPreferences(store);
    QCOMPARE(back.firstTime, 99);
    QCOMPARE(back.playBufferSize, 2097152);
    QCOMPARE(back.barVisible[int(Bar::Edit)], 0);
    QCOMPARE(back.placements[int(Placed::Main)].right, 810);
    QCOMPARE(back.recentFiles, (QStringList{"/a.wav", "/b.wav"}));
    QFile file(store.fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("[Display_Preferences]"));
    QVERIFY(text.contains("Color_channel_1=16744448\n"));
    QVERIFY(text.contains("PlayBufferSize=2097152\n"));
    QVERIFY(text.contains("[MCI-Syncronizer_WindowPlacement]"));
    QVERIFY(text.contains("wp.ptMinPosition.x=-1\n"));
    QVERIFY(text.contains("TOOLSBarVisible=1\n"));
  }

  void missingOrDamagedKeysTakeTheirDefaults() {
    QSettings store("Brannick", "Tarkel");
    store.setValue("Generic_Preferences/GlobalTimeSlice_ms", "fast");
    store.setValue("Generic_Preferences/SampleUnit", "2");
    const Preferences p = LoadPreferences(store);
    QCOMPARE(p.globalTimeSliceMs, 80);
    QCOMPARE(p.sampleUnit, 2);
    QCOMPARE(p.colorSelectedArea, 65280);
    QVERIFY(p.IsFirstRun());
  }
};

QTEST_MAIN(PreferencesTest)
#include "PreferencesTest.moc"
