#include "dialogs/ui/CEffectDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "dialogs/CurveCommands.h"
#include "dialogs/CurveGeometry.h"
#include "dialogs/CurvePresets.h"
#include "dialogs/PreviewPlayer.h"
#include "dialogs/ui/CCurveEditor.h"
#include "dialogs/ui/CPresetNameDialog.h"
#include "document/CTarkelDoc.h"

namespace tarkel::ui {
namespace {

// Control ids of the dialog templates, kept as the widgets' object names ("button_88").
constexpr int kPresetComboId = 1058;
constexpr int kSaveId = 88;
constexpr int kDeleteId = 4;
constexpr int kPreviewId = 1064;
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kHelpId = 9;
constexpr int kInsideLabelId = 1121;
constexpr int kOutsideLabelId = 1122;
constexpr const char* kPreviewText = "&Preview";  // string 107
constexpr const char* kStopText = "St&op";        // string 104

QString Named(const char* kind, int id) { return QString("%1_%2").arg(kind).arg(id); }

std::optional<int32_t> ParseInt(const QString& text) {
  bool ok = false;
  const qlonglong v = text.trimmed().toLongLong(&ok);
  if (!ok || v < INT32_MIN || v > INT32_MAX) return std::nullopt;
  return int32_t(v);
}

// The numerical filter's mode list, whose choice switches the gain labels.
bool IsFilterMode(const ParamDecl& p) { return p.kind == ParamKind::Choice && std::string_view(p.label) == "Mode"; }

std::string FolderOf(const EffectDialogContext& context) {
  return context.presetFolder.empty() ? DefaultPresetFolder() : context.presetFolder;
}

}  // namespace

CEffectDialog::CEffectDialog(const DialogDecl& dialogDecl, const EffectDialogContext& context, QWidget* parent)
    : QDialog(parent), context_(context), values_(dialogDecl), presets_(dialogDecl.PresetValueCount()) {
  setWindowTitle(dialogDecl.title);
  setObjectName(Named("dialog", dialogDecl.templateId));
  auto* outer = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* buttons = new QVBoxLayout;
  outer->addLayout(left, 1);
  outer->addLayout(buttons);
  BuildPresetColumn(left, buttons, dialogDecl.presetFile != nullptr);
  BuildControls(left);
  if (dialogDecl.presetFile) {
    presetPath_ = PresetPath(FolderOf(context_), dialogDecl.presetFile);
    presets_.Load(presetPath_);
    for (const CEffectPreset& p : presets_.Presets()) presetCombo_->addItem(QString::fromStdString(p.name));
  }
  presetCombo_->setCurrentIndex(0);
  if (dialogDecl.operation == DialogOperation::SampleSpeed && context_.doc) openingRate_ = context_.doc->Sound().Rate();
  ShowValues();
}

CEffectDialog::CEffectDialog(CurveKind kind, const EffectDialogContext& context, QWidget* parent)
    : QDialog(parent), context_(context), curveKind_(kind), presets_(PresetList::ForCurves()) {
  const bool envelope = kind == CurveKind::Envelope;
  setWindowTitle(envelope ? "Graphical Envelope" : "Filter graphically...");
  setObjectName(Named("dialog", envelope ? 285 : 288));
  auto* outer = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* buttons = new QVBoxLayout;
  outer->addLayout(left, 1);
  outer->addLayout(buttons);
  BuildPresetColumn(left, buttons, true);
  BuildCurve(left, kind);
  presetPath_ = PresetPath(FolderOf(context_), envelope ? kEnvelopePresetFile : kFilterCurvePresetFile);
  presets_.Load(presetPath_);
  for (const CEffectPreset& p : presets_.Presets()) presetCombo_->addItem(QString::fromStdString(p.name));
  presetCombo_->setCurrentIndex(0);
}

CEffectDialog::~CEffectDialog() {
  if (context_.player) context_.player->SetEndCallback(nullptr);
}

void CEffectDialog::BuildPresetColumn(QVBoxLayout* left, QVBoxLayout* buttons, bool withPresets) {
  presetCombo_ = new QComboBox(this);
  presetCombo_->setObjectName(Named("combo", kPresetComboId));
  presetCombo_->addItem(kDefaultPresetEntry);
  presetCombo_->setMinimumContentsLength(16);
  left->addWidget(presetCombo_);
  connect(presetCombo_, &QComboBox::activated, this, &CEffectDialog::ApplyPreset);

  auto button = [&](const char* text, int id, auto slot) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(Named("button", id));
    b->setAutoDefault(false);
    buttons->addWidget(b);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  QPushButton* save = button("&Save...", kSaveId, &CEffectDialog::SavePreset);
  QPushButton* erase = button("&Delete", kDeleteId, &CEffectDialog::DeletePreset);
  previewButton_ = button(kPreviewText, kPreviewId, &CEffectDialog::TogglePreview);
  buttons->addSpacing(12);
  button("O&K", kOkId, &CEffectDialog::Accept)->setDefault(true);
  button("&Cancel", kCancelId, &CEffectDialog::reject);
  button("&Help", kHelpId, &CEffectDialog::Help);
  buttons->addStretch(1);
  presetCombo_->setVisible(withPresets);
  save->setVisible(withPresets);
  erase->setVisible(withPresets);
}

void CEffectDialog::BuildControls(QVBoxLayout* left) {
  const DialogDecl& dialogDecl = values_->Entry();
  auto* sliders = new QHBoxLayout;
  auto* form = new QFormLayout;
  if (dialogDecl.sliderCaption) left->addWidget(new QLabel(dialogDecl.sliderCaption, this));
  left->addLayout(sliders);
  left->addLayout(form);
  controls_.resize(dialogDecl.params.size());
  for (size_t i = 0; i < dialogDecl.params.size(); ++i) {
    const ParamDecl& p = dialogDecl.params[i];
    Controls& c = controls_[i];
    if (p.HasTrackbar()) {
      auto* column = new QVBoxLayout;
      c.label = new QLabel(p.label, this);
      c.label->setAlignment(Qt::AlignHCenter);
      column->addWidget(c.label);
      if (p.kind == ParamKind::Slider) {
        c.edit = new QLineEdit(this);
        c.edit->setObjectName(Named("edit", p.editId));
        c.edit->setMaximumWidth(70);
        c.edit->installEventFilter(this);
        column->addWidget(c.edit, 0, Qt::AlignHCenter);
      }
      // The end labels show the value range's maximum and minimum.
      column->addWidget(new QLabel(p.topLabel ? p.topLabel : QString::number(p.max), this), 0, Qt::AlignHCenter);
      c.slider = new QSlider(Qt::Vertical, this);
      c.slider->setObjectName(Named("trackbar", p.trackbarId));
      // Positions are negative so that the top is the largest value: the minimum sits at the top.
      c.slider->setRange(p.positionMin, p.positionMax);
      c.slider->setInvertedAppearance(true);
      c.slider->setInvertedControls(true);
      c.slider->setPageStep(1);
      c.slider->setTickPosition(QSlider::TicksRight);
      c.slider->setMinimumHeight(140);
      column->addWidget(c.slider, 1, Qt::AlignHCenter);
      column->addWidget(new QLabel(p.bottomLabel ? p.bottomLabel : QString::number(p.min), this), 0,
                        Qt::AlignHCenter);
      sliders->addLayout(column);
      connect(c.slider, &QSlider::valueChanged, this, [this, i](int position) {
        values_->SetPosition(i, position);
        if (controls_[i].edit) controls_[i].edit->setText(QString::fromStdString(values_->EditText(i)));
      });
      continue;
    }
    switch (p.kind) {
      case ParamKind::Choice:
      case ParamKind::SampleRate: {
        c.combo = new QComboBox(this);
        c.combo->setObjectName(Named("combo", p.editId));
        for (const char* entry : p.entries) c.combo->addItem(entry);
        c.combo->setEditable(p.kind == ParamKind::SampleRate);
        form->addRow(p.kind == ParamKind::SampleRate ? "" : p.label, c.combo);
        connect(c.combo, &QComboBox::activated, this, [this, i](int index) {
          const ParamDecl& param = values_->Entry().params[i];
          if (param.kind != ParamKind::Choice) return;
          values_->SetValue(i, param.numericEntries ? controls_[i].combo->itemText(index).toInt() : index);
          if (IsFilterMode(param)) ApplyFilterMode(index);
        });
        break;
      }
      case ParamKind::Radio: {
        auto* group = new QGroupBox(this);
        auto* layout = new QHBoxLayout(group);
        c.radios = new QButtonGroup(this);
        for (size_t e = 0; e < p.entries.size(); ++e) {
          auto* radio = new QRadioButton(p.entries[e], group);
          radio->setObjectName(Named("radio", p.editId + int(e)));
          c.radios->addButton(radio, int(e));
          layout->addWidget(radio);
        }
        form->addRow(group);
        connect(c.radios, &QButtonGroup::idClicked, this, [this, i](int id) { values_->SetValue(i, id); });
        break;
      }
      case ParamKind::Check:
        c.check = new QCheckBox(p.label, this);
        c.check->setObjectName(Named("check", p.editId));
        form->addRow(c.check);
        connect(c.check, &QCheckBox::toggled, this, [this, i](bool on) { values_->SetValue(i, on ? 1 : 0); });
        break;
      default:  // Frequency, SampleOffset, DialString: a plain edit
        c.edit = new QLineEdit(this);
        c.edit->setObjectName(Named("edit", p.editId));
        form->addRow(p.label, c.edit);
        break;
    }
  }
  // The filter's two gain labels switch with its mode.
  for (size_t i = 0; i < dialogDecl.params.size(); ++i) {
    if (!IsFilterMode(dialogDecl.params[i])) continue;
    controls_[2].label->setObjectName(Named("label", kInsideLabelId));
    controls_[3].label->setObjectName(Named("label", kOutsideLabelId));
  }
  if (dialogDecl.operation == DialogOperation::SampleSpeed && context_.doc)
    values_->SetText(std::to_string(context_.doc->Sound().Rate()));
}

void CEffectDialog::BuildCurve(QVBoxLayout* left, CurveKind kind) {
  curveEditor_ = new CCurveEditor(this);
  curveEditor_->setObjectName("curve");
  // The envelope starts at full level; the filter at unity gain (the middle line).
  const int32_t flat = kind == CurveKind::Envelope ? 0 : kCurveHeight / 2;
  curveEditor_->SetCurve(CurveModel(flat));
  if (kind == CurveKind::Filter) curveEditor_->SetGuide(flat);
  curveEditor_->setMinimumSize(480, 220);
  if (context_.doc) {
    CTarkelDoc* doc = context_.doc;
    const uint32_t first = context_.first, last = context_.last;
    curveEditor_->SetWaveform(
        [doc, first, last](int columns) { return WaveformColumns(doc->Sound(), first, last, columns); });
  }
  left->addWidget(curveEditor_, 1);
  auto* hint = new QLabel(kind == CurveKind::Envelope
                              ? "Level over the selection: click to add a point, drag to move, right-click to delete."
                              : "Gain from 0 Hz to half the sampling rate (middle line 100%): click to add a "
                                "point, drag to move, right-click to delete.",
                          this);
  hint->setWordWrap(true);
  left->addWidget(hint);
}

bool CEffectDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && values_) {
    for (size_t i = 0; i < controls_.size(); ++i)
      if (controls_[i].edit == watched && controls_[i].slider) EditLostFocus(i);
  }
  return QDialog::eventFilter(watched, event);
}

