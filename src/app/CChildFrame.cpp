#include "app/CChildFrame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "app/DocumentCommands.h"
#include "document/CTarkelDoc.h"
#include "fileformats/BackgroundRead.h"
#include "view/DisplayState.h"
#include "view/ViewPreferences.h"
#include "view/ui/DocumentView.h"

namespace tarkel::app {
namespace {
constexpr const char* kModifiedMark = "*";
constexpr const char* kHardDiskMark = "   [HD-edit]";
constexpr int kPositionPane = 4;
}  // namespace

CChildFrame::CChildFrame(std::unique_ptr<CTarkelDoc> doc, const AppState& state, QWidget* parent)
    : QMdiSubWindow(parent), doc_(std::move(doc)), state_(state) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("ChildFrame");
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  view_ = ui::CreateDocumentView(*doc_, body);
  layout->addWidget(view_, 1);
  status_ = new QStatusBar(body);
  status_->setSizeGripEnabled(false);
  for (int i = 0; i < kChildPaneCount; ++i) {
    panes_[i] = new QLabel(status_);
    panes_[i]->setObjectName(QString("pane%1").arg(i));
    // Wide enough for "44100Hz", "Stereo" and an SMPTE time.
    const QString widest = i >= kPositionPane ? "00:00:00.00" : i == 3 ? "9999kByte" : "44100Hz";
    panes_[i]->setMinimumWidth(panes_[i]->fontMetrics().horizontalAdvance(widest) + 8);
    status_->addPermanentWidget(panes_[i], i >= kPositionPane ? 1 : 0);
  }
  layout->addWidget(status_);
  setWidget(body);
  doc_->AddObserver(this);
  view_->selectionChanged = [this] {
    UpdateChildStatus();
    emit documentChanged(this);
  };
  UpdateChildStatus();
  if (doc_->Sound().IsLoading())
    WhenBackgroundReadEnds(doc_->Sound(), [this](bool ok) { OnLoadEnded(ok); });
}

void CChildFrame::OnLoadEnded(bool ok) {
  if (ok) {
    doc_->UpdateAllViews(hint::kWholeSample);
    doc_->RefreshTitle();
    return;
  }
  // The read failed part-way (its message is shown): a partly read sound is never shown, and
  // nothing of it can be saved over the file.
  doc_->Sound().ReleaseData();
  doc_->UpdateAllViews();
  QTimer::singleShot(0, this, &QWidget::close);
}

CChildFrame::~CChildFrame() {
  if (!closed_) CloseDocument(*doc_);
  doc_->RemoveObserver(this);
  // The view goes before the document it shows.
  delete widget();
}

QString CChildFrame::TitleText() const {
  QString title = QString::fromStdString(doc_->Title());
  if (doc_->IsModified()) title += kModifiedMark;
  // The mark says where the samples are: in the file itself, not a copy in memory.
  if (doc_->Sound().IsHardDisk()) title += kHardDiskMark;
  return title;
}

void CChildFrame::UpdateChildStatus(int state) {
  ChildStatus status;
  const DocWaveAudio& sound = doc_->Sound();
  status.format = sound.Format();
  status.dataBytes = sound.DataSize();
  status.frames = sound.Frames();
  status.position = CurrentPlayFrame(*doc_);
  const Selection& selection = view_->CurrentSelection();
  const uint32_t last = selection.Last(sound);
  status.selectionLength = last >= selection.First() ? last - selection.First() : 0;
  const auto texts = ChildPaneTexts(status, TheDisplayState().Unit(), TheDisplayState().FrameRate());
  for (int i = 0; i < kChildPaneCount; ++i)
    if (state != 2 || i == kPositionPane) panes_[i]->setText(QString::fromStdString(texts[i]));
  if (state != 2) setWindowTitle(TitleText());
}

QString CChildFrame::PaneText(int pane) const { return panes_[pane]->text(); }

void CChildFrame::OnDocumentUpdate(CTarkelDoc&, uint32_t) {
  UpdateChildStatus();
  emit documentChanged(this);
}

void CChildFrame::OnLengthReset(CTarkelDoc&) {
  UpdateChildStatus();
  emit documentChanged(this);
}

void CChildFrame::OnTitleChanged(CTarkelDoc&) {
  setWindowTitle(TitleText());
  emit documentChanged(this);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (mayClose && !mayClose(*this)) {
    event->ignore();
    return;
  }
  CloseDocument(*doc_);
  closed_ = true;
  QMdiSubWindow::closeEvent(event);
}

}  // namespace tarkel::app
