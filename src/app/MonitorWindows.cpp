#include "app/MonitorWindows.h"

#include <QEvent>
#include <QFileInfo>
#include <QMdiArea>

#include "app/AppState.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/TransportAccess.h"
#include "app/TransportRegionPlayer.h"
#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "monitors/ui/HistogramWindow.h"
#include "monitors/ui/ScopeWindow.h"
#include "monitors/ui/VolumeControlWindow.h"
#include "regions/DocumentOpener.h"
#include "regions/ui/RegionWindow.h"
#include "view/ui/DocumentView.h"

namespace tarkel::app {

// The sounds a cue file names: an open window of the file, or the file opened now. A missing
// file gives no message (its regions are dropped).
class ShellDocumentOpener final : public DocumentOpener {
 public:
  explicit ShellDocumentOpener(CMainFrame& frame) : frame_(frame) {}
  CTarkelDoc* OpenDocument(const std::string& path) override {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return nullptr;
    CChildFrame* child = frame_.OpenFile(file);
    return child ? &child->Document() : nullptr;
  }

 private:
  CMainFrame& frame_;
};

// The region manager's player: the transport's, bound when the first script plays (the
// transport may be registered after the windows are made); the document's own play command
// while there is none.
class CurrentTransportRegionPlayer final : public RegionPlayer {
 public:
  bool PlayScript(const std::vector<PlayPiece>& script) override { return Player().PlayScript(script); }
  void Stop() override { Player().Stop(); }
  std::optional<PlayPosition> Position() override { return Player().Position(); }

 private:
  RegionPlayer& Player() {
    if (!bound_)
      if (audio::AudioTransport* transport = Transport()) bound_ = std::make_unique<TransportRegionPlayer>(*transport);
    if (bound_) return *bound_;
    return fallback_;
  }
  std::unique_ptr<TransportRegionPlayer> bound_;
  DocumentPlayCommandPlayer fallback_;
};

MonitorWindows::MonitorWindows(CMainFrame& frame, AppState& state)
    : frame_(frame), state_(state), opener_(std::make_unique<ShellDocumentOpener>(frame)) {
  player_ = std::make_unique<CurrentTransportRegionPlayer>();
  regions_ = new ui::RegionWindow(&frame, player_.get(), opener_.get());
  regions_->setObjectName("RegionManager");
  TheDocumentHooks().regionSink = regions_->DocumentSink();
  connect(regions_, &ui::RegionWindow::selectRequested, this, &MonitorWindows::OnSelectRequested);

  const ui::ControlFactory controls = [&state](const char* className, QWidget* parent) {
    return state.controls.Create(className, parent);
  };
  volume_ = new ui::VolumeControlWindow(controls, output_, source_, &frame);
  volume_->setObjectName("VolumeControl");
  scope_ = new ui::ScopeWindow(source_, &frame);
  scope_->setObjectName("Scope");
  for (QWidget* w : {static_cast<QWidget*>(regions_), static_cast<QWidget*>(volume_), static_cast<QWidget*>(scope_)}) {
    w->hide();
    w->installEventFilter(this);
  }
  ApplyPreferences();
}

MonitorWindows::~MonitorWindows() {
  if (TheDocumentHooks().regionSink == regions_->DocumentSink()) TheDocumentHooks().regionSink = nullptr;
  // Their hiding must not reach the frame, which is being destroyed and asks of these windows.
  for (QWidget* w : {static_cast<QWidget*>(regions_), static_cast<QWidget*>(volume_), static_cast<QWidget*>(scope_)})
    w->removeEventFilter(this);
  blockSignals(true);
  // The windows go before the player and the sources they use.
  delete regions_;
  delete volume_;
  delete scope_;
}

bool MonitorWindows::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show || event->type() == QEvent::Hide) emit visibilityChanged();
  return QObject::eventFilter(watched, event);
}

void MonitorWindows::Tick(bool secondTick) {
  // One more refresh after the end clears the scope; idle ticks then cost nothing.
  const bool active = source_.TransportSound() != nullptr;
  if (!active && !wasActive_) return;
  wasActive_ = active;
  if (scope_->isVisible()) scope_->Refresh();
  if (secondTick && volume_->isVisible()) volume_->RefreshLevel();
}

void MonitorWindows::SelectionChanged(CChildFrame* child) {
  if (!child) {
    regions_->onSelectionChanged(nullptr, 0, 0, 0);
    return;
  }
  CTarkelDoc& doc = child->Document();
  const Selection& selection = child->View()->CurrentSelection();
  const WaveAudio& sound = doc.Sound();
  regions_->onSelectionChanged(&doc, selection.First(), selection.Last(sound), int(selection.Mode(sound)));
}

void MonitorWindows::OnSelectRequested(CTarkelDoc* doc, quint32 first, quint32 last, int mode) {
  for (CChildFrame* child : frame_.Children()) {
    if (&child->Document() != doc) continue;
    frame_.MdiArea()->setActiveSubWindow(child);
    Selection selection = child->View()->CurrentSelection();
    selection.Adopt(first, last, ChannelMode(mode));
    child->View()->SetSelection(selection);
    return;
  }
}

void MonitorWindows::ApplyPreferences() {
  const Preferences& p = state_.prefs;
  ui::ScopeOptions options;
  options.highQuality = p.highQualityScope != 0;
  options.fftBlockSize = p.fftBlockSize;
  options.colorScalingMode = p.colorScalingMode;
  options.channelColor[0] = uint32_t(p.colorChannel1);
  options.channelColor[1] = uint32_t(p.colorChannel2);
  scope_->SetOptions(options);
}

void MonitorWindows::ShowHistogram(const CommandContext& c) {
  if (!c.doc || !c.view) return;
  auto* window = new ui::HistogramWindow(&frame_);
  window->ShowHistogram(c.doc->Sound(), c.view->CurrentSelection(), QString::fromStdString(c.doc->Title()));
  // Over the middle of the main window, not over its menu bar.
  window->resize(window->sizeHint());
  window->move(frame_.geometry().center() - window->rect().center());
  window->show();
}

}  // namespace tarkel::app