void CEffectDialog::EditLostFocus(size_t i) {
  const std::optional<int32_t> v = ParseInt(controls_[i].edit->text());
  if (!v) return;  // not a number: refused when the values are read
  values_->SetValue(i, *v);
  values_->Clamp(i);
  ShowValue(i);
}

bool CEffectDialog::ReadEdits() {
  if (!values_) return true;
  const DialogDecl& dialogDecl = values_->Entry();
  for (size_t i = 0; i < dialogDecl.params.size(); ++i) {
    const ParamDecl& p = dialogDecl.params[i];
    QLineEdit* edit = controls_[i].edit;
    if (p.kind == ParamKind::DialString) {
      values_->SetText(edit->text().toStdString());
    } else if (p.kind == ParamKind::SampleRate) {
      values_->SetText(controls_[i].combo->currentText().trimmed().toStdString());
      const std::optional<int32_t> rate = ParseInt(controls_[i].combo->currentText());
      if (!rate || *rate <= 0) {
        Reject("Please enter an integer.");
        return false;
      }
    } else if (p.kind == ParamKind::Frequency) {
      bool ok = false;
      const double hertz = edit->text().trimmed().toDouble(&ok);
      if (!ok) {
        Reject("Please enter a number.");
        edit->setFocus();
        return false;
      }
      values_->SetValue(i, FrequencyBits(float(hertz)));
    } else if (edit) {
      const std::optional<int32_t> v = ParseInt(edit->text());
      if (!v) {
        Reject("Please enter an integer.");
        edit->setFocus();
        return false;
      }
      values_->SetValue(i, *v);
    }
  }
  return true;
}

