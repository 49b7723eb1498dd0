#include "app/PreferenceSheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/DocumentCommands.h"
#include "app/PreferenceValues.h"
#include "app/QtPorts.h"
#include "app/TransportWiring.h"
#include "app/ViewIntegration.h"
#include "sound/MessageIds.h"
#include "sound/MessageTable.h"
#include "sound/Ports.h"

namespace tarkel::app {
namespace {

enum Page { kColoursPage, kDisplayPage, kExpertPage, kSpectralPage, kGeneralPage };

// The colour list's entries; the sixth, empty one stands for channel 2 as well.
constexpr const char* kColourEntries[] = {"Sample Kanal #1", "Sample Kanal #2", "Sample-MinMax-Punkte",
                                          "Sample-Markierung", "Hauptfenster-Hintergrund", ""};
constexpr int kBackgroundEntry = 4;

constexpr int kBlockSizes[] = {128, 256, 512, 1024, 2048, 4096};

int32_t* ColourSetting(Preferences& p, int index) {
  switch (index) {
    case 0: return &p.colorChannel1;
    case 2: return &p.colorMinMaxPoints;
    case 3: return &p.colorSelectedArea;
    case kBackgroundEntry: return nullptr;
    default: return &p.colorChannel2;
  }
}

QCheckBox* Check(const QString& text, int32_t value, QWidget* parent, const char* name) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(name);
  box->setChecked(value != 0);
  return box;
}

QComboBox* EditCombo(std::initializer_list<int> list, int32_t value, QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  for (int v : list) box->addItem(QString::number(v));
  box->setEditText(QString::number(value));
  return box;
}

int32_t Read(const QComboBox* box) { return LeadingDecimal(box->currentText().toStdString()); }

}  // namespace

PreferenceSheet::PreferenceSheet(AppState& state, QWidget* parent) : QDialog(parent), state_(state), values_(state.prefs) {
  setObjectName("PreferenceSheet");
  setWindowTitle(MessageText(msg::kPreferencesTitle));
  pages_ = new QTabWidget(this);
  pages_->addTab(ColoursPage(), "Colors");
  pages_->addTab(DisplayPage(), "Display");
  pages_->addTab(ExpertPage(), "Expers Settings");
  pages_->addTab(SpectralPage(), "Spektral View");
  pages_->addTab(GeneralPage(), "General Settings");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(buttons);
  setMinimumWidth(560);
}

QWidget* PreferenceSheet::ColoursPage() {
  auto* page = new QWidget;
  colourList_ = new QComboBox(page);
  colourList_->setObjectName("colour1041");
  for (const char* entry : kColourEntries) colourList_->addItem(entry);
  auto* choose = new QPushButton("&Choose colors...", page);
  choose->setObjectName("choose1043");
  auto* reset = new QPushButton("&Reset", page);
  reset->setObjectName("reset1040");
  reset->hide();
  connect(choose, &QPushButton::clicked, this, [this] {
    const int index = colourList_->currentIndex();
    const int32_t* setting = ColourSetting(state_.prefs, index);
    const QColor start = setting ? QColor::fromRgb(ColorRefToRgb(*setting)) : state_.mainBackground;
    const QColor colour = QColorDialog::getColor(start, this);
    if (colour.isValid()) ChooseColour(index, colour);
  });
  connect(reset, &QPushButton::clicked, this, [] { AskMessage(msg::kResetColors); });
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(colourList_);
  layout->addWidget(choose, 0, Qt::AlignLeft);
  layout->addWidget(reset, 0, Qt::AlignLeft);
  layout->addStretch();
  return page;
}

void PreferenceSheet::ChooseColour(int index, QColor colour) {
  // Takes effect at once, in the program's values and in the sheet's copy, so Cancel keeps it.
  if (index == kBackgroundEntry) {
    state_.mainBackground = colour;
    return;
  }
  const int32_t value = RgbToColorRef(colour.rgb() & 0xFFFFFF);
  *ColourSetting(state_.prefs, index) = value;
  *ColourSetting(values_, index) = value;
}

QWidget* PreferenceSheet::DisplayPage() {
  auto* page = new QWidget;
  minMax_ = Check("Minimum/Maximum-Points", values_.showMinMaxPoints, page, "check1044");
  symmetric_ = Check("FrequenzSpetrum-Display", values_.symmetricDisplay, page, "check1045");
  integrated_ = Check("integrated display", values_.integratedDisplay, page, "check1046");
  highQualityScope_ = Check("High-Quality Scope", values_.highQualityScope, page, "check1047");
  playRecMarker_ = Check("Show Play/Recording position", values_.showPlayRecMarker, page, "check1048");
  auto* layout = new QVBoxLayout(page);
  for (QCheckBox* box : {minMax_, symmetric_, integrated_, highQualityScope_, playRecMarker_}) layout->addWidget(box);
  layout->addStretch();
  return page;
}

QWidget* PreferenceSheet::ExpertPage() {
  auto* page = new QWidget;
  background_ = Check("Load files in background (WinNT only!)", values_.loadInBackground, page, "check1045");
  hardDisk_ = Check("Harddisk editing with WAVE-Files", values_.hardDiskEditing, page, "check1046");
  timeSlice_ = EditCombo({20, 40, 60, 80, 100, 150, 200, 250, 350}, values_.globalTimeSliceMs, page, "combo33103");
  timeSlice_->lineEdit()->setMaxLength(kTimeSliceMaxChars);
  forRecording_ = EditCombo({512, 1024, 2048, 4096, 50000}, BytesToKBytes(values_.playBufferSize), page, "combo33101");
  forPlaying_ = EditCombo({}, BytesToKBytes(values_.recordBufferSize), page, "combo33102");
  auto* buffers = new QGroupBox("Buffer sizes (kByte)", page);
  auto* bufferForm = new QFormLayout(buffers);
  bufferForm->addRow("For Recording:", forRecording_);
  bufferForm->addRow("For Playing:", forPlaying_);
  auto* form = new QFormLayout;
  form->addRow("Timeslice (in ms) :", timeSlice_);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(background_);
  layout->addWidget(hardDisk_);
  layout->addLayout(form);
  layout->addWidget(buffers);
  layout->addStretch();
  return page;
}

