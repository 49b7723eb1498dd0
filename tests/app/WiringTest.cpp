// The effect dialogs, the region manager and the VU window inside the main frame, over a
// transport on scripted devices: the menu's Echo applies what tarkel-cli applies with the same
// preset, Preview plays a processed copy and leaves the document alone, Play all plays the
// script's frames across two documents, the volume knobs reach the device.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <fstream>
#include <iterator>

#include "AppTestSupport.h"
#include "app/CChildFrame.h"
#include "app/CommandIds.h"
#include "app/MonitorWindows.h"
#include "app/TransportAccess.h"
#include "audio/AudioTransport.h"
#include "audio/FakeDevices.h"
#include "monitors/ui/HistogramWindow.h"
#include "monitors/ui/ScopeWindow.h"
#include "monitors/ui/VolumeControlSetup.h"
#include "monitors/ui/VolumeControlWindow.h"
#include "regions/RegionWindowModel.h"
#include "regions/ui/RegionWindow.h"
#include "view/ui/DocumentView.h"
#include "sound/WaveImage.h"
#include "support/TestPorts.h"

using namespace tarkel;
using namespace tarkel::app;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadAll(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A canonical wave file of one second of a 440 Hz sine, 16-bit stereo, 22050 Hz.
void WriteSineFile(const QString& path) {
  Bytes file(kCanonicalHeaderSize);
  for (uint32_t i = 0; i < 22050; ++i) {
    const auto s = uint16_t(int16_t(std::lround(12000 * std::sin(2 * M_PI * 440 * i / 22050.0))));
    for (int c = 0; c < 2; ++c) file.insert(file.end(), {uint8_t(s), uint8_t(s >> 8)});
  }
  WriteCanonicalHeader(file.data(), WaveFormat::Pcm(2, 22050, 16), uint32_t(file.size() - kCanonicalHeaderSize));
  std::ofstream(path.toStdString(), std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

int RunCli(const QStringList& args) {
  QString command = "'" TARKEL_CLI_PATH "'";
  for (const QString& a : args) command += " '" + a + "'";
  return std::system((command + " >/dev/null 2>&1").toStdString().c_str()) >> 8;
}

// A 16-bit stereo document whose every frame differs from its neighbours.
std::unique_ptr<CTarkelDoc> RampDocument(uint32_t frames, uint8_t seed, const std::string& title) {
  auto doc = test::MakeDocument(WaveFormat::Pcm(2, 44100, 16), frames, 0, title);
  uint8_t* data = doc->Sound().Data();
  for (uint32_t i = 0; i < frames * 4; ++i) data[i] = uint8_t(i * 7 + seed);
  return doc;
}

Bytes FramesOf(const CTarkelDoc& doc, uint32_t first, uint32_t last, uint32_t times) {
  const uint8_t* data = doc.Sound().Data();
  Bytes out;
  for (uint32_t t = 0; t < times; ++t) out.insert(out.end(), data + first * 4, data + (last + 1) * 4);
  return out;
}

// The program's transport over scripted devices, registered for the frame's windows.
struct FakeTransport {
  FakeTransport() : transport(devices) {
    transport.InstallDocumentHooks();
    SetTransport(&transport);
  }
  ~FakeTransport() { SetTransport(nullptr); }
  // Lets the device play until the transport is idle, polling as the timer does.
  void PlayOut() {
    for (int i = 0; i < 10000 && transport.Playing(); ++i) {
      if (devices.output) devices.output->Advance(300);
      transport.Poll();
    }
  }
  audio::FakeDeviceSystem devices;
  audio::AudioTransport transport;
};

// The effect dialog (or the preset name dialog over it) that is open now.
QDialog* OpenDialog() { return qobject_cast<QDialog*>(QApplication::activeModalWidget()); }

}  // namespace

class WiringTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString In() const { return dir_.filePath("in.wav"); }

 private slots:
  void initTestCase() { WriteSineFile(In()); }
  void init() { test::ClearSettings(); }

  void echoFromTheMenuAppliesWhatTheCommandLineAppliesWithThePreset() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    CChildFrame* child = f.frame->OpenFile(In());
    QVERIFY(child);
    f.frame->UpdateMenus();
    QVERIFY(f.frame->Action(cmd::kEcho)->isEnabled());
    bool seen = false;
    QTimer::singleShot(0, [&] {
      QDialog* dialog = OpenDialog();
      QVERIFY(dialog);
      seen = true;
      for (QSlider* s : dialog->findChildren<QSlider*>()) s->triggerAction(QAbstractSlider::SliderSingleStepSub);
      QTimer::singleShot(0, [] {
        QDialog* ask = OpenDialog();
        QVERIFY(ask);
        ask->findChild<QLineEdit*>("edit_1061")->setText("menu");
        ask->accept();
      });
      dialog->findChild<QPushButton*>("button_88")->click();  // Save
      dialog->findChild<QPushButton*>("button_1")->click();   // OK
    });
    f.frame->Dispatch(cmd::kSelectAll);
    f.frame->Dispatch(cmd::kEcho);
    QVERIFY(seen);
    QVERIFY(child->Document().IsModified());
    const QString ours = dir_.filePath("ours.wav"), theirs = dir_.filePath("theirs.wav");
    QVERIFY(child->Document().Save(ours.toStdString()));
    // Select All ends on an even frame, as --select does.
    const QString all = QString("0:%1").arg(child->Document().Sound().Frames() - 1);
    QCOMPARE(RunCli({In(), "--select", all, "--effect", "echo@menu", "-o", theirs}), 0);
    QVERIFY(ReadAll(ours) == ReadAll(theirs));
    QVERIFY(ReadAll(ours) != ReadAll(In()));
  }

  void previewPlaysAProcessedCopyAndLeavesTheDocument() {
    test::RecordingPorts ports;
    FakeTransport fake;
    test::FrameFixture f;
    CChildFrame* child = f.frame->OpenFile(In());
    QVERIFY(child);
    CTarkelDoc& doc = child->Document();
    const Bytes original(doc.Sound().Data(), doc.Sound().Data() + doc.Sound().DataSize());
    bool played = false;
    QTimer::singleShot(0, [&] {
      QDialog* dialog = OpenDialog();
      QVERIFY(dialog);
      auto* preview = dialog->findChild<QPushButton*>("button_1064");
      const QString idle = preview->text();
      preview->click();
      QVERIFY(fake.transport.Playing());
      QVERIFY(preview->text() != idle);  // the button stops now
      fake.PlayOut();
      // The end of playback ends the preview.
      QCOMPARE(preview->text(), idle);
      played = true;
      dialog->reject();
    });
    f.frame->Dispatch(cmd::kSelectAll);
    f.frame->Dispatch(cmd::kEcho);
    QVERIFY(played);
    // Select All ends on the last even frame: the preview is the processed copy of that range.
    const size_t selected = size_t(EvenFrame(doc.Sound().Frames() - 1) + 1) * doc.Sound().BlockAlign();
    QCOMPARE(fake.devices.playedFromBlocks.size(), selected);
    QVERIFY(fake.devices.playedFromBlocks != original);
    QVERIFY(!doc.IsModified());
    QVERIFY(!doc.CanUndo());
    QVERIFY(Bytes(doc.Sound().Data(), doc.Sound().Data() + doc.Sound().DataSize()) == original);
  }

  void playAllPlaysEveryRegionWithItsRepeatsAcrossDocuments() {
    test::RecordingPorts ports;
    FakeTransport fake;
    test::FrameFixture f;
    f.frame->CreateMonitorWindows();
    CTarkelDoc& one = f.frame->AddDocument(RampDocument(4000, 1, "one.wav"))->Document();
    CTarkelDoc& two = f.frame->AddDocument(RampDocument(3000, 99, "two.wav"))->Document();
    ui::RegionWindow* regions = f.frame->Monitors()->Regions();
    auto region = [](CTarkelDoc& doc, uint32_t start, uint32_t end, uint32_t repeats) {
      CWaveSelection r;
      r.document = &doc;
      r.name = "r";
      r.start = start;
      r.end = end;
      r.repeats = repeats;
      return r;
    };
    regions->Regions().Append(region(one, 100, 299, 2));
    regions->Regions().Append(region(one, 1000, 1099, 1));
    regions->Regions().Append(region(two, 0, 149, 3));
    regions->Regions().Append(region(one, 3950, 3999, 1));
    QVERIFY(regions->RunCommand(region_cmd::kPlayAll));
    fake.PlayOut();
    Bytes expected = FramesOf(one, 100, 299, 2);
    for (const Bytes& part : {FramesOf(one, 1000, 1099, 1), FramesOf(two, 0, 149, 3), FramesOf(one, 3950, 3999, 1)})
      expected.insert(expected.end(), part.begin(), part.end());
    QCOMPARE(fake.devices.playedFromBlocks.size(), expected.size());
    QVERIFY(fake.devices.playedFromBlocks == expected);
    QVERIFY(fake.transport.Idle());
    // The document's own repeat count is left as it was.
    QCOMPARE(one.Sound().RepeatCount(), 1u);

    // A stop command ends the whole script, not just the piece that plays.
    fake.devices.playedFromBlocks.clear();
    QVERIFY(regions->RunCommand(region_cmd::kPlayAll));
    fake.transport.Stop(nullptr);
    fake.PlayOut();
    QVERIFY(fake.transport.Idle());
    QVERIFY(fake.devices.playedFromBlocks.size() < FramesOf(one, 100, 299, 2).size());
  }

  void selectActivatesTheRegionsDocumentAndTheViewsSelectionReachesTheEdits() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    f.frame->show();
    f.frame->CreateMonitorWindows();
    CChildFrame* first = f.frame->AddDocument(RampDocument(4000, 1, "one.wav"));
    CChildFrame* second = f.frame->AddDocument(RampDocument(3000, 2, "two.wav"));
    QCOMPARE(f.frame->ActiveChild(), second);
    ui::RegionWindow* regions = f.frame->Monitors()->Regions();
    CWaveSelection r;
    r.document = &first->Document();
    r.name = "r";
    r.start = 100;
    r.end = 299;
    regions->Regions().Append(r);
    regions->SetCurrentIndex(0);
    QVERIFY(regions->RunCommand(region_cmd::kSelect));
    QCOMPARE(f.frame->ActiveChild(), first);
    const Selection& selection = first->View()->CurrentSelection();
    QCOMPARE(selection.First(), 100u);
    // The view makes both ends even, and the window's edits show its selection (in samples).
    QCOMPARE(selection.Last(first->Document().Sound()), 298u);
    QCOMPARE(regions->StartEdit()->text(), QString("100"));
    QCOMPARE(regions->EndEdit()->text(), QString("298"));
    Selection other;
    other.SetRange(10, 20);
    second->View()->SetSelection(other);  // not the active view: the edits stay
    QCOMPARE(regions->StartEdit()->text(), QString("100"));
  }

  void histogramOfTheSelectionAndScopeOptionsFromThePreferences() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    f.state.prefs.fftBlockSize = 1024;
    f.state.prefs.colorScalingMode = 2;
    f.state.prefs.highQualityScope = 0;
    f.frame->CreateMonitorWindows();
    const ui::ScopeOptions& options = f.frame->Monitors()->Scope()->Options();
    QCOMPARE(options.fftBlockSize, 1024);
    QCOMPARE(options.colorScalingMode, 2);
    QVERIFY(!options.highQuality);
    f.frame->UpdateMenus();
    QVERIFY(!f.frame->Action(cmd::kHistogram)->isEnabled());
    CChildFrame* child = f.frame->AddDocument(RampDocument(4000, 1, "one.wav"));
    Selection part;
    part.SetRange(0, 9);
    child->View()->SetSelection(part);
    f.frame->Dispatch(cmd::kHistogram);
    const auto windows = f.frame->findChildren<ui::HistogramWindow*>();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.front()->isVisible());
    QVERIFY(windows.front()->Summary(0) != windows.front()->Summary(1));
  }

  void volumeKnobsSetTheOutputDevice() {
    test::RecordingPorts ports;
    FakeTransport fake;
    test::FrameFixture f;
    QString failed;
    QVERIFY(f.state.controls.LoadLibraries(TARKEL_CONTROLS_DIR, kControlLibraryNames, failed));
    f.frame->CreateMonitorWindows();
    f.frame->Dispatch(cmd::kVuMeter);
    ui::VolumeControlWindow* vu = f.frame->Monitors()->VolumeControl();
    QVERIFY(vu->isVisible());
    QVERIFY(f.frame->Action(cmd::kVuMeter)->isChecked());
    QWidget* left = vu->Control(ui::IDC_KNOB_LEFT);
    QVERIFY(left);
    left->setFocus();
    QTest::keyClick(left, Qt::Key_Down);
    QVERIFY(fake.transport.Volume(0, false) < 0xFFFF);
    QCOMPARE(fake.transport.Volume(0, true), uint16_t(0xFFFF));
    f.frame->Dispatch(cmd::kVuMeter);
    QVERIFY(!vu->isVisible());
    QVERIFY(!f.frame->Action(cmd::kVuMeter)->isChecked());
  }
};

QTEST_MAIN(WiringTest)
#include "WiringTest.moc"
