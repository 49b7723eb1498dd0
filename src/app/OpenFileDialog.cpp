#include "app/OpenFileDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tarkel::app {
namespace {
constexpr int kWaveFilterIndex = 10;  // the eleventh entry, "MS-WAVE-RIFF (*.WAV)"
}

bool IsWaveName(const QString& path) { return QFileInfo(path).fileName().contains(".WAV", Qt::CaseInsensitive); }

QStringList AskOpenFiles(QWidget* owner, const QString& filter, OpenFileChoice& choice) {
  QFileDialog dialog(owner, QObject::tr("Open"));
  dialog.setObjectName("OpenFileDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDefaultSuffix("WAV");
  const QStringList filters = filter.split(";;");
  dialog.setNameFilters(filters);
  if (filters.size() > kWaveFilterIndex) dialog.selectNameFilter(filters[kWaveFilterIndex]);

  auto* extra = new QWidget(&dialog);
  auto* hardDiskGroup = new QGroupBox("Harddisk-Editing", extra);
  auto* hardDisk = new QCheckBox("Edit &directly on the Harddisk", hardDiskGroup);
  auto* backup = new QCheckBox("Save &backup of original File", hardDiskGroup);
  auto* hardDiskLayout = new QVBoxLayout(hardDiskGroup);
  hardDiskLayout->addWidget(hardDisk);
  hardDiskLayout->addWidget(backup);
  auto* optionsGroup = new QGroupBox("Options", extra);
  auto* autoPlay = new QCheckBox("AutoPlay", optionsGroup);
  (new QVBoxLayout(optionsGroup))->addWidget(autoPlay);
  auto* row = new QHBoxLayout(extra);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(hardDiskGroup);
  row->addWidget(optionsGroup);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) grid->addWidget(extra, grid->rowCount(), 0, 1, -1);

  hardDisk->setChecked(choice.hardDisk);
  backup->setChecked(choice.backup);
  backup->setEnabled(choice.hardDisk);
  bool isWave = true;
  QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, [&](const QString& path) {
    isWave = IsWaveName(path);
    hardDisk->setEnabled(isWave);
    backup->setEnabled(choice.hardDisk && isWave);
  });
  QObject::connect(hardDisk, &QCheckBox::toggled, &dialog, [&](bool on) {
    choice.hardDisk = on;
    backup->setEnabled(on && isWave);
  });
  if (dialog.exec() != QDialog::Accepted) return {};
  choice.backup = backup->isChecked();
  return dialog.selectedFiles();
}

}  // namespace tarkel::app
