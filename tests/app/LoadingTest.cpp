// Document windows of sounds read in the background (the text while loading, the waveform and
// the commands once read, closing while the read runs, a read that fails) and of sounds edited
// on the hard disk (title mark, no Save, Save as or Delete), with the switches that choose them.
#include <QCheckBox>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/CChildFrame.h"
#include "app/CommandIds.h"
#include "app/OpenFileDialog.h"
#include "app/PreferenceSheet.h"
#include "document/CTarkelDoc.h"
#include "fileformats/BackgroundRead.h"
#include "sound/AppContext.h"
#include "sound/MessageIds.h"
#include "support/TestPorts.h"
#include "view/ViewPreferences.h"
#include "view/ui/DocumentView.h"
#include "view/ui/WavePainter.h"

using namespace tarkel;
using namespace tarkel::app;

namespace {

constexpr int kLongWait = 120000;  // a hang guard for the worker, not a speed check

// Pixels in the band where "(Wird gerade geladen)" stands, past where "(empty)" would end, that
// are near the text colour (white on the default black; no colour of the waveform is).
int TextPixels(const QImage& picture) {
  int lit = 0;
  for (int y = 10; y < 26; ++y)
    for (int x = 60; x < 160; ++x) {
      const QColor c = picture.pixelColor(x, y);
      lit += c.red() > 150 && c.green() > 150 && c.blue() > 150;
    }
  return lit;
}

int WavePixels(const QImage& picture) {
  const QRgb wave = ColorOf(TheViewPreferences().colorChannel1).rgb();
  int lit = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) lit += picture.pixel(x, y) == wave;
  return lit;
}

// A file of `frames` frames of `format`, every sample byte `fill`, in `folder`.
QString WriteSound(const QTemporaryDir& folder, const QString& name, const WaveFormat& format, uint32_t frames,
                   uint8_t fill) {
  const QString path = folder.filePath(name);
  return test::MakeDocument(format, frames, fill)->Save(path.toStdString()) ? path : QString();
}