void CEffectDialog::ShowValues() {
  if (!values_) return;
  for (size_t i = 0; i < controls_.size(); ++i) ShowValue(i);
}

void CEffectDialog::ShowValue(size_t i) {
  const ParamDecl& p = values_->Entry().params[i];
  Controls& c = controls_[i];
  if (c.slider) {
    const QSignalBlocker block(c.slider);
    c.slider->setValue(values_->Position(i));
  }
  if (c.edit) {
    if (p.kind == ParamKind::DialString) c.edit->setText(QString::fromStdString(values_->Text()));
    else c.edit->setText(QString::fromStdString(values_->EditText(i)));
  }
  if (c.combo) {
    if (p.kind == ParamKind::SampleRate) {
      c.combo->setCurrentText(QString::fromStdString(values_->Text()));
    } else if (p.numericEntries) {
      // The number written back as decimal text into the list's selection.
      const int at = c.combo->findText(QString::number(values_->Value(i)));
      c.combo->setCurrentIndex(at);
    } else {
      c.combo->setCurrentIndex(values_->Value(i));
    }
  }
  if (c.radios)
    if (QAbstractButton* b = c.radios->button(values_->Value(i))) b->setChecked(true);
  if (c.check) {
    const QSignalBlocker block(c.check);
    c.check->setChecked(values_->Value(i) != 0);
  }
}

