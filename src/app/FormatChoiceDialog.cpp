#include "app/FormatChoiceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>

namespace tarkel::app {
namespace {

constexpr int kRates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000, 96000};
constexpr int kMaxRate = 768000;

void SelectData(QComboBox* box, int value) {
  const int index = box->findData(value);
  if (index >= 0) box->setCurrentIndex(index);
}

}  // namespace

FormatChoiceDialog::FormatChoiceDialog(const QString& title, const WaveFormat& start, QWidget* parent)
    : QDialog(parent) {
  setObjectName("FormatChoiceDialog");
  setWindowTitle(title);
  tag_ = new QComboBox(this);
  tag_->addItem("PCM", int(kFormatTagPcm));
  channels_ = new QComboBox(this);
  channels_->addItem(tr("Mono"), 1);
  channels_->addItem(tr("Stereo"), 2);
  rate_ = new QComboBox(this);
  rate_->setEditable(true);
  rate_->setValidator(new QIntValidator(1, kMaxRate, rate_));
  for (int r : kRates) rate_->addItem(QString::number(r), r);
  bits_ = new QComboBox(this);
  bits_->addItem("8 bit", 8);
  bits_->addItem("16 bit", 16);

  SelectData(tag_, start.FormatTag());
  SelectData(channels_, start.Channels());
  rate_->setEditText(QString::number(start.SamplesPerSec()));
  SelectData(bits_, start.BitsPerSample());

  auto* form = new QFormLayout(this);
  form->addRow(tr("Format:"), tag_);
  form->addRow(tr("Channels:"), channels_);
  form->addRow(tr("Samples per second:"), rate_);
  form->addRow(tr("Bits per sample:"), bits_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    const int rate = rate_->currentText().toInt();
    if (rate >= 1 && rate <= kMaxRate) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

WaveFormat FormatChoiceDialog::Chosen() const {
  return WaveFormat::Make(uint16_t(tag_->currentData().toInt()), uint16_t(channels_->currentData().toInt()),
                          uint32_t(rate_->currentText().toInt()), uint16_t(bits_->currentData().toInt()));
}

}  // namespace tarkel::app
