#include "app/EditDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tarkel::app {

std::optional<uint32_t> AskFrames(QWidget* owner, const QString& title, const QString& label, uint32_t proposal,
                                  uint32_t minimum) {
  QDialog dialog(owner);
  dialog.setObjectName("NumberDialog");
  dialog.setWindowTitle(title);
  auto* edit = new QLineEdit(QString::number(proposal), &dialog);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{1,10}"), edit));
  edit->selectAll();
  auto* form = new QFormLayout(&dialog);
  form->addRow(label, edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  uint32_t value = 0;
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    bool ok = false;
    const qulonglong n = edit->text().toULongLong(&ok);
    if (!ok || n < minimum || n > UINT32_MAX) return;
    value = uint32_t(n);
    dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return value;
}

}  // namespace tarkel::app