void CEffectDialog::ApplyFilterMode(int32_t mode) {
  const FilterModeLabels labels = LabelsForFilterMode(mode);
  controls_[2].label->setText(labels.inside);
  controls_[3].label->setText(labels.outside);
  controls_[3].edit->setEnabled(labels.outsideEnabled);
  controls_[3].slider->setEnabled(labels.outsideEnabled);
}

std::vector<int32_t> CEffectDialog::CurrentPresetValues() const {
  return values_ ? values_->PresetValues() : CurveValues(curveEditor_->Curve());
}

void CEffectDialog::ApplyPreset(int index) {
  if (!ReadEdits()) return;
  const std::string name = presetCombo_->itemText(index).toStdString();
  std::vector<int32_t> stored = CurrentPresetValues();
  if (!presets_.Apply(name, stored)) return;
  if (values_) {
    values_->ApplyPresetValues(stored);
    ShowValues();
    // A preset's filter mode switches the labels as picking it does, so that they always fit it.
    for (size_t i = 0; i < controls_.size(); ++i)
      if (IsFilterMode(values_->Entry().params[i])) ApplyFilterMode(values_->Value(i));
    return;
  }
  // A curve preset replaces the whole curve (its length differs from the current one).
  const CEffectPreset* preset = presets_.Find(name);
  CurveModel curve;
  if (preset && CurveFromValues(preset->values, curve)) curveEditor_->SetCurve(curve);
}

void CEffectDialog::SavePreset() {
  if (!ReadEdits()) return;
  CPresetNameDialog ask(this);
  if (ask.exec() != QDialog::Accepted) return;
  const QString name = ask.Name();
  presetCombo_->addItem(name);
  presetCombo_->setCurrentIndex(presetCombo_->findText(name, Qt::MatchStartsWith));
  presets_.Save(name.toStdString(), CurrentPresetValues());
}

