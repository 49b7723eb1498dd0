#include "app/QtPorts.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/FormatChoiceDialog.h"

namespace tarkel::app {

namespace {
QWidget* Owner() { return QApplication::activeWindow(); }
}  // namespace

// --- Messages and the wait cursor ---------------------------------------------------------------

void QtUserInterface::ShowMessage(int, const std::string& text) { ShowText(text); }

bool QtUserInterface::AskYesNo(int, const std::string& text) {
  // A question is answered with the normal cursor even inside a long command.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  const auto answer = QMessageBox::question(Owner(), kMessageCaption, QString::fromStdString(text),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  QApplication::restoreOverrideCursor();
  return answer == QMessageBox::Yes;
}

void QtUserInterface::ShowText(const std::string& text) {
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  QMessageBox::information(Owner(), kMessageCaption, QString::fromStdString(text));
  QApplication::restoreOverrideCursor();
}

void QtUserInterface::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void QtUserInterface::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

// --- Progress -------------------------------------------------------------------------------------

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName("ProgressWindow");
  setModal(false);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  percent_ = new QLabel("0%", this);
  percent_->setMinimumWidth(40);
  cancel_ = new QPushButton(tr("Cancel"), this);
  auto* row = new QHBoxLayout;
  row->addWidget(bar_, 1);
  row->addWidget(percent_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  setMinimumWidth(320);
  connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

void ProgressWindow::SetPosition(int position) {
  bar_->setValue(position);
  emit positionChanged(position);
}

void ProgressWindow::SetPercentText(const QString& text) { percent_->setText(text); }

bool ProgressWindow::TakeCancel() {
  const bool was = cancelled_;
  cancelled_ = false;
  return was;
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // Closing the window by its frame means Cancel; the operation closes it when it stops.
  cancelled_ = true;
  event->ignore();
}

bool QtProgress::Open(const std::string& caption) {
  Close();
  window_ = new ProgressWindow(Owner());
  window_->setWindowTitle(QString::fromStdString(caption));
  window_->show();
  window_->raise();
  emit opened(window_);
  QCoreApplication::processEvents();
  return true;
}

void QtProgress::SetPosition(int position) {
  if (window_) window_->SetPosition(position);
}

void QtProgress::SetText(const std::string& text) {
  if (window_) window_->SetPercentText(QString::fromStdString(text));
}

bool QtProgress::PumpAndCheckCancel() {
  if (!window_) return false;
  QCoreApplication::processEvents();
  return window_ && window_->TakeCancel();
}

void QtProgress::Close() {
  if (!window_) return;
  window_->hide();
  window_->deleteLater();
  window_ = nullptr;
}

// --- Clipboard --------------------------------------------------------------------------------------

QtClipboard::QtClipboard() {
  QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
    known_ = -1;
    emit changed();
  });
}

bool QtClipboard::HasWave() {
  if (known_ < 0) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    known_ = 0;
    for (const char* type : kWaveMimeTypes)
      if (data && data->hasFormat(type)) known_ = 1;
  }
  return known_ == 1;
}

std::vector<uint8_t> QtClipboard::ReadWave() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (!data) return {};
  for (const char* type : kWaveMimeTypes) {
    if (!data->hasFormat(type)) continue;
    const QByteArray bytes = data->data(type);
    if (!bytes.isEmpty()) return std::vector<uint8_t>(bytes.begin(), bytes.end());
  }
  return {};
}

bool QtClipboard::WriteWave(std::vector<uint8_t> image) {
  auto* data = new QMimeData;
  const QByteArray bytes(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
  for (const char* type : kWaveMimeTypes) data->setData(type, bytes);
  QApplication::clipboard()->setMimeData(data);
  known_ = 1;
  return true;
}

void QtClipboard::EmptyWave() {
  if (HasWave()) QApplication::clipboard()->clear();
  known_ = 0;
}

// --- Format choice ----------------------------------------------------------------------------------

int QtFormatChooser::Choose(const std::string& title, WaveFormat& format) {
  FormatChoiceDialog dialog(QString::fromStdString(title), format, Owner());
  if (dialog.exec() != QDialog::Accepted) return kChooseCancel;
  format = dialog.Chosen();
  return kChooseOk;
}

// --- All ports ----------------------------------------------------------------------------------------

QtPorts::QtPorts() { previous_ = SetPorts({&ui_, &progress_, &clipboard_, &chooser_}); }
QtPorts::~QtPorts() { SetPorts(previous_); }

}  // namespace tarkel::app
