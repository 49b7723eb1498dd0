// Document commands through the main frame: New cancelled and accepted, Paste New, the
// progress window's Cancel half-way through a long effect, the clipboard's MIME types.
#include <QApplication>
#include <QComboBox>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/CChildFrame.h"
#include "app/CommandIds.h"
#include "app/FormatChoiceDialog.h"
#include "app/QtPorts.h"
#include "document/DocumentHooks.h"
#include "support/TestPorts.h"

using namespace tarkel;
using namespace tarkel::app;

namespace {

// The change-length dialog answered with the proposal.
struct LengthAsProposed {
  LengthAsProposed() : previous(TheDocumentHooks().askLength) {
    TheDocumentHooks().askLength = [](CTarkelDoc&, uint32_t proposed) { return std::optional<uint32_t>(proposed); };
  }
  ~LengthAsProposed() { TheDocumentHooks().askLength = previous; }
  std::function<std::optional<uint32_t>(CTarkelDoc&, uint32_t)> previous;
};

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void newCancelledLeavesNoDocumentAndNoMessage() {
    test::RecordingPorts ports;
    ports.chooserResult = kChooseCancel;
    test::FrameFixture f;
    f.frame->Dispatch(cmd::kFileNew);
    QVERIFY(f.frame->Children().isEmpty());
    QVERIFY(ports.messages.empty());
    QVERIFY(ports.texts.empty());
    QCOMPARE(ports.chooserTitles, std::vector<std::string>{"Create new sample"});
  }

  void newWithTheProposalsHoldsThirtySecondsOfSilence() {
    test::RecordingPorts ports;
    ports.chooserResult = kChooseOk;
    ports.chosenFormat = WaveFormat::Pcm(1, 22050, 8);
    test::FrameFixture f;
    LengthAsProposed length;
    f.frame->Dispatch(cmd::kFileNew);
    QCOMPARE(f.frame->Children().size(), 1);
    const DocWaveAudio& sound = f.frame->ActiveChild()->Document().Sound();
    QCOMPARE(sound.DataSize(), 661500u);
    QVERIFY(std::all_of(sound.Data(), sound.Data() + sound.DataSize(), [](uint8_t b) { return b == 127; }));
    QVERIFY(f.frame->windowTitle().startsWith("Tarkel - Tarkel"));
  }

