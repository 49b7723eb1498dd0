#pragma once
// The "Add Selection" dialog (also "Selection-parameter" for Change): a region's description
// and how many times it plays.
#include <QDialog>
#include <cstdint>

class QLineEdit;

namespace tarkel::ui {

class AddSelectionDialog : public QDialog {
  Q_OBJECT
 public:
  AddSelectionDialog(const QString& title, const QString& name, uint32_t repeats, QWidget* parent = nullptr);

  QString Name() const;
  uint32_t Repeats() const;

  QLineEdit* NameEdit() const { return name_; }
  QLineEdit* RepeatsEdit() const { return repeats_; }

 public slots:
  void accept() override;

 private:
  QLineEdit* name_;
  QLineEdit* repeats_;
};

}  // namespace tarkel::ui
