#pragma once
// The preference sheet: five pages (colours, display, expert settings, spectral view, general
// settings) over a copy of the preferences. OK checks the pages, copies the values back, redraws
// every document window, restarts the periodic timer and writes the preferences; Cancel changes
// nothing but the colours already chosen, which take effect at once.
#include <QDialog>

#include "app/Preferences.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace tarkel::app {

struct AppState;
class CMainFrame;

inline constexpr int kPreferencesTitleId = 5001;

class PreferenceSheet final : public QDialog {
  Q_OBJECT
 public:
  PreferenceSheet(AppState& state, QWidget* parent = nullptr);

  // Checks the pages and copies them into the preferences; false (with the page's message) when
  // a value is out of range.
  bool Apply();
  // The colour list's entry `index` takes `rgb` at once (as the colour chooser's OK does).
  void ChooseColour(int index, QColor colour);

  QTabWidget* Pages() const { return pages_; }
  QComboBox* ColourList() const { return colourList_; }
  QComboBox* TimeSlice() const { return timeSlice_; }
  QComboBox* RecordingBuffer() const { return forRecording_; }
  QComboBox* PlayingBuffer() const { return forPlaying_; }
  QLineEdit* LeadIn() const { return leadIn_; }

 protected:
  void accept() override;

 private:
  QWidget* ColoursPage();
  QWidget* DisplayPage();
  QWidget* ExpertPage();
  QWidget* SpectralPage();
  QWidget* GeneralPage();
  // Shows a number-range message on `page` and puts the focus on `field`.
  void RefuseRange(int page, QWidget* field, int low, int high);

  AppState& state_;
  Preferences values_;
  QTabWidget* pages_ = nullptr;
  QComboBox* colourList_ = nullptr;
  QCheckBox* minMax_ = nullptr;
  QCheckBox* symmetric_ = nullptr;
  QCheckBox* integrated_ = nullptr;
  QCheckBox* highQualityScope_ = nullptr;
  QCheckBox* playRecMarker_ = nullptr;
  QCheckBox* background_ = nullptr;
  QCheckBox* hardDisk_ = nullptr;
  QComboBox* timeSlice_ = nullptr;
  QComboBox* forRecording_ = nullptr;
  QComboBox* forPlaying_ = nullptr;
  QRadioButton* scaling_[3] = {};
  QComboBox* blockSize_ = nullptr;
  QLineEdit* leadIn_ = nullptr;
  QCheckBox* dragDrop_ = nullptr;
  QCheckBox* replaceWithSilence_ = nullptr;
  QCheckBox* warnNoUndo_ = nullptr;
};

// Command 32809: the sheet; true after OK (the preferences are then written).
bool RunPreferenceSheet(CMainFrame& frame, AppState& state);

}  // namespace tarkel::app
