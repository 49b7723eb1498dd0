#include "regions/ui/AddSelectionDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpressionValidator>

#include "regions/RegionWindowModel.h"

namespace tarkel::ui {

AddSelectionDialog::AddSelectionDialog(const QString& title, const QString& name, uint32_t repeats, QWidget* parent)
    : QDialog(parent), name_(new QLineEdit(name, this)), repeats_(new QLineEdit(QString::number(repeats), this)) {
  setWindowTitle(title);
  name_->setObjectName(QString("ctl%1").arg(region_ctl::kDescription));
  repeats_->setObjectName(QString("ctl%1").arg(region_ctl::kRepeats));
  repeats_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{1,10}"), repeats_));
  auto* form = new QFormLayout(this);
  form->addRow("Description", name_);
  form->addRow("Num. of Repeats", repeats_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &AddSelectionDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &AddSelectionDialog::reject);
  name_->selectAll();
}

QString AddSelectionDialog::Name() const { return name_->text(); }

uint32_t AddSelectionDialog::Repeats() const { return repeats_->text().toUInt(); }

void AddSelectionDialog::accept() {
  bool ok = false;
  const qulonglong repeats = repeats_->text().toULongLong(&ok);
  if (!ok || repeats > UINT32_MAX) {
    QMessageBox::warning(this, windowTitle(), "Num. of Repeats: please enter a whole number from 0 to 4294967295.");
    repeats_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace tarkel::ui
