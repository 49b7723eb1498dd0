#pragma once
// "Save As": asks for the name of a new preset (one edit, no length limit; the preset file
// keeps the first 199 bytes).
#include <QDialog>

class QLineEdit;

namespace tarkel::ui {

class CPresetNameDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CPresetNameDialog(QWidget* parent = nullptr);
  QString Name() const;

 private:
  QLineEdit* edit_;
};

}  // namespace tarkel::ui
