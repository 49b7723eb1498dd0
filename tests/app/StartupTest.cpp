// Start-up: the control libraries in order with the failure text, the first run and the next,
// the bars' visibility across runs, files from the command line.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/CChildFrame.h"
#include "app/CTarkelApp.h"
#include "app/CommandIds.h"
#include "app/MonitorWindows.h"
#include "support/TestPorts.h"

using namespace tarkel;
using namespace tarkel::app;

namespace {

// The program started with the control libraries of the build, its messages recorded.
struct Started {
  Started() {
    StartOptions options;
    options.libraryFolder = TARKEL_CONTROLS_DIR;
    options.installPorts = false;
    ok = app.InitInstance(options);
  }
  CMainFrame& Frame() { return *app.MainFrame(); }
  test::RecordingPorts ports;
  CTarkelApp app;
  bool ok = false;
};

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private:
  static StartOptions Options(const QString& folder = TARKEL_CONTROLS_DIR) {
    StartOptions options;
    options.libraryFolder = folder;
    options.installPorts = false;
    return options;
  }

 private slots:
  void init() { test::ClearSettings(); }

  void missingLibraryStopsTheStartWithItsName() {
    // libgauge.so loads, libknob.so is missing, libmeter.so is never tried; the file named on
    // the command line is not opened because its step comes later.
    QTemporaryDir folder;
    QVERIFY(QFile::copy(QString(TARKEL_CONTROLS_DIR) + "/libgauge.so", folder.filePath("libgauge.so")));
    QVERIFY(QFile::copy(QString(TARKEL_CONTROLS_DIR) + "/libmeter.so", folder.filePath("libmeter.so")));
    test::RecordingPorts ports;
    CTarkelApp app;
    StartOptions options = Options(folder.path());
    options.files << folder.filePath("never-opened.wav");
    QVERIFY(!app.InitInstance(options));
    QCOMPARE(ports.texts, std::vector<std::string>{"libknob.so cannto be opend!"});
    QVERIFY(ports.messages.empty());
    QCOMPARE(app.State().controls.Loaded(), QStringList{"libgauge.so"});
    QVERIFY(app.State().controls.Has("Gauge"));
    QVERIFY(!app.State().controls.Has("Meter"));
    QVERIFY(app.MainFrame() == nullptr);
  }

  void everyLibraryRegistersItsClass() {
    Started started;
    QVERIFY(started.ok);
    const ControlRegistry& controls = started.app.State().controls;
    QCOMPARE(controls.Loaded(), (QStringList{"libgauge.so", "libknob.so", "libmeter.so"}));
    for (const char* name : {"Gauge", "Knob", "Meter"}) QVERIFY(controls.Has(name));
    QVERIFY(started.ports.texts.empty());
  }

  void firstRunShowsTheMonitorsAndTheNextRunOnlyTheChosenOnes() {
    {
      Started started;
      QVERIFY(started.ok);
      CMainFrame& frame = started.Frame();
      for (Placed w : {Placed::SelectionManager, Placed::VolumeControl, Placed::Scope})
        QVERIFY(frame.Monitor(w)->isVisible());
      frame.Monitor(Placed::Scope)->hide();
      QVERIFY(frame.close());
    }
    QSettings store("Brannick", "Tarkel");
    QCOMPARE(store.value("Generic_Preferences/FirstTime").toInt(), 99);
    QCOMPARE(store.value("Generic_Preferences/ScopeWindowVisible").toInt(), 0);
    QCOMPARE(store.value("Generic_Preferences/VolumeControlWindowVisible").toInt(), 1);
    {
      Started started;
      QVERIFY(started.ok);
      CMainFrame& frame = started.Frame();
      QVERIFY(!frame.Monitor(Placed::Scope)->isVisible());
      QVERIFY(frame.Monitor(Placed::VolumeControl)->isVisible());
      QVERIFY(frame.Monitor(Placed::SelectionManager)->isVisible());
    }
  }

  void hiddenBarStaysHiddenButTheZoomBarShowsAtEveryStart() {
    {
      Started started;
      QVERIFY(started.ok);
      CMainFrame& frame = started.Frame();
      frame.Dispatch(cmd::kEditBar);
      frame.Dispatch(cmd::kZoomBar);
      QVERIFY(frame.ToolBar(Bar::Edit)->isHidden());
      QVERIFY(frame.ToolBar(Bar::Zoom)->isHidden());
      QVERIFY(!frame.Action(cmd::kEditBar)->isChecked());
      QVERIFY(frame.close());
    }
    QSettings store("Brannick", "Tarkel");
    QCOMPARE(store.value("Toolbars/EditBarVisible").toInt(), 0);
    QCOMPARE(store.value("Toolbars/ZoomBarVisible").toInt(), 0);
    Started started;
    QVERIFY(started.ok);
    QVERIFY(started.Frame().ToolBar(Bar::Edit)->isHidden());
    QVERIFY(!started.Frame().ToolBar(Bar::Zoom)->isHidden());
    QVERIFY(!started.Frame().ToolBar(Bar::Effect)->isHidden());
  }

  void mainWindowPlacementIsRestored() {
    {
      Started started;
      QVERIFY(started.ok);
      started.Frame().setGeometry(40, 50, 900, 640);
      QVERIFY(started.Frame().close());
    }
    QSettings store("Brannick", "Tarkel");
    QCOMPARE(store.value("Main_WindowPlacement/wp.left").toInt(), 40);
    QCOMPARE(store.value("Main_WindowPlacement/wp.right").toInt(), 940);
    QCOMPARE(store.value("Main_WindowPlacement/wp.showCmd").toInt(), 1);
    Started started;
    QVERIFY(started.ok);
    QCOMPARE(started.Frame().geometry(), QRect(40, 50, 900, 640));
  }

  void filesOnTheCommandLineOpenAsDocuments() {
    QTemporaryDir folder;
    const QString path = folder.filePath("song.wav");
    auto doc = test::MakeDocument(WaveFormat::Pcm(1, 22050, 16), 1000, 0);
    QVERIFY(doc->Save(path.toStdString()));
    test::RecordingPorts ports;
    CTarkelApp app;
    StartOptions options = Options();
    options.files << path;
    QVERIFY(app.InitInstance(options));
    QCOMPARE(app.MainFrame()->Children().size(), 1);
    QCOMPARE(app.MainFrame()->windowTitle(), QString("Tarkel - song.wav"));
    QCOMPARE(app.MainFrame()->ActiveChild()->Document().Sound().Frames(), 1000u);
    QCOMPARE(QSettings("Brannick", "Tarkel").value("Recent File List/File1").toString(), QString());
    QVERIFY(app.MainFrame()->close());
    QCOMPARE(QSettings("Brannick", "Tarkel").value("Recent File List/File1").toString(), path);
  }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