void CEffectDialog::DeletePreset() {
  const int index = presetCombo_->currentIndex();
  if (index < 0) return;
  const std::string name = presetCombo_->itemText(index).toStdString();
  presetCombo_->removeItem(index);
  presetCombo_->setCurrentIndex(-1);
  presets_.Delete(name);
}

DialogCommand CEffectDialog::Command() const {
  DialogCommand command = BuildDialogCommand(*values_);
  command.request.Bind();
  return command;
}

const CurveModel& CEffectDialog::Curve() const { return curveEditor_->Curve(); }

void CEffectDialog::TogglePreview() {
  if (previewing_) {
    StopPreview();
    return;
  }
  if (!ReadEdits() || !context_.doc) return;
  previewing_ = true;
  if (!StartPreview()) {
    previewing_ = false;
    return;
  }
  previewButton_->setText(kStopText);
}

bool CEffectDialog::StartPreview() {
  CTarkelDoc& doc = *context_.doc;
  if (context_.player) context_.player->SetEndCallback([this] { PreviewEnded(); });
  if (values_ && values_->Entry().operation == DialogOperation::SampleSpeed) {
    // A trial rate in the format record; no sample changes. Cancel and OK restore the rate.
    doc.Sound().Format().SetSamplesPerSec(uint32_t(std::stoul(values_->Text())));
    return context_.player && context_.player->PlayDocument(doc);
  }
  bool made = false;
  if (curveKind_ == CurveKind::Envelope)
    made = RunEnvelopeCurve(doc, Curve(), context_.first, context_.last, context_.mode, true);
  else if (curveKind_ == CurveKind::Filter)
    made = RunFilterCurve(doc, Curve(), context_.first, context_.last, context_.mode, true);
  else if (const auto rejected = values_->Validate(doc.Sound().BitsPerSample()))
    Reject(QString::fromStdString(*rejected));
  else {
    DialogCommand command = Command();
    made = PreviewDialogCommand(doc, command, context_.first, context_.last, context_.mode);
  }
  if (!made) return false;
  WaveImage& image = doc.Sound().PreviewImage();
  if (context_.player && context_.player->PlayImage(doc, image, image.DataSize())) return true;
  image.Free();
  return false;
}

void CEffectDialog::StopPreview() {
  if (!previewing_) return;
  if (context_.player) context_.player->Stop();
  PreviewEnded();
}

void CEffectDialog::PreviewEnded() {
  if (!previewing_) return;
  previewing_ = false;
  previewButton_->setText(kPreviewText);
  if (context_.doc) context_.doc->Sound().PreviewImage().Free();
}

void CEffectDialog::Accept() {
  if (!ReadEdits()) return;
  if (values_ && context_.doc)
    if (const auto rejected = values_->Validate(context_.doc->Sound().BitsPerSample())) {
      Reject(QString::fromStdString(*rejected));
      return;
    }
  accept();
}

void CEffectDialog::done(int result) {
  // Closing stops any playback, the preview's or another one.
  if (context_.player) context_.player->Stop();
  PreviewEnded();
  if (openingRate_ && context_.doc) context_.doc->Sound().Format().SetSamplesPerSec(openingRate_);
  if (!presetPath_.empty() && !presets_.Store(presetPath_))
    QMessageBox::warning(this, windowTitle(),
                         QString("The presets could not be saved in %1.").arg(QString::fromStdString(presetPath_)));
  QDialog::done(result);
}

void CEffectDialog::Help() {
  QString text = "Set the values with the sliders or type them into the fields above them. "
                 "\"&Preview\" plays the selection as the effect would change it; \"O&K\" applies it.";
  text.remove('&');
  if (!presetPath_.empty())
    text += QString("\n\nNamed presets are kept in %1.").arg(QString::fromStdString(presetPath_));
  QMessageBox::information(this, windowTitle(), text);
}

void CEffectDialog::Reject(const QString& text) { QMessageBox::warning(this, windowTitle(), text); }

}  // namespace tarkel::ui
