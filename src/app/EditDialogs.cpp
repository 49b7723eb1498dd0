#include "app/EditDialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <iterator>

#include "view/TimeFormat.h"

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

namespace {

// The units of the length dialog's box, in code order.
constexpr const char* kUnitNames[] = {"Samples", "Seconds", "Milliseconds", "Beats", "Bytes", "SMPTE", "Frames"};

}  // namespace

std::optional<uint32_t> AskLength(QWidget* owner, const QString& title, const WaveFormat& format, DisplayUnit unit,
                                  int fps, uint32_t proposal) {
  TimeFormat time;
  time.SetFormat(format);
  time.SetFrameRate(uint16_t(fps));
  auto text = [&time](uint32_t frames, int code) {
    return QString::fromStdString(time.Format(frames, DisplayUnit(code)));
  };
  QDialog dialog(owner);
  dialog.setObjectName("LengthDialog");
  dialog.setWindowTitle(title);
  auto* units = new QComboBox(&dialog);
  units->setObjectName("combo1057");
  for (int u = 0; u < int(std::size(kUnitNames)); ++u) units->addItem(kUnitNames[u], u);
  units->setCurrentIndex(units->findData(int(unit)));
  auto* edit = new QLineEdit(text(proposal, int(unit)), &dialog);
  edit->setObjectName("edit1054");
  auto* form = new QFormLayout(&dialog);
  form->addRow(QObject::tr("Unit:"), units);
  form->addRow(QObject::tr("Length:"), edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  // The length in frames; the text is read back only once the user has typed, so that showing
  // it in a coarser unit loses nothing.
  uint32_t frames = proposal;
  int shownUnit = int(unit);
  bool typed = false;
  auto read = [&] {
    // Text that is no position reads as 0; beats have no text form and keep the length.
    if (typed && DisplayUnit(shownUnit) != DisplayUnit::Beats)
      frames = time.Parse(DisplayUnit(shownUnit), edit->text().trimmed().toStdString()).value_or(0);
    typed = false;
  };
  QObject::connect(edit, &QLineEdit::textEdited, &dialog, [&] { typed = true; });
  QObject::connect(units, &QComboBox::currentIndexChanged, &dialog, [&] {
    read();
    shownUnit = units->currentData().toInt();
    edit->setText(text(frames, shownUnit));
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  read();
  return frames;
}

}  // namespace tarkel::app
