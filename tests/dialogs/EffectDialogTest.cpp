// The effect dialogs on the offscreen platform: initial values, the slider-edit binding, presets
// through the combo box and the name dialog, Preview through a fake player, OK giving the same
// sound as tarkel-cli with the same preset, and the curve editors under the mouse.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>

#include "dialogs/CurveCommands.h"
#include "dialogs/CurvePresets.h"
#include "dialogs/PreviewPlayer.h"
#include "dialogs/ui/CCurveEditor.h"
#include "dialogs/ui/CEffectDialog.h"
#include "dialogs/ui/CPresetNameDialog.h"
#include "dialogs/ui/EffectDialogs.h"
#include "document/CTarkelDoc.h"
#include "sound/Selection.h"
#include "sound/WaveImage.h"
#include "support/TestPorts.h"

using namespace tarkel;
using namespace tarkel::ui;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadAll(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A canonical wave file of one second of a 440 Hz sine, 16-bit stereo, 22050 Hz.
void WriteSineFile(const QString& path, uint16_t channels = 2) {
  const uint32_t frames = 22050;
  Bytes data;
  for (uint32_t i = 0; i < frames; ++i) {
    const auto s = int16_t(std::lround(12000 * std::sin(2 * M_PI * 440 * i / 22050.0)));
    for (int c = 0; c < channels; ++c) {
      data.push_back(uint8_t(s));
      data.push_back(uint8_t(uint16_t(s) >> 8));
    }
  }
  Bytes file(kCanonicalHeaderSize + data.size());
  WriteCanonicalHeader(file.data(), WaveFormat::Pcm(channels, 22050, 16), uint32_t(data.size()));
  std::copy(data.begin(), data.end(), file.begin() + kCanonicalHeaderSize);
  std::ofstream(path.toStdString(), std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                            std::streamsize(file.size()));
}

int RunCli(const QStringList& args) {
  QString command = "'" TARKEL_CLI_PATH "'";
  for (const QString& a : args) command += " '" + a + "'";
  return std::system((command + " >/dev/null 2>&1").toStdString().c_str()) >> 8;
}

class FakePlayer final : public PreviewPlayer {
 public:
  bool PlayImage(CTarkelDoc&, const WaveImage& image, uint32_t bytes) override {
    played.assign(image.Block(), image.Block() + image.ImageSize());
    playedBytes = bytes;
    return true;
  }
  bool PlayDocument(CTarkelDoc& doc) override {
    documentRate = doc.Sound().Rate();
    return true;
  }
  void Stop() override { ++stops; }
  void End() { NotifyEnded(); }

  Bytes played;
  uint32_t playedBytes = 0;
  uint32_t documentRate = 0;
  int stops = 0;
};

template <class T>
T* Find(QWidget* dialog, const QString& name) {
  T* widget = dialog->findChild<T*>(name);
  if (!widget) qWarning("no widget %s", qPrintable(name));
  return widget;
}

// Answers the next preset name dialog with `name`.
void AnswerNameDialog(const QString& name) {
  QTimer::singleShot(0, [name] {
    auto* ask = qobject_cast<CPresetNameDialog*>(QApplication::activeModalWidget());
    QVERIFY(ask);
    Find<QLineEdit>(ask, "edit_1061")->setText(name);
    ask->accept();
  });
}

void LoseFocus(QWidget* edit) {
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(edit, &out);
}

}  // namespace

class EffectDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  test::RecordingPorts* ports_ = nullptr;
  QString In() const { return dir_.filePath("in.wav"); }
  std::unique_ptr<CTarkelDoc> OpenDoc(uint16_t channels = 2) {
    WriteSineFile(In(), channels);
    auto doc = std::make_unique<CTarkelDoc>();
    doc->Open(In().toStdString());
    return doc;
  }
  EffectDialogContext Context(CTarkelDoc& doc, PreviewPlayer* player = nullptr) {
    EffectDialogContext c;
    c.doc = &doc;
    c.first = 0;
    c.last = doc.Sound().Frames() - 1;
    c.mode = ChannelMode::Both;
    c.player = player;
    c.presetFolder = dir_.filePath("presets").toStdString();
    return c;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    qputenv("XDG_DATA_HOME", dir_.filePath("data").toUtf8());
    ports_ = new test::RecordingPorts;
  }
  void cleanupTestCase() { delete ports_; }

  void dialogsOpenWithTheirInitialValues() {
    auto doc = OpenDoc();
    struct Expected {
      const char* name;
      std::vector<QString> edits;  // texts of the edits in parameter order
    };
    const std::vector<Expected> all = {
        {"echo", {"2", "700"}},        {"hall", {"2", "0"}},          {"vibverb", {"20", "0"}},
        {"robotize", {"4", "26", "40"}}, {"metal", {"40", "40", "4"}}, {"tube", {"2", "0", "800"}},
        {"vibrato", {"4", "1000", "10", "100"}}, {"digidelay", {"100"}}, {"fade", {"10", "90"}},
        {"fusion", {"100", "100"}},    {"chcross", {"10", "90"}},     {"crossfade", {"10", "90"}},
        {"filter", {"1500", "3000", "100", "100"}}, {"equalizer", {"100", "100", "100", "100", "100"}},
        {"synth", {"1000"}},           {"dtmf", {""}},                {"volume", {"100"}},
        {"offset", {"0"}},
    };
    for (const Expected& e : all) {
      CEffectDialog dialog(*FindDialogByName(e.name), Context(*doc));
      QList<QLineEdit*> edits;
      for (const ParamDecl& p : dialog.Values()->Entry().params)
        if (auto* edit = dialog.findChild<QLineEdit*>(QString("edit_%1").arg(p.editId))) edits.push_back(edit);
      QCOMPARE(size_t(edits.size()), e.edits.size());
      for (size_t i = 0; i < e.edits.size(); ++i) QCOMPARE(edits[int(i)]->text(), e.edits[i]);
      auto* combo = Find<QComboBox>(&dialog, "combo_1058");
      QCOMPARE(combo->count(), 1);
      QCOMPARE(combo->currentText(), QString("default"));
      if (qEnvironmentVariableIsSet("TARKEL_SHOT_DIR")) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.grab().save(qEnvironmentVariable("TARKEL_SHOT_DIR") + "/" + e.name + ".png");
      }
    }
    CEffectDialog hall(*FindDialogByName("hall"), Context(*doc));
    auto* density = Find<QSlider>(&hall, "trackbar_1065");
    QCOMPARE(density->value(), density->maximum());  // the bottom
    CEffectDialog synth(*FindDialogByName("synth"), Context(*doc));
    QCOMPARE(Find<QSlider>(&synth, "trackbar_1063")->value(), -1);
    QCOMPARE(Find<QSlider>(&synth, "trackbar_1065")->value(), -7);
    QVERIFY(Find<QRadioButton>(&synth, "radio_1085")->isChecked());
    CEffectDialog filter(*FindDialogByName("filter"), Context(*doc));
    QCOMPARE(Find<QComboBox>(&filter, "combo_1120")->currentText(), QString("8192"));
    QCOMPARE(Find<QComboBox>(&filter, "combo_1119")->currentText(), QString("Bandpass"));
    CEffectDialog chcross(*FindDialogByName("chcross"), Context(*doc));
    QCOMPARE(Find<QSlider>(&chcross, "trackbar_1083")->value(), -2);
  }

  void editsClampWhenTheyLoseFocus() {
    auto doc = OpenDoc();
    CEffectDialog echo(*FindDialogByName("echo"), Context(*doc));
    auto* number = Find<QLineEdit>(&echo, "edit_1108");
    number->clear();
    QTest::keyClicks(number, "0");
    LoseFocus(number);
    QCOMPARE(number->text(), QString("1"));
    auto* numberBar = Find<QSlider>(&echo, "trackbar_1063");
    QCOMPARE(numberBar->value(), numberBar->maximum());
    auto* distance = Find<QLineEdit>(&echo, "edit_1107");
    distance->setText("5000");
    LoseFocus(distance);
    QCOMPARE(distance->text(), QString("1000"));
    QCOMPARE(Find<QSlider>(&echo, "trackbar_1065")->value(), -10);
    // A slider moved by the user writes its value into the edit.
    numberBar->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(number->text(), QString("18"));

    if (qEnvironmentVariableIsSet("TARKEL_SHOT_DIR")) {
      echo.show();
      QVERIFY(QTest::qWaitForWindowExposed(&echo));
      echo.grab().save(qEnvironmentVariable("TARKEL_SHOT_DIR") + "/echo.png");
    }

    CEffectDialog vibrato(*FindDialogByName("vibrato"), Context(*doc));
    auto* end = Find<QLineEdit>(&vibrato, "edit_1110");
    end->setText("50");
    LoseFocus(end);
    QCOMPARE(Find<QSlider>(&vibrato, "trackbar_1082")->value(), -5);
    QCOMPARE(Find<QSlider>(&vibrato, "trackbar_1063")->value(), -2);

    CEffectDialog filter(*FindDialogByName("filter"), Context(*doc));
    auto* mode = Find<QComboBox>(&filter, "combo_1119");
    mode->setCurrentIndex(0);
    emit mode->activated(0);
    QCOMPARE(Find<QLabel>(&filter, "label_1121")->text(), QString("Filter at limiting-area"));
    QCOMPARE(Find<QLabel>(&filter, "label_1122")->text(), QString("[n/a]"));
    QVERIFY(!Find<QLineEdit>(&filter, "edit_1110")->isEnabled());
    mode->setCurrentIndex(2);
    emit mode->activated(2);
    QCOMPARE(Find<QLabel>(&filter, "label_1122")->text(), QString("Amplitude outside filterarea"));
    QVERIFY(Find<QSlider>(&filter, "trackbar_1082")->isEnabled());
  }

  void presetsInTheComboBoxAndTheFile() {
    auto doc = OpenDoc();
    const EffectDialogContext context = Context(*doc);
    const std::string file = context.presetFolder + "/Echo.par";
    {
      CEffectDialog echo(*FindDialogByName("echo"), context);
      QCOMPARE(echo.PresetFilePath(), file);
      echo.reject();  // a missing file: closing writes the empty list
    }
    QCOMPARE(ReadAll(QString::fromStdString(file)), (Bytes{0, 0, 0, 0}));
    {
      CEffectDialog echo(*FindDialogByName("echo"), context);
      auto* number = Find<QLineEdit>(&echo, "edit_1108");
      auto* save = Find<QPushButton>(&echo, "button_88");
      number->setText("3");
      Find<QLineEdit>(&echo, "edit_1107")->setText("500");
      AnswerNameDialog("A");
      save->click();
      number->setText("7");
      AnswerNameDialog("A");
      save->click();
      number->setText("5");
      auto* combo = Find<QComboBox>(&echo, "combo_1058");
      QCOMPARE(combo->count(), 3);
      emit combo->activated(0);  // "default" is no preset: nothing changes
      QCOMPARE(number->text(), QString("5"));
      combo->setCurrentIndex(1);
      emit combo->activated(1);
      QCOMPARE(number->text(), QString("7"));  // the later of the two
      QCOMPARE(Find<QSlider>(&echo, "trackbar_1063")->value(), -7);
      Find<QPushButton>(&echo, "button_4")->click();  // Delete removes the earlier
      echo.reject();                                   // Cancel still stores the presets
    }
    PresetList list(2);
    list.Load(file);
    QCOMPARE(list.Presets().size(), size_t(1));
    QCOMPARE(list.Presets()[0].values, (std::vector<int32_t>{7, 500}));
  }

  void previewPlaysAProcessedCopyAndLeavesTheDocument() {
    auto doc = OpenDoc();
    const Bytes before(doc->Sound().Data(), doc->Sound().Data() + doc->Sound().DataSize());
    FakePlayer player;
    CEffectDialog echo(*FindDialogByName("echo"), Context(*doc, &player));
    auto* preview = Find<QPushButton>(&echo, "button_1064");
    QCOMPARE(preview->text(), QString("&Preview"));
    preview->click();
    QVERIFY(echo.Previewing());
    QCOMPARE(preview->text(), QString("St&op"));
    QCOMPARE(player.playedBytes, doc->Sound().DataSize());
    QVERIFY(!doc->IsModified());
    QVERIFY(!doc->CanUndo());
    QVERIFY(Bytes(doc->Sound().Data(), doc->Sound().Data() + doc->Sound().DataSize()) == before);
    // The same block tarkel-cli writes for the same record.
    const QString cliPreview = dir_.filePath("preview.wav");
    QCOMPARE(RunCli({In(), "--effect", "echo:2,700", "--undo", "--preview", "echo:2,700", cliPreview}), 0);
    QVERIFY(player.played == ReadAll(cliPreview));
    QVERIFY(player.played != ReadAll(In()));
    player.End();  // playback ended: the dialog is idle again and the block freed
    QVERIFY(!echo.Previewing());
    QCOMPARE(preview->text(), QString("&Preview"));
    QVERIFY(doc->Sound().PreviewImage().Empty());
    preview->click();
    preview->click();  // a second press stops
    QCOMPARE(player.stops, 1);
    QVERIFY(!echo.Previewing());
  }

  void everyDialogPreviewsWithoutChangingTheDocument() {
    for (const DialogDecl& entry : AllDialogs()) {
      if (entry.operation == DialogOperation::SampleSpeed) continue;
      auto doc = OpenDoc();
      ports_->clipboard = ReadAll(In());
      FakePlayer player;
      CEffectDialog dialog(entry, Context(*doc, &player));
      if (auto* digits = dialog.findChild<QLineEdit*>("edit_1103")) digits->setText("123");
      Find<QPushButton>(&dialog, "button_1064")->click();
      QVERIFY2(dialog.Previewing(), entry.name);
      QVERIFY2(player.played.size() > kCanonicalHeaderSize, entry.name);
      QVERIFY2(!doc->IsModified() && !doc->CanUndo(), entry.name);
      dialog.reject();
      QVERIFY2(!dialog.Previewing() && player.stops == 1, entry.name);
      QVERIFY2(doc->Sound().PreviewImage().Empty(), entry.name);
    }
    ports_->clipboard.clear();
  }

  // Each dialog: move every control away from its initial value, save the values as preset "t",
  // press OK; the document then equals what tarkel-cli makes with --effect NAME@t.
  void okGivesWhatTheCommandLineGivesWithThePreset() {
    for (const DialogDecl& entry : AllDialogs()) {
      if (!entry.presetFile) continue;
      const bool clip = entry.operation == DialogOperation::ClipCrossfade;
      auto doc = OpenDoc();
      const QString clipFile = dir_.filePath("clip.wav");
      if (clip) {  // the clipboard holds the sound's first half second
        ports_->clipboard = ReadAll(In());
        ports_->clipboard.resize(kCanonicalHeaderSize + 44100);
        WriteCanonicalHeader(ports_->clipboard.data(), doc->Sound().Format(), 44100);
        std::ofstream(clipFile.toStdString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(ports_->clipboard.data()), std::streamsize(ports_->clipboard.size()));
      }
      QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CEffectDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        for (QSlider* s : dialog->findChildren<QSlider*>()) s->triggerAction(QAbstractSlider::SliderSingleStepSub);
        for (QComboBox* c : dialog->findChildren<QComboBox*>()) {
          if (c->objectName() == "combo_1058") continue;
          c->setCurrentIndex(c->objectName() == "combo_1119" ? 2 : 3);
          emit c->activated(c->currentIndex());
        }
        if (auto* r = dialog->findChild<QRadioButton*>("radio_1087")) r->click();
        if (auto* f = dialog->findChild<QLineEdit*>("edit_1092")) f->setText("440.5");
        if (auto* o = dialog->findChild<QLineEdit*>("edit_1104")) o->setText("-300");
        if (auto* d = dialog->findChild<QLineEdit*>("edit_1103")) d->setText("0815#");
        AnswerNameDialog("t");
        Find<QPushButton>(dialog, "button_88")->click();
        Find<QPushButton>(dialog, "button_1")->click();
      });
      Selection selection;
      QVERIFY2(RunEffectDialog(entry.command, *doc, selection, nullptr, nullptr), entry.name);
      const QString ours = dir_.filePath("ours.wav"), theirs = dir_.filePath("theirs.wav");
      QVERIFY(doc->Save(ours.toStdString()));
      QString option = QString("%1@t").arg(entry.name);
      if (entry.effectId == 25) option += ":0815#";
      QStringList args = {In(), clip ? "--edit" : "--effect", option, "-o", theirs};
      if (clip) args = QStringList{"--clipboard", clipFile} + args;
      QCOMPARE(RunCli(args), 0);
      QVERIFY2(ReadAll(ours) == ReadAll(theirs), entry.name);
      QVERIFY2(ReadAll(ours) != ReadAll(In()), entry.name);
    }
  }

  void theSpeedDialogPreviewsARateAndCancelRestoresIt() {
    auto doc = OpenDoc();
    FakePlayer player;
    CEffectDialog speed(*FindDialogByCommand(cmd::kSampleSpeed), Context(*doc, &player));
    auto* rate = Find<QComboBox>(&speed, "combo_1123");
    QCOMPARE(rate->currentText(), QString("22050"));
    QVERIFY(!Find<QComboBox>(&speed, "combo_1058")->isVisibleTo(&speed));
    rate->setCurrentText("11025");
    Find<QPushButton>(&speed, "button_1064")->click();
    QCOMPARE(player.documentRate, 11025u);
    speed.reject();
    QCOMPARE(doc->Sound().Rate(), 22050u);
    QVERIFY(!doc->IsModified());
    // OK: the rate typed reaches the document's rate change, after the trial rate was undone.
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<CEffectDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      Find<QComboBox>(dialog, "combo_1123")->setCurrentText("8000");
      Find<QPushButton>(dialog, "button_1064")->click();
      Find<QPushButton>(dialog, "button_1")->click();
    });
    QVERIFY(RunEffectDialog(cmd::kSampleSpeed, *doc, Selection(), nullptr, &player));
    QCOMPARE(doc->Sound().Rate(), 8000u);
    QVERIFY(doc->IsModified());
  }

  void theCurveEditorFollowsTheMouse() {
    auto doc = OpenDoc();
    CEffectDialog envelope(CurveKind::Envelope, Context(*doc));
    envelope.resize(700, 400);
    envelope.show();
    CCurveEditor* editor = envelope.CurveEditor();
    QVERIFY(QTest::qWaitForWindowExposed(&envelope));
    const CurveGeometry g = editor->Geometry();
    const QPoint middle(g.XToPixel(500), g.YToPixel(60));
    QTest::mouseClick(editor, Qt::LeftButton, {}, middle);
    QCOMPARE(editor->Curve().Points().size(), size_t(3));
    QCOMPARE(editor->Curve().Points()[1].y, 60);
    // Dragged past its right neighbour it stops there.
    QTest::mousePress(editor, Qt::LeftButton, {}, middle);
    QTest::mouseMove(editor, QPoint(g.XToPixel(1000) + 20, g.YToPixel(90)));
    QTest::mouseRelease(editor, Qt::LeftButton, {}, QPoint(g.XToPixel(1000) + 20, g.YToPixel(90)));
    QCOMPARE(editor->Curve().Points()[1], (CPointOb{1000, 90}));
    QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(g.XToPixel(250), g.YToPixel(30)));
    QCOMPARE(editor->Curve().Points()[1].x, g.PixelToX(g.XToPixel(250)));
    QTest::mouseClick(editor, Qt::RightButton, {}, QPoint(g.XToPixel(250), g.YToPixel(30)));
    QCOMPARE(editor->Curve().Points().size(), size_t(3));
    // The curve is drawn: yellow at the first point's height near the left edge.
    const QImage shot = editor->grab().toImage();
    const QColor at = shot.pixelColor(g.XToPixel(100), g.YToPixel(9));  // on the line from (0,0) to (1000,90)
    QVERIFY2(at.red() > 150 && at.green() > 150 && at.blue() < 80, qPrintable(at.name()));
    const QColor below = shot.pixelColor(g.XToPixel(100), g.YToPixel(30));
    QVERIFY2(below.red() < 100, qPrintable(below.name()));
    if (qEnvironmentVariableIsSet("TARKEL_SHOT_DIR")) envelope.grab().save(qEnvironmentVariable("TARKEL_SHOT_DIR") + "/envelope.png");
    // Saved as a preset and applied after a change.
    AnswerNameDialog("ramp");
    Find<QPushButton>(&envelope, "button_88")->click();
    const std::vector<CPointOb> saved = editor->Curve().Points();
    editor->SetCurve(CurveModel(0));
    auto* combo = Find<QComboBox>(&envelope, "combo_1058");
    emit combo->activated(1);
    QVERIFY(editor->Curve().Points() == saved);
    envelope.reject();
    PresetList curves = PresetList::ForCurves();
    curves.Load(envelope.PresetFilePath());
    QCOMPARE(curves.Presets().size(), size_t(1));
    QVERIFY(QString::fromStdString(envelope.PresetFilePath()).endsWith("/FadeInOutGraph.par"));
  }

  void theEnvelopeAppliesSegmentBySegment() {
    auto doc = OpenDoc();
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<CEffectDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      CurveModel fadeOut(0);
      fadeOut.Add(500, 20);
      fadeOut.Move(2, kCurveWidth, 100);
      dialog->CurveEditor()->SetCurve(fadeOut);
      Find<QPushButton>(dialog, "button_1")->click();
    });
    QVERIFY(RunEffectDialog(cmd::kGraphicEnvelope, *doc, Selection(), nullptr, nullptr));
    QVERIFY(doc->CanUndo());
    const QString ours = dir_.filePath("env.wav"), theirs = dir_.filePath("env-cli.wav");
    QVERIFY(doc->Save(ours.toStdString()));
    QCOMPARE(RunCli({In(), "--effect", "envelope:1000,0,0,500,20,1000,100", "-o", theirs}), 0);
    QVERIFY(ReadAll(ours) == ReadAll(theirs));
  }

  void theFilterCurveRemovesWhatItPutsAtZero() {
    auto doc = OpenDoc(1);
    FakePlayer player;
    CEffectDialog filter(CurveKind::Filter, Context(*doc, &player));
    CurveModel stop(100);  // gain 0 everywhere
    filter.CurveEditor()->SetCurve(stop);
    Find<QPushButton>(&filter, "button_1064")->click();
    QVERIFY(filter.Previewing());
    QVERIFY(!doc->IsModified());
    int peak = 0;
    for (size_t i = kCanonicalHeaderSize + 8192; i + 1 < player.played.size() - 8192; i += 2)
      peak = std::max(peak, std::abs(int(int16_t(player.played[i] | player.played[i + 1] << 8))));
    QVERIFY2(peak < 100, qPrintable(QString::number(peak)));
    filter.reject();
    QVERIFY(QString::fromStdString(filter.PresetFilePath()).endsWith("/FilterGraph.par"));
  }
};

QTEST_MAIN(EffectDialogTest)
#include "EffectDialogTest.moc"