QWidget* PreferenceSheet::SpectralPage() {
  auto* page = new QWidget;
  auto* group = new QGroupBox("Color scaling", page);
  auto* groupLayout = new QVBoxLayout(group);
  const char* names[] = {"Linear", "Logarithmic", "Exponential"};
  auto* buttons = new QButtonGroup(page);
  for (int i = 0; i < 3; ++i) {
    scaling_[i] = new QRadioButton(names[i], group);
    scaling_[i]->setObjectName(QString("radio%1").arg(1124 + i));
    buttons->addButton(scaling_[i], i);
    groupLayout->addWidget(scaling_[i]);
  }
  if (values_.colorScalingMode >= 0 && values_.colorScalingMode < 3) scaling_[values_.colorScalingMode]->setChecked(true);
  blockSize_ = new QComboBox(page);
  blockSize_->setObjectName("combo1055");
  for (int size : kBlockSizes) blockSize_->addItem(QString::number(size), size);
  blockSize_->setCurrentIndex(blockSize_->findData(values_.fftBlockSize));
  auto* form = new QFormLayout;
  form->addRow("Sample-Blocksize:", blockSize_);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(group);
  layout->addLayout(form);
  layout->addStretch();
  return page;
}

QWidget* PreferenceSheet::GeneralPage() {
  auto* page = new QWidget;
  leadIn_ = new QLineEdit(QString::number(values_.startEndPlaySeconds), page);
  leadIn_->setObjectName("edit1060");
  leadIn_->setValidator(new QIntValidator(-999999, 999999, leadIn_));
  auto* leadRow = new QHBoxLayout;
  leadRow->addWidget(new QLabel("Play Lead-In/Out Time", page));
  leadRow->addWidget(leadIn_);
  leadRow->addWidget(new QLabel("Sek.", page));
  auto* group = new QGroupBox("Drag && Drop", page);
  dragDrop_ = Check("Activate", values_.dragDropEnable, group, "check1100");
  replaceWithSilence_ =
      Check("Replace moved sample-area with silence", values_.dragDropReplaceMoveWithSilence, group, "check1126");
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(dragDrop_);
  groupLayout->addWidget(replaceWithSilence_);
  warnNoUndo_ = Check("Display warning if no Undo avaliable", values_.warningIfNoUndo, page, "check1101");
  warnNoUndo_->hide();
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(leadRow);
  layout->addWidget(group);
  layout->addWidget(warnNoUndo_);
  layout->addStretch();
  return page;
}

void PreferenceSheet::RefuseRange(int page, QWidget* field, int low, int high) {
  pages_->setCurrentIndex(page);
  ShowText(QString("Please enter an integer between %1 and %2.").arg(low).arg(high).toStdString());
  field->setFocus();
}

bool PreferenceSheet::Apply() {
  const int32_t leadIn = LeadingDecimal(leadIn_->text().toStdString());
  if (!LeadInSecondsValid(leadIn)) {
    RefuseRange(kGeneralPage, leadIn_, kLeadInMinSeconds, kLeadInMaxSeconds);
    return false;
  }
  Preferences& p = values_;
  p.showMinMaxPoints = minMax_->isChecked();
  p.symmetricDisplay = symmetric_->isChecked();
  p.integratedDisplay = integrated_->isChecked();
  p.highQualityScope = highQualityScope_->isChecked();
  p.showPlayRecMarker = playRecMarker_->isChecked();
  p.loadInBackground = background_->isChecked();
  p.hardDiskEditing = hardDisk_->isChecked();
  p.globalTimeSliceMs = Read(timeSlice_);
  p.playBufferSize = KBytesToBytes(Read(forRecording_));
  p.recordBufferSize = KBytesToBytes(Read(forPlaying_));
  for (int i = 0; i < 3; ++i)
    if (scaling_[i]->isChecked()) p.colorScalingMode = i;
  p.fftBlockSize = blockSize_->currentData().toInt();
  p.startEndPlaySeconds = leadIn;
  p.dragDropEnable = dragDrop_->isChecked();
  p.dragDropReplaceMoveWithSilence = replaceWithSilence_->isChecked();
  p.warningIfNoUndo = warnNoUndo_->isChecked();
  state_.prefs = p;
  return true;
}

void PreferenceSheet::accept() {
  if (Apply()) QDialog::accept();
}

bool RunPreferenceSheet(CMainFrame& frame, AppState& state) {
  ReadPreferencesFromCore(state.prefs);
  ReadPreferencesFromView(state.prefs);
  PreferenceSheet sheet(state, &frame);
  const bool ok = sheet.exec() == QDialog::Accepted;
  if (ok) {
    ApplyPreferencesToCore(state.prefs);
    ApplyPreferencesToView(state.prefs);
    ApplyPreferencesToTransport(state.prefs);
    QSettings store("Brannick", "Tarkel");
    SavePreferences(store, state.prefs);
  }
  frame.RedrawAllDocuments();
  return ok;
}

}  // namespace tarkel::app
