#pragma once
// The one dialog class of every effect dialog: a combo box of named presets with its fixed
// "default" entry, the buttons "&Save...", "&Delete", "&Preview", "O&K", "&Cancel", "&Help", and
// the controls of the dialog's declaration (vertical trackbars bound to integer edits, lists,
// radio buttons, check boxes) or, for the two graphical dialogs, the curve editor. The values,
// presets and records live in the core (DialogValues, PresetList, DialogCommand); this class
// binds widgets to them. The preset file is written when the dialog closes.
#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/CurveModel.h"
#include "dialogs/DialogCommand.h"
#include "dialogs/DialogValues.h"
#include "dialogs/PresetList.h"
#include "sound/ChannelMode.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QVBoxLayout;

namespace tarkel {
class CTarkelDoc;
class PreviewPlayer;
}  // namespace tarkel

namespace tarkel::ui {

class CCurveEditor;

// What the view hands the dialog before it opens.
struct EffectDialogContext {
  CTarkelDoc* doc = nullptr;
  uint32_t first = 0;  // selection, frames, inclusive
  uint32_t last = 0;
  ChannelMode mode = ChannelMode::Both;
  PreviewPlayer* player = nullptr;  // null: Preview processes but plays nothing
  std::string presetFolder;         // empty: DefaultPresetFolder()
};

enum class CurveKind { Envelope, Filter };

class CEffectDialog : public QDialog {
  Q_OBJECT
 public:
  // A dialog of the catalogue.
  CEffectDialog(const DialogDecl& dialogDecl, const EffectDialogContext& context, QWidget* parent = nullptr);
  // One of the two curve dialogs.
  CEffectDialog(CurveKind kind, const EffectDialogContext& context, QWidget* parent = nullptr);
  ~CEffectDialog() override;

  // The dialog's values (catalogue dialogs) and the record OK built from them.
  const DialogValues* Values() const { return values_ ? &*values_ : nullptr; }
  DialogCommand Command() const;
  // The curve (curve dialogs).
  const CurveModel& Curve() const;
  CCurveEditor* CurveEditor() const { return curveEditor_; }
  bool Previewing() const { return previewing_; }
  std::string PresetFilePath() const { return presetPath_; }

 protected:
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildPresetColumn(QVBoxLayout* left, QVBoxLayout* buttons, bool withPresets);
  void BuildControls(QVBoxLayout* left);
  void BuildCurve(QVBoxLayout* left, CurveKind kind);

  // Edits -> values. False after a message when an edit does not hold a number.
  bool ReadEdits();
  // Values -> edits, trackbars, lists, radio buttons, check boxes.
  void ShowValues();
  void ShowValue(size_t i);
  void EditLostFocus(size_t i);
  void ApplyFilterMode(int32_t mode);

  std::vector<int32_t> CurrentPresetValues() const;
  void ApplyPreset(int index);
  void SavePreset();
  void DeletePreset();
  void TogglePreview();
  bool StartPreview();
  void StopPreview();
  void PreviewEnded();
  void Accept();
  void Help();
  void Reject(const QString& text);

  EffectDialogContext context_;
  std::optional<DialogValues> values_;
  std::optional<CurveKind> curveKind_;
  CCurveEditor* curveEditor_ = nullptr;
  PresetList presets_;
  std::string presetPath_;
  bool previewing_ = false;
  uint32_t openingRate_ = 0;  // the speed dialog: the rate to restore

  QComboBox* presetCombo_ = nullptr;
  QPushButton* previewButton_ = nullptr;
  struct Controls {
    QLineEdit* edit = nullptr;
    QSlider* slider = nullptr;
    QComboBox* combo = nullptr;
    QButtonGroup* radios = nullptr;
    QCheckBox* check = nullptr;
    QLabel* label = nullptr;
  };
  std::vector<Controls> controls_;
};

}  // namespace tarkel::ui