QImage Picture(CChildFrame& child) { return child.View()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

class LoadingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    test::ClearSettings();
    App() = AppContext{};
  }
  void cleanup() { App() = AppContext{}; }

  void windowShowsTheTextWhileLoadingThenTheWaveAndItsCommands() {
    QTemporaryDir folder;
    // 32 MiB of 16-bit mono at half scale.
    const QString path = WriteSound(folder, "long.wav", WaveFormat::Pcm(1, 22050, 16), 16u << 20, 0x3F);
    QVERIFY(!path.isEmpty());
    test::RecordingPorts ports;
    test::FrameFixture f;
    f.frame->resize(1000, 700);
    f.frame->show();
    App().loadInBackground = 1;
    CChildFrame* child = f.frame->OpenFile(path);
    QVERIFY(child);
    // The read's end comes through the event loop, so the window is still loading here.
    QVERIFY(child->Document().Sound().IsLoading());
    QCOMPARE(child->Document().Sound().Frames(), 16u << 20);
    QVERIFY(TextPixels(Picture(*child)) > 20);
    QCOMPARE(WavePixels(Picture(*child)), 0);
    for (int id : {cmd::kFileSave, cmd::kFileSaveAs, cmd::kSaveSelectedArea, cmd::kDeleteFile, cmd::kCopy,
                   cmd::kCut, cmd::kErase, cmd::kChangeLength, cmd::kNormalize, cmd::kEcho, cmd::kPlayAll,
                   cmd::kPlaySelection, cmd::kRecordAll, cmd::kPrint, cmd::kFreehand, cmd::kHistogram})
      QVERIFY2(!f.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    for (int id : {cmd::kFileOpen, cmd::kFileNew, cmd::kFileClose, cmd::kZoomIn, cmd::kSelectAll, cmd::kPreferences})
      QVERIFY2(f.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    // Accelerators go through the same states: nothing happens to the sound.
    f.frame->Dispatch(cmd::kSelectAll);
    f.frame->Dispatch(cmd::kErase);
    QVERIFY(!child->Document().IsModified());

    QTRY_VERIFY_WITH_TIMEOUT(!child->Document().Sound().IsLoading(), kLongWait);
    QTRY_VERIFY(WavePixels(Picture(*child)) > 100);
    QCOMPARE(TextPixels(Picture(*child)), 0);
    for (int id : {cmd::kFileSave, cmd::kCopy, cmd::kNormalize, cmd::kEcho, cmd::kChangeLength})
      QVERIFY2(f.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    const DocWaveAudio& sound = child->Document().Sound();
    QCOMPARE(int(sound.Data()[0]), 0x3F);
    QCOMPARE(int(sound.Data()[sound.DataSize() - 1]), 0x3F);
    QVERIFY(ports.messages.empty());
  }

  void closingTheWindowWhileLoadingStopsTheRead() {
    QTemporaryDir folder;
    const QString path = WriteSound(folder, "big.wav", WaveFormat::Pcm(2, 44100, 16), 12u << 20, 0x11);
    QVERIFY(!path.isEmpty());
    test::RecordingPorts ports;
    test::FrameFixture f;
    App().loadInBackground = 1;
    for (int round = 0; round < 3; ++round) {
      CChildFrame* child = f.frame->OpenFile(path);
      QVERIFY(child);
      QVERIFY(child->Document().Sound().IsLoading());
      QPointer<CChildFrame> gone(child);
      QVERIFY(child->close());
      QTRY_VERIFY(gone.isNull());
    }
    // Whatever the stopped reads had posted finds nothing to do.
    QTest::qWait(50);
    QVERIFY(f.frame->Children().isEmpty());
    QVERIFY(ports.messages.empty());
  }

  void aReadThatFailsSaysSoAndClosesItsWindow() {
    QTemporaryDir folder;
    test::RecordingPorts ports;
    test::FrameFixture f;
    auto doc = std::make_unique<CTarkelDoc>();
    doc->Sound().Format() = WaveFormat::Pcm(1, 8000, 8);
    doc->SetTitle("broken.wav");
    // A folder opens but cannot be read from.
    QVERIFY(StartBackgroundRead(doc->Sound(), folder.path().toStdString(), 0, 100000));
    QPointer<CChildFrame> child(f.frame->AddDocument(std::move(doc)));
    QVERIFY(child->Document().Sound().IsLoading());
    QTRY_VERIFY_WITH_TIMEOUT(child.isNull(), kLongWait);
    QCOMPARE(ports.messages, std::vector<int>{msg::kOpenFileError});
  }

  void hardDiskDocumentIsMarkedAndNeverSavedOrDeleted() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    auto doc = test::MakeDocument(WaveFormat::Pcm(2, 44100, 16), 1000, 0, "take.wav");
    doc->Sound().SetHardDisk(true);  // as the mapping of the file leaves it
    CChildFrame* child = f.frame->AddDocument(std::move(doc));
    QCOMPARE(child->windowTitle(), QString("take.wav   [HD-edit]"));
    QCOMPARE(f.frame->windowTitle(), QString("Tarkel - take.wav   [HD-edit]"));
    for (int id : {cmd::kFileSave, cmd::kFileSaveAs, cmd::kDeleteFile})
      QVERIFY2(!f.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    for (int id : {cmd::kSaveSelectedArea, cmd::kCopy, cmd::kNormalize})
      QVERIFY2(f.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    f.frame->Dispatch(cmd::kSelectAll);
    f.frame->Dispatch(cmd::kErase);
    QCOMPARE(child->windowTitle(), QString("take.wav*   [HD-edit]"));
    // TARKEL_SHOT_DIR, when set, keeps a picture of the main window.
    if (const QString shots = qEnvironmentVariable("TARKEL_SHOT_DIR"); !shots.isEmpty()) {
      f.frame->resize(900, 500);
      f.frame->show();
      QVERIFY(QTest::qWaitForWindowExposed(f.frame.get()));
      f.frame->grab().save(shots + "/hard-disk-window.png");
    }
    // The simulated document is an ordinary one again before it closes.
    child->Document().Sound().SetHardDisk(false);
    child->Document().SetModified(false);
    child->UpdateChildStatus();
    QCOMPARE(child->windowTitle(), QString("take.wav"));
    f.frame->UpdateMenus();
    QVERIFY(f.frame->Action(cmd::kFileSave)->isEnabled());
  }

  void switchesReachTheReader() {
    test::RecordingPorts ports;
    AppState state;
    // The preference page's boxes.
    {
      PreferenceSheet sheet(state);
      sheet.findChild<QCheckBox*>("check1045")->setChecked(true);
      sheet.findChild<QCheckBox*>("check1046")->setChecked(true);
      QVERIFY(sheet.Apply());
    }
    QCOMPARE(state.prefs.loadInBackground, 1);
    QCOMPARE(state.prefs.hardDiskEditing, 1);
    // The open dialog's box sets the hard-disk preference as it is clicked.
    OpenFileChoice choice;
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QCheckBox* box = nullptr;
      for (QCheckBox* b : dialog->findChildren<QCheckBox*>())
        if (b->text() == "Edit &directly on the Harddisk") box = b;
      QVERIFY(box && box->isEnabled() && !box->isChecked());
      box->click();
      dialog->reject();
    });
    AskOpenFiles(nullptr, "All (*)", choice);
    QVERIFY(choice.hardDisk);
    // A .WAV opened with the hard-disk preference is the document's own file; any other name not.
    QTemporaryDir folder;
    const QString wav = WriteSound(folder, "take.wav", WaveFormat::Pcm(1, 8000, 8), 100, 0);
    const QString voc = WriteSound(folder, "take.voc", WaveFormat::Pcm(1, 8000, 8), 100, 0);
    App().hardDiskEditing = 1;
    CTarkelDoc onDisk, inMemory;
    QVERIFY(onDisk.Open(wav.toStdString()));
    QVERIFY(inMemory.Open(voc.toStdString()));
    QVERIFY(onDisk.IsHardDisk());
    QVERIFY(!inMemory.IsHardDisk());
    App().hardDiskEditing = 0;
  }
};

QTEST_MAIN(LoadingTest)
#include "LoadingTest.moc"
