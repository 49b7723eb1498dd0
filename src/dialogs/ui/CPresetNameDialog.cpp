#include "dialogs/ui/CPresetNameDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tarkel::ui {

CPresetNameDialog::CPresetNameDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Save As");
  setObjectName("dialog_149");
  auto* group = new QGroupBox("New Name:", this);
  edit_ = new QLineEdit(group);
  edit_->setObjectName("edit_1061");
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(edit_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("OK");
  buttons->button(QDialogButtonBox::Cancel)->setText("Cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
}

QString CPresetNameDialog::Name() const { return edit_->text(); }

}  // namespace tarkel::ui
