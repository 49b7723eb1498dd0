// The main frame and the document windows: title marks, the seven panes and their size rules,
// positions in the display units, the accelerator table, and enabled states.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/CChildFrame.h"
#include "app/ChildStatusText.h"
#include "app/CommandIds.h"
#include "app/EditDialogs.h"
#include "view/DisplayState.h"
#include "view/TimeFormat.h"
#include "app/DocumentCommands.h"
#include "app/FileFilters.h"
#include "app/OpenFileDialog.h"
#include "app/QtPorts.h"
#include "document/NoUndoWarning.h"
#include "sound/CopyAllowance.h"
#include "app/TransportWiring.h"
#include "app/ViewIntegration.h"
#include "view/ViewPreferences.h"
#include "view/ui/CTarkelView.h"
#include "audio/FakeDevices.h"
#include "sound/AppContext.h"
#include "support/TestPorts.h"

using namespace tarkel;
using namespace tarkel::app;

class FrameTest : public QObject {
  Q_OBJECT

 private slots:
  void dataSizePaneFollowsItsThreeRules_data() {
    QTest::addColumn<uint32_t>("frames");
    QTest::addColumn<QString>("text");
    QTest::newRow("9999 bytes") << 9999u << "9999Byte";
    QTest::newRow("10000 bytes") << 10000u << "9kByte";
    QTest::newRow("9999999 bytes") << 9999999u << "9765kByte";
    QTest::newRow("10000000 bytes") << 10000000u << "9MByte";
  }
  void dataSizePaneFollowsItsThreeRules() {
    QFETCH(uint32_t, frames);
    QFETCH(QString, text);
    test::FrameFixture f;
    CChildFrame* child = f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 8), frames, 128));
    QCOMPARE(child->PaneText(3), text);
  }

  void panesShowFormatAndPositions() {
    test::FrameFixture f;
    TheDisplayState().SetUnit(DisplayUnit::Samples);
    CChildFrame* child = f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(2, 44100, 16), 44100));
    QCOMPARE(child->PaneText(6), QString("0"));  // the view starts with its cursor at the start
    f.frame->Dispatch(cmd::kSelectAll);
    // Selections end on an even frame: all of 44100 frames is 0..44098.
    const QStringList expected = {"44100Hz", "Stereo", "16bit", "172kByte", "0", "44100", "44098"};
    for (int i = 0; i < kChildPaneCount; ++i) QCOMPARE(child->PaneText(i), expected[i]);
    f.frame->Dispatch(cmd::kUnitSmpte);
    QCOMPARE(child->PaneText(5), QString("00:00:01.00"));
    QVERIFY(f.frame->Action(cmd::kUnitSmpte)->isChecked());
    QVERIFY(!f.frame->Action(cmd::kUnitSamples)->isChecked());
  }

  void positionsInEachUnit() {
    const WaveFormat mono = WaveFormat::Pcm(1, 22050, 8);
    QCOMPARE(PanePositionText(22050, DisplayUnit::Seconds, 25, mono), std::string("1"));
    // Exact counts: whole seconds read whole (no millisecond lost to a single-precision factor).
    QCOMPARE(PanePositionText(22050, DisplayUnit::Milliseconds, 25, mono), std::string("1000"));
    const WaveFormat stereo = WaveFormat::Pcm(2, 44100, 16);
    QCOMPARE(PanePositionText(44100, DisplayUnit::Smpte, 25, stereo), std::string("00:00:01.00"));
    QCOMPARE(PanePositionText(88200, DisplayUnit::Smpte, 25, stereo), std::string("00:00:02.00"));
    QCOMPARE(PanePositionText(65268, DisplayUnit::Smpte, 25, stereo), std::string("00:00:01.12"));
    QCOMPARE(PanePositionText(1000, DisplayUnit::Bytes, 25, stereo), std::string("4000"));
    QCOMPARE(PanePositionText(1000, DisplayUnit::Beats, 25, stereo), std::string("n/a"));
    QCOMPARE(PanePositionText(44100, DisplayUnit::Frames, 25, stereo), std::string("25"));
  }

  void textInEachUnitReadsAsFrames() {
    const WaveFormat stereo = WaveFormat::Pcm(2, 44100, 16);
    // The length dialog reads typed text through the shared time format.
    TimeFormat time;
    time.SetFormat(stereo);
    time.SetFrameRate(25);
    QCOMPARE(time.Parse(DisplayUnit::Smpte, "00:00:01.12"), std::optional<uint32_t>(65268));
    QCOMPARE(time.Parse(DisplayUnit::Smpte, "01:00:00.00"), std::optional<uint32_t>(3600u * 44100));
    QCOMPARE(time.Parse(DisplayUnit::Seconds, "1.5"), std::optional<uint32_t>(66150));
    QCOMPARE(time.Parse(DisplayUnit::Milliseconds, "1000"), std::optional<uint32_t>(44100));
    QCOMPARE(time.Parse(DisplayUnit::Frames, "25"), std::optional<uint32_t>(44100));
    QVERIFY(!time.Parse(DisplayUnit::Samples, "abc"));
    QVERIFY(!time.Parse(DisplayUnit::Beats, "12"));
  }

  void changeLengthDialogShowsTheDisplayUnit() {
    const WaveFormat mono = WaveFormat::Pcm(1, 44100, 16);
    // Untouched, a switch of unit and OK give the proposal back exactly.
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QCOMPARE(dialog->findChild<QLineEdit*>("edit1054")->text(), QString("00:00:15.00"));
      dialog->findChild<QComboBox*>("combo1057")->setCurrentIndex(int(DisplayUnit::Samples));
      QCOMPARE(dialog->findChild<QLineEdit*>("edit1054")->text(), QString("661500"));
      dialog->accept();
    });
    QCOMPARE(AskLength(nullptr, "Change Sample Length", mono, DisplayUnit::Smpte, 25, 661500), std::optional<uint32_t>(661500));
    // Typed text is read in the unit shown.
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QTest::keyClick(dialog->findChild<QLineEdit*>("edit1054"), Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(dialog->findChild<QLineEdit*>("edit1054"), "2.5");
      dialog->accept();
    });
    QCOMPARE(AskLength(nullptr, "Insert Silence", mono, DisplayUnit::Seconds, 25, 10), std::optional<uint32_t>(110250));
  }

  void titleCarriesModifiedAndHardDiskMarks() {
    QTemporaryDir folder;
    const QString path = folder.filePath("song.wav");
    QVERIFY(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 5000)->Save(path.toStdString()));
    test::RecordingPorts ports;
    App().hardDiskEditing = 1;
    auto doc = std::make_unique<CTarkelDoc>();
    const bool opened = doc->Open(path.toStdString());
    App().hardDiskEditing = 0;
    QVERIFY(opened);
    // The sound as the file's mapping leaves it (so already once the file is mapped).
    doc->Sound().SetHardDisk(true);
    test::FrameFixture f;
    CChildFrame* child = f.frame->AddDocument(std::move(doc));
    QCOMPARE(child->windowTitle(), QString("song.wav   [HD-edit]"));
    child->Document().SetModified(true);
    child->UpdateChildStatus();
    QCOMPARE(child->windowTitle(), QString("song.wav*   [HD-edit]"));
    f.frame->RefreshTitle();
    QCOMPARE(f.frame->windowTitle(), QString("Tarkel - song.wav*   [HD-edit]"));
    // A hard-disk document is never offered for Save.
    f.frame->UpdateMenus();
    QVERIFY(!f.frame->Action(cmd::kFileSave)->isEnabled());
  }

  void editMarksTheTitleAndUndoIsOffered() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    CChildFrame* child = f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1001, 7));
    QCOMPARE(f.frame->windowTitle(), QString("Tarkel - song.wav"));
    QVERIFY(!f.frame->Action(cmd::kUndo)->isEnabled());
    f.frame->Dispatch(cmd::kSelectAll);
    f.frame->Dispatch(cmd::kErase);
    QCOMPARE(child->windowTitle(), QString("song.wav*"));
    QCOMPARE(f.frame->windowTitle(), QString("Tarkel - song.wav*"));
    QVERIFY(f.frame->Action(cmd::kUndo)->isEnabled());
    QCOMPARE(int(child->Document().Sound().Data()[100]), 0);
    f.frame->Dispatch(cmd::kUndo);
    QCOMPARE(int(child->Document().Sound().Data()[100]), 7);
    QVERIFY(ports.messages.empty());
  }

  void acceleratorTableIsExact_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("id");
    const std::pair<const char*, int> table[] = {
        {"+", 32810},           {"-", 32812},           {"Ctrl+A", 57642},      {"Shift+A", 32811},
        {"Ctrl+C", 57634},      {"Shift+H", 5200},      {"Ctrl+L", 32824},      {"Ctrl+M", 32916},
        {"Ctrl+N", 57600},      {"Ctrl+O", 57601},      {"Ctrl+P", 57607},      {"Shift+P", 32816},
        {"Ctrl+Q", 32971},      {"R", 32819},           {"Shift+R", 32822},     {"Ctrl+S", 57603},
        {"Shift+S", 32817},     {"Ctrl+T", 32826},      {"Ctrl+U", 57604},      {"Ctrl+V", 57637},
        {"Del", 32814},         {"Ctrl+Del", 32815},    {"Down", 32923},        {"Shift+Down", 32924},
        {"F1", 57670},          {"Shift+F1", 57669},    {"Alt+F4", 57665},      {"F6", 57680},
        {"Shift+F6", 57681},    {"Ins", 32831},         {"Left", 32921},        {"Shift+Left", 32922},
        {"Right", 32917},       {"Shift+Right", 32918}, {"Space", 32818},       {"Up", 32919},
        {"Shift+Up", 32920},    {"Ctrl+X", 57635},      {"Ctrl+Z", 57643},
    };
    for (auto [keys, id] : table) QTest::newRow(keys) << QString(keys) << id;
  }
  void acceleratorTableIsExact() {
    QFETCH(QString, keys);
    QFETCH(int, id);
    test::FrameFixture f;
    int carriers = 0;
    for (QAction* action : f.frame->actions())
      if (action->shortcut() == QKeySequence(keys)) {
        ++carriers;
        QCOMPARE(action->data().toInt(), id);
      }
    QCOMPARE(carriers, 1);
  }

  void closeCommandsCloseDocumentsAndAskForModifiedOnes() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1001, 0, "a.wav"));
    f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1001, 0, "b.wav"));
    f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1001, 0, "c.wav"));
    f.frame->Dispatch(cmd::kFileClose);
    QCOMPARE(f.frame->Children().size(), 2);
    QCOMPARE(f.frame->windowTitle(), QString("Tarkel - b.wav"));
    f.frame->Dispatch(cmd::kCloseAll);
    QVERIFY(f.frame->Children().isEmpty());
    QCOMPARE(f.frame->windowTitle(), QString("Tarkel"));
    f.frame->UpdateMenus();
    QVERIFY(!f.frame->Action(cmd::kCloseAll)->isEnabled());
  }

  void droppedFilesOpen() {
    QTemporaryDir folder;
    const QString path = folder.filePath("dropped.wav");
    QVERIFY(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 500)->Save(path.toStdString()));
    test::RecordingPorts ports;
    test::FrameFixture f;
    QVERIFY(f.frame->acceptDrops());
    f.frame->OpenDroppedFiles({QUrl::fromLocalFile(path), QUrl("https://example.org/x.wav")});
    QCOMPARE(f.frame->Children().size(), 1);
    QCOMPARE(f.frame->windowTitle(), QString("Tarkel - dropped.wav"));
  }

  void disableUndoTakesNoRecords() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1001, 7));
    f.frame->Dispatch(cmd::kDisableUndo);
    QVERIFY(f.frame->Action(cmd::kDisableUndo)->isChecked());
    f.frame->Dispatch(cmd::kErase);
    QVERIFY(!f.frame->Action(cmd::kUndo)->isEnabled());
    f.frame->Dispatch(cmd::kDisableUndo);
    QVERIFY(!f.frame->Action(cmd::kDisableUndo)->isChecked());
    f.frame->Dispatch(cmd::kErase);
    QVERIFY(f.frame->Action(cmd::kUndo)->isEnabled());
  }

  // Without the memory for the undo copy the desktop asks in a message box before it changes
  // anything; No keeps the sound, Yes changes it with nothing to undo.
  void noMemoryForUndoIsAskedInAMessageBox() {
    test::FrameFixture f;
    QtUserInterface ui;
    const Ports previous = SetPorts({&ui, nullptr, nullptr, nullptr});
    CChildFrame* child = f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1001, 7));
    CopyCeiling noMemory(10);
    for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
      QString asked;
      QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        asked = box->text();
        box->button(button)->click();
      });
      f.frame->Dispatch(cmd::kSelectAll);
      f.frame->Dispatch(cmd::kErase);
      QCOMPARE(asked, QString(kNoUndoQuestion));
      QCOMPARE(int(child->Document().Sound().Data()[100]), button == QMessageBox::No ? 7 : 0);
      QVERIFY(!f.frame->Action(cmd::kUndo)->isEnabled());
    }
    SetPorts(previous);
  }

  void periodicTimerRedrawsThePlayMarker() {
    struct HintCounter final : DocumentObserver {
      int positions = 0;
      void OnDocumentUpdate(CTarkelDoc&, uint32_t hint) override { positions += hint == hint::kPosition; }
    } counter;
    test::FrameFixture f;
    auto fake = std::make_unique<audio::FakeDeviceSystem>();
    audio::FakeDeviceSystem& devices = *fake;
    TransportWiring wiring(std::move(fake), f.state.prefs);
    wiring.Attach(*f.frame);
    CChildFrame* child = f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 22050, 7));
    CTarkelDoc& doc = child->Document();
    doc.AddObserver(&counter);
    int ticks = 0;
    connect(f.frame.get(), &CMainFrame::periodicTick, this, [&ticks] { ++ticks; });
    QTRY_VERIFY(ticks >= 2);
    QCOMPARE(counter.positions, 0);  // nothing plays
    QVERIFY(f.frame->Action(cmd::kPlayAll)->isEnabled());
    QVERIFY(!f.frame->Action(cmd::kStop)->isEnabled());
    f.frame->Dispatch(cmd::kPlayAll);
    QVERIFY(wiring.Transport().Playing());
    // The buttons follow the transport: stop and pause now, no loop while playing.
    QVERIFY(f.frame->Action(cmd::kStop)->isEnabled());
    QVERIFY(f.frame->Action(cmd::kPause)->isEnabled());
    QVERIFY(!f.frame->Action(cmd::kPlayLoop)->isEnabled());
    QTRY_VERIFY(counter.positions >= 2);
    // The position pane and the marker follow the frames the device has played.
    devices.output->Advance(11025);
    QCOMPARE(CurrentPlayFrame(doc), 11025u);
    TheDisplayState().SetUnit(DisplayUnit::Samples);
    QTRY_COMPARE(child->PaneText(4), QString("11025"));
    f.frame->Dispatch(cmd::kPause);
    QVERIFY(f.frame->Action(cmd::kPause)->isChecked());
    f.frame->Dispatch(cmd::kStop);
    QVERIFY(wiring.Transport().Idle());
    QVERIFY(!f.frame->Action(cmd::kStop)->isEnabled());
    QCOMPARE(child->PaneText(4), QString("0"));
    doc.RemoveObserver(&counter);
  }

  void settingsReachTheViewAndComeBack() {
    Preferences p;
    p.colorChannel1 = 0x0000FF;  // stored with red in the low byte
    p.colorSampleBackground = 0x102030;
    p.sampleUnit = int32_t(DisplayUnit::Milliseconds);
    p.autoSnapToZero = 0;
    ApplyPreferencesToView(p);
    QCOMPARE(TheViewPreferences().colorChannel1, 0xFF0000u);
    QCOMPARE(TheViewPreferences().colorSampleBackground, 0x302010u);
    QCOMPARE(TheDisplayState().Unit(), DisplayUnit::Milliseconds);
    // The view's own commands change them; what is written back is what the view holds.
    test::FrameFixture f;
    f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1001));
    f.frame->Dispatch(cmd::kUnitBytes);
    f.frame->Dispatch(cmd::kSnapToZero);
    QVERIFY(f.frame->Action(cmd::kUnitBytes)->isChecked());
    QVERIFY(f.frame->Action(cmd::kSnapToZero)->isChecked());
    Preferences back;
    ReadPreferencesFromView(back);
    QCOMPARE(back.sampleUnit, int32_t(DisplayUnit::Bytes));
    QCOMPARE(back.autoSnapToZero, 1);
    // Without a document the frame switches the same unit.
    f.frame->Dispatch(cmd::kFileClose);
    QTRY_VERIFY(f.frame->Children().isEmpty());
    f.frame->Dispatch(cmd::kUnitSeconds);
    QCOMPARE(TheDisplayState().Unit(), DisplayUnit::Seconds);
    ApplyPreferencesToView(Preferences());
  }

  void contextMenuCommandsRunThroughTheFrame() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    CChildFrame* child = f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1001, 7));
    auto* view = dynamic_cast<CTarkelView*>(child->View());
    QVERIFY(view && view->commandRequested);
    f.frame->Dispatch(cmd::kSelectAll);
    view->commandRequested(cmd::kErase);
    QCOMPARE(child->windowTitle(), QString("song.wav*"));
    view->commandRequested(cmd::kUndo);
    QCOMPARE(int(child->Document().Sound().Data()[100]), 7);
  }

  void anEditStopsThePlayingDocumentFirst() {
    test::FrameFixture f;
    TransportWiring wiring(std::make_unique<audio::FakeDeviceSystem>(), f.state.prefs);
    wiring.Attach(*f.frame);
    f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 22050, 7));
    f.frame->Dispatch(cmd::kSelectAll);
    f.frame->Dispatch(cmd::kPlaySelection);
    QVERIFY(wiring.Transport().Playing());
    f.frame->Dispatch(cmd::kCopy);
    QVERIFY(wiring.Transport().Playing());
    f.frame->Dispatch(cmd::kCut);
    QVERIFY(wiring.Transport().Idle());
  }

  void fileDialogFilters() {
    const QStringList open = OpenFileFilter().split(";;");
    QCOMPARE(open.size(), 14);
    QCOMPARE(open[10], QString("MS-WAVE-RIFF (*.WAV) (*.wav *.WAV)"));
    QCOMPARE(open[6], QString("Mac SND (*.SND) (*.snd *.SND)"));
    QCOMPARE(open[13], QString("Alle Dateien   (*.*) (*)"));
    QCOMPARE(SampleFileFilter(), QString("Sample-Files (*.wav;*.voc) (*.wav *.WAV *.voc *.VOC)"));
    QCOMPARE(WithDefaultSuffix("/x/song", "wav"), QString("/x/song.wav"));
    QCOMPARE(WithDefaultSuffix("/x.d/song.voc", "wav"), QString("/x.d/song.voc"));
    QVERIFY(IsWaveName("/a/B.Wav"));
    QVERIFY(!IsWaveName("/a.wav.d/x.voc"));
  }

  void commandsWithoutTheirWindowsAreDisabled() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    f.frame->UpdateMenus();
    QVERIFY(f.frame->Action(cmd::kFileNew)->isEnabled());
    QVERIFY(!f.frame->Action(cmd::kFileSave)->isEnabled());
    QVERIFY(!f.frame->Action(cmd::kPaste)->isEnabled());
    f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1001));
    for (int id : {cmd::kPlayAll, cmd::kRecordSelection, cmd::kPreviewCut, cmd::kSwapChannels})
      QVERIFY2(!f.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    for (int id : {cmd::kSelectAll, cmd::kCopy, cmd::kNormalize, cmd::kFileSave, cmd::kTrim, cmd::kEcho})
      QVERIFY2(f.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    // The accelerator of a disabled command does nothing.
    f.frame->Dispatch(cmd::kPaste);
    QVERIFY(ports.messages.empty());
  }
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