  void pasteNewMakesADocumentFromTheClipboard() {
    test::RecordingPorts ports;
    test::FrameFixture f;
    CChildFrame* source = f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(2, 44100, 16), 3001, 9));
    f.frame->Dispatch(cmd::kSelectAll);
    f.frame->UpdateMenus();
    QVERIFY(!f.frame->Action(cmd::kPasteNew)->isEnabled());
    f.frame->Dispatch(cmd::kCopy);
    QVERIFY(!ports.clipboard.empty());
    QVERIFY(f.frame->Action(cmd::kPasteNew)->isEnabled());
    f.frame->Dispatch(cmd::kPasteNew);
    QCOMPARE(f.frame->Children().size(), 2);
    CChildFrame* made = f.frame->ActiveChild();
    QVERIFY(made != source);
    const DocWaveAudio& sound = made->Document().Sound();
    QCOMPARE(sound.Frames(), 3001u);
    QCOMPARE(sound.Channels(), uint16_t(2));
    QCOMPARE(int(sound.Data()[4000]), 9);
    QVERIFY(ports.chooserTitles.empty());
    QVERIFY(ports.messages.empty());
  }

  void progressCancelStopsAnEffectHalfWay() {
    // PC <> Amiga flips every 8-bit sample; Cancel pressed in the real progress window once the
    // bar reaches half leaves the first part flipped and the rest as it was.
    test::RecordingPorts recording;
    QtProgress progress;
    Ports ports = CurrentPorts();
    ports.progress = &progress;
    const Ports previous = SetPorts(ports);
    int pressedAt = -1;
    connect(&progress, &QtProgress::opened, this, [&](ProgressWindow* window) {
      connect(window, &ProgressWindow::positionChanged, window, [&pressedAt, window](int position) {
        if (position >= 50 && pressedAt < 0) {
          pressedAt = position;
          QTest::mouseClick(window->CancelButton(), Qt::LeftButton);
        }
      });
    });
    test::FrameFixture f;
    const uint32_t frames = 4'000'001;
    CChildFrame* child = f.frame->AddDocument(test::MakeDocument(WaveFormat::Pcm(1, 22050, 8), frames, 100));
    f.frame->Dispatch(cmd::kSelectAll);
    f.frame->Dispatch(cmd::kPcAmiga);
    SetPorts(previous);
    QCOMPARE(pressedAt, 50);
    const uint8_t* data = child->Document().Sound().Data();
    const uint8_t flipped = data[0];
    QVERIFY(flipped != 100);
    uint32_t done = 0;
    while (done < frames && data[done] == flipped) ++done;
    QVERIFY2(done > frames * 4 / 10 && done < frames * 6 / 10, qPrintable(QString::number(done)));
    QVERIFY(std::all_of(data + done, data + frames, [](uint8_t b) { return b == 100; }));
    QVERIFY(progress.Window() == nullptr);
    QVERIFY(recording.messages.empty());
    // Undo gives the whole range back.
    f.frame->Dispatch(cmd::kUndo);
    QCOMPARE(int(child->Document().Sound().Data()[0]), 100);
  }

  void formatChoiceStartsFromTheGivenFormatAndCancelShowsNothing() {
    FormatChoiceDialog dialog("Create new sample", WaveFormat::Pcm(1, 22050, 8));
    QCOMPARE(dialog.windowTitle(), QString("Create new sample"));
    QCOMPARE(dialog.TagBox()->currentText(), QString("PCM"));
    QCOMPARE(dialog.ChannelsBox()->currentData().toInt(), 1);
    QCOMPARE(dialog.RateBox()->currentText(), QString("22050"));
    QCOMPARE(dialog.BitsBox()->currentData().toInt(), 8);
    const WaveFormat start = dialog.Chosen();
    QCOMPARE(start.AvgBytesPerSec(), 22050u);
    QCOMPARE(start.BlockAlign(), uint16_t(1));
    dialog.ChannelsBox()->setCurrentIndex(1);
    dialog.BitsBox()->setCurrentIndex(1);
    dialog.RateBox()->setEditText("44100");
    const WaveFormat chosen = dialog.Chosen();
    QCOMPARE(chosen.Channels(), uint16_t(2));
    QCOMPARE(chosen.BlockAlign(), uint16_t(4));
    QCOMPARE(chosen.AvgBytesPerSec(), 176400u);

    test::RecordingPorts ports;
    QtFormatChooser chooser;
    QTimer::singleShot(0, [] {
      if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) open->reject();
    });
    WaveFormat format = WaveFormat::Pcm(1, 22050, 8);
    QCOMPARE(chooser.Choose("Convert sample", format), kChooseCancel);
    QCOMPARE(format.SamplesPerSec(), 22050u);
    QVERIFY(ports.messages.empty() && ports.texts.empty());
  }

  void clipboardOffersAndAcceptsEveryWaveType() {
    QtClipboard clipboard;
    const std::vector<uint8_t> image = {'R', 'I', 'F', 'F', 1, 2, 3};
    QVERIFY(clipboard.WriteWave(image));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    for (const char* type : {"audio/wav", "audio/x-wav", "audio/vnd.wave"}) {
      QVERIFY(data->hasFormat(type));
      QCOMPARE(data->data(type), QByteArray("RIFF\x01\x02\x03", 7));
    }
    for (const char* type : {"audio/x-wav", "audio/vnd.wave"}) {
      auto* offered = new QMimeData;
      offered->setData(type, QByteArray("RIFFxyz"));
      QApplication::clipboard()->setMimeData(offered);
      QVERIFY(clipboard.HasWave());
      QCOMPARE(clipboard.ReadWave(), (std::vector<uint8_t>{'R', 'I', 'F', 'F', 'x', 'y', 'z'}));
    }
    QApplication::clipboard()->setText("not sound");
    QVERIFY(!clipboard.HasWave());
    QVERIFY(clipboard.ReadWave().empty());
  }
};

QTEST_MAIN(CommandsTest)
#include "CommandsTest.moc"
