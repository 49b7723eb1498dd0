#include "app/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTime>
#include <QToolBar>
#include <optional>

#include "app/AppIcons.h"
#include "app/BackgroundLoading.h"
#include "app/AppState.h"
#include "app/CChildFrame.h"
#include "app/ChildStatusText.h"
#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "app/MonitorWindows.h"
#include "monitors/ui/ScopeWindow.h"
#include "monitors/ui/VolumeControlWindow.h"
#include "regions/ui/RegionWindow.h"
#include "app/PreferenceSheet.h"
#include "app/QtPorts.h"
#include "app/TransportWiring.h"
#include "app/ViewIntegration.h"
#include "document/CTarkelDoc.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "view/DisplayState.h"
#include "view/ViewPreferences.h"
#include "view/ui/DocumentView.h"

namespace tarkel::app {
namespace {

using namespace cmd;

constexpr const char* kAppTitle = "Tarkel";
constexpr const char* kMixerProgram = "pavucontrol";

// Display units by command, for when no view is open to take them.
constexpr std::pair<int, DisplayUnit> kUnitCommands[] = {
    {kUnitSamples, DisplayUnit::Samples}, {kUnitSeconds, DisplayUnit::Seconds},
    {kUnitMilliseconds, DisplayUnit::Milliseconds}, {kUnitBeats, DisplayUnit::Beats},
    {kUnitBytes, DisplayUnit::Bytes}, {kUnitSmpte, DisplayUnit::Smpte}, {kUnitFrames, DisplayUnit::Frames},
};

constexpr std::pair<int, int> kFrameRateCommands[] = {
    {kSmpte25, 25}, {kSmpte24, 24}, {kSmpte30NonDrop, 30}, {kSmpte30Drop, 29}, {kFps100, 100},
};

// The status bar's text for a command: the program's own where it has one, else the menu text.
QString StatusText(const CommandRow& row) {
  switch (row.id) {
    case kConvertFormat: return "Convert Sample-Format w/ antialiasing";
    case kSelectDevices: return "Select Play and Record-Decices";
    default: return QString(row.text).remove('&');
  }
}

std::optional<DisplayUnit> UnitOf(int id) {
  for (auto [command, unit] : kUnitCommands)
    if (command == id) return unit;
  return std::nullopt;
}

int FrameRateOf(int id) {
  for (auto [command, fps] : kFrameRateCommands)
    if (command == id) return fps;
  return -1;
}

int BarOfToggle(int id) {
  for (int b = 0; b < kBarCount; ++b)
    if (ToolBarToggle(b) == id) return b;
  return -1;
}

Placed MonitorOf(int id) {
  switch (id) {
    case kVuMeter: return Placed::VolumeControl;
    case kScope: return Placed::Scope;
    default: return Placed::SelectionManager;
  }
}

// Initial rows of the bars: each row left to right.
const std::vector<std::vector<Bar>>& BarRows() {
  static const std::vector<std::vector<Bar>> rows = {
      {Bar::Tool, Bar::PlayRec, Bar::Zoom, Bar::Mode, Bar::Unit},
      {Bar::Edit, Bar::Selection, Bar::Preview, Bar::Effect},
      {Bar::Tools, Bar::Window},
  };
  return rows;
}

}  // namespace

// --- Placement --------------------------------------------------------------------------------------

WindowPlacement PlacementOf(const QWidget& window) {
  WindowPlacement p;
  p.showCmd = window.isMaximized() ? kShowMaximized : window.isMinimized() ? kShowMinimized : kShowNormal;
  const QRect r = window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
  p.left = r.left();
  p.top = r.top();
  p.right = r.left() + r.width();
  p.bottom = r.top() + r.height();
  return p;
}

void ApplyPlacement(QWidget& window, const WindowPlacement& placement) {
  if (!placement.IsSet()) return;
  window.setGeometry(placement.left, placement.top, placement.right - placement.left,
                     placement.bottom - placement.top);
}

// --- Construction ------------------------------------------------------------------------------------

CMainFrame::CMainFrame(AppState& state) : state_(state) {
  setObjectName("MainFrame");
  setWindowTitle(kAppTitle);
  setWindowIcon(ApplicationIcon());
  setAcceptDrops(true);
  resize(1440, 900);
  mdi_ = new QMdiArea(this);
  mdi_->setObjectName("MdiArea");
  // Closing a window activates the one that was active before it.
  mdi_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  if (state_.mainBackground.isValid()) mdi_->setBackground(state_.mainBackground);
  setCentralWidget(mdi_);
  BuildActions();
  BuildMenus();
  BuildToolBars();
  BuildStatusBar();
  ApplyPlacement(*this, state_.prefs.placements[int(Placed::Main)]);
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
    UpdateMenus();
    RefreshTitle();
    if (tools_) tools_->SelectionChanged(ActiveChild());
  });
  connect(&periodic_, &QTimer::timeout, this, &CMainFrame::OnPeriodicTimer);
  connect(&clock_, &QTimer::timeout, this, &CMainFrame::UpdateClock);
  // Paste and Paste New follow what the desktop clipboard holds.
  if (auto* clipboard = dynamic_cast<QtClipboard*>(CurrentPorts().clipboard))
    connect(clipboard, &QtClipboard::changed, this, &CMainFrame::UpdateMenus);
  RestartPeriodicTimer();
  clock_.start(kClockPeriodMs);
  displayListener_ = TheDisplayState().AddListener([this] { RedrawAllDocuments(); });
  UpdateMenus();
}

CMainFrame::~CMainFrame() {
  TheDisplayState().RemoveListener(displayListener_);
  // Document windows go first (also closed ones not yet deleted): their views refer to the
  // documents they own, and their signals must not reach a frame that is going away.
  for (CChildFrame* child : mdi_->findChildren<CChildFrame*>()) {
    disconnect(child, nullptr, this, nullptr);
    delete child;
  }
}

void CMainFrame::BuildActions() {
  for (const CommandRow& row : CommandTable()) {
    auto* action = new QAction(row.text, this);
    action->setObjectName(QString("command%1").arg(row.id));
    action->setData(row.id);
    action->setCheckable(row.checkable);
    if (*row.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut), QKeySequence::PortableText));
    action->setIconText(QString(row.text).remove('&').remove("..."));
    action->setStatusTip(StatusText(row));
    const int id = row.id;
    connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    addAction(action);
    actions_[row.id] = action;
  }
}

void CMainFrame::BuildMenus() {
  std::function<void(QMenu*, const std::vector<MenuNode>&)> fill = [&](QMenu* menu, const std::vector<MenuNode>& items) {
    for (const MenuNode& node : items) {
      if (node.title) {
        QMenu* sub = menu->addMenu(node.title);
        fill(sub, node.items);
      } else if (node.id == kRecentFile1) {
        for (int i = 0; i < kRecentFileCount; ++i) {
          recent_[i] = menu->addAction(QString());
          recent_[i]->setObjectName(QString("command%1").arg(kRecentFile1 + i));
          connect(recent_[i], &QAction::triggered, this, [this, i] {
            if (!busy_ && i < state_.prefs.recentFiles.size()) OpenFile(state_.prefs.recentFiles[i]);
          });
        }
      } else if (node.id == 0) {
        menu->addSeparator();
      } else if (QAction* action = Action(node.id)) {
        menu->addAction(action);
      }
    }
  };
  for (const MenuNode& top : MenuBarLayout()) {
    QMenu* menu = menuBar()->addMenu(top.title);
    fill(menu, top.items);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);
    if (QString(top.title) == "&Window") {
      windowList_ = menu->addSeparator();
      connect(menu, &QMenu::aboutToShow, this, [this, menu] { ListDocumentWindows(menu); });
    }
  }
  UpdateRecentFiles();
}

void CMainFrame::BuildToolBars() {
  for (int b = 0; b < kBarCount; ++b) {
    auto* bar = new QToolBar(ToolBarTitle(b), this);
    bar->setObjectName(BarKey(Bar(b)));
    bar->setIconSize(QSize(20, 20));
    for (int id : ToolBarButtons(b)) {
      if (id == 0) {
        bar->addSeparator();
        continue;
      }
      QAction* action = Action(id);
      if (!action) continue;
      if (action->icon().isNull()) action->setIcon(CommandIcon(*FindCommand(id), b));
      bar->addAction(action);
    }
    bars_[b] = bar;
  }
  bool firstRow = true;
  for (const auto& row : BarRows()) {
    if (!firstRow) addToolBarBreak(Qt::TopToolBarArea);
    firstRow = false;
    for (Bar b : row) addToolBar(Qt::TopToolBarArea, bars_[int(b)]);
  }
  for (int b = 0; b < kBarCount; ++b) {
    // The zoom bar is shown at every start; the others as they were left.
    const bool visible = Bar(b) == Bar::Zoom || state_.prefs.barVisible[b] != 0;
    bars_[b]->setVisible(visible);
    connect(bars_[b], &QToolBar::visibilityChanged, this, [this] { UpdateMenus(); });
  }
}

void CMainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar");
  date_ = new QLabel(bar);
  date_->setObjectName("Date");
  time_ = new QLabel(bar);
  time_->setObjectName("Time");
  bar->addPermanentWidget(date_);
  bar->addPermanentWidget(time_);
  bar->showMessage(tr("Ready"));
  UpdateClock();
}

QString CMainFrame::DateText() const { return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat); }
QString CMainFrame::TimeText() const { return QLocale().toString(QTime::currentTime(), QLocale::LongFormat); }

void CMainFrame::UpdateClock() {
  date_->setText(DateText());
  time_->setText(QTime::currentTime().toString("HH:mm:ss"));
}

void CMainFrame::ListDocumentWindows(QMenu* menu) {
  // The entries after the separator name the open document windows; the active one is checked.
  const QList<QAction*> entries = menu->actions();
  for (qsizetype i = entries.indexOf(windowList_) + 1; i < entries.size(); ++i) delete entries[i];
  const QList<CChildFrame*> children = Children();
  windowList_->setVisible(!children.isEmpty());
  for (qsizetype i = 0; i < children.size(); ++i) {
    CChildFrame* child = children[i];
    QAction* entry = menu->addAction(QString("&%1 %2").arg(i + 1).arg(child->TitleText()));
    entry->setCheckable(true);
    entry->setChecked(child == ActiveChild());
    connect(entry, &QAction::triggered, this, [this, child] { mdi_->setActiveSubWindow(child); });
  }
}

void CMainFrame::UpdateRecentFiles() {
  const QStringList& files = state_.prefs.recentFiles;
  for (int i = 0; i < kRecentFileCount; ++i) {
    const bool used = i < files.size();
    recent_[i]->setVisible(used);
    if (used) recent_[i]->setText(QString("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
  }
}

void CMainFrame::NoteRecentFile(const QString& path) {
  AddRecentFile(state_.prefs, QFileInfo(path).absoluteFilePath());
  UpdateRecentFiles();
}

// --- Documents ---------------------------------------------------------------------------------------

CChildFrame* CMainFrame::AddDocument(std::unique_ptr<CTarkelDoc> doc) {
  auto* child = new CChildFrame(std::move(doc), state_);
  child->setWindowIcon(windowIcon());
  // A document whose operation is still running (its progress window lets events through)
  // stays open.
  child->mayClose = [this](CChildFrame& c) { return !DocumentBusy(c.Document()) && QuerySaveDocument(c.Document(), this); };
  connect(child, &CChildFrame::documentChanged, this, [this](CChildFrame* changed) {
    if (changed == ActiveChild()) RefreshTitle();
    if (changed == ActiveChild() && tools_) tools_->SelectionChanged(changed);
    UpdateMenus();
  });
  connect(child, &QObject::destroyed, this, [this] {
    UpdateMenus();
    RefreshTitle();
  });
  ConnectViewCommands(*child, *this);
  mdi_->addSubWindow(child);
  // A new window takes a good part of the area, each one a step below and right of the last.
  // (Measured from the main window: documents named at start-up open before it is laid out.)
  const int step = (28 * (Children().size() - 1)) % 224;
  child->setGeometry(step, step, std::max(480, width() * 3 / 5), std::max(260, height() * 2 / 5));
  child->show();
  mdi_->setActiveSubWindow(child);
  child->View()->setFocus();
  UpdateMenus();
  RefreshTitle();
  return child;
}

CChildFrame* CMainFrame::OpenFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  for (CChildFrame* child : Children()) {
    if (QString::fromStdString(child->Document().PathName()) == absolute) {
      mdi_->setActiveSubWindow(child);
      return child;
    }
  }
  auto doc = OpenDocument(absolute);
  if (!doc) return nullptr;
  NoteRecentFile(absolute);
  return AddDocument(std::move(doc));
}

CChildFrame* CMainFrame::ActiveChild() const { return qobject_cast<CChildFrame*>(mdi_->currentSubWindow()); }

QList<CChildFrame*> CMainFrame::Children() const {
  QList<CChildFrame*> children;
  for (QMdiSubWindow* w : mdi_->subWindowList())
    if (auto* child = qobject_cast<CChildFrame*>(w)) children << child;
  return children;
}

bool CMainFrame::CloseAllDocuments() {
  for (CChildFrame* child : Children()) {
    mdi_->setActiveSubWindow(child);
    if (!child->close()) return false;
  }
  return true;
}

void CMainFrame::SaveAllDocuments() {
  for (CChildFrame* child : Children()) {
    if (!child->Document().IsModified()) continue;
    mdi_->setActiveSubWindow(child);
    if (!QuerySaveDocument(child->Document(), this)) break;
    child->UpdateChildStatus();
  }
}

// --- Commands --------------------------------------------------------------------------------------------

QAction* CMainFrame::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

CommandContext CMainFrame::Context() {
  CommandContext context{*this};
  context.child = ActiveChild();
  if (context.child) {
    context.view = context.child->View();
    context.doc = &context.child->Document();
  }
  return context;
}

CommandState CMainFrame::StateOf(int id) {
  const CommandRow* row = FindCommand(id);
  if (!row) return {};
  const CommandContext context = Context();
  if (context.doc && context.doc->Sound().IsLoading() && !AllowedWhileLoading(*row)) return {};
  CommandState state;
  if (context.view && context.view->CommandState(id, state.enabled, state.checked)) return state;
  return row->enabler(context, id);
}

void CMainFrame::UpdateMenus() {
  for (const auto& [id, action] : actions_) {
    const CommandState state = StateOf(id);
    action->setEnabled(state.enabled);
    if (action->isCheckable()) action->setChecked(state.checked);
  }
}

void CMainFrame::Dispatch(int id) {
  if (busy_) return;
  const CommandRow* row = FindCommand(id);
  if (!row) return;
  // Accelerators and buttons act only on what the menus would allow.
  if (!StateOf(id).enabled) return;
  // While the command runs (a dialog of its own, or its progress window letting events
  // through) other commands are ignored.
  busy_ = true;
  CommandContext context = Context();
  if (!(context.view && context.view->HandleCommand(id)) && row->handler) {
    if (context.doc && row->target == Target::Document) StopBeforeDocumentCommand(*context.doc, id);
    row->handler(context, id);
  }
  busy_ = false;
  for (CChildFrame* child : Children()) child->UpdateChildStatus();
  UpdateMenus();
  RefreshTitle();
}

void CMainFrame::RefreshTitle() {
  CChildFrame* child = ActiveChild();
  setWindowTitle(child ? QString("%1 - %2").arg(kAppTitle, child->TitleText()) : QString(kAppTitle));
}

CommandState FrameCommandState(const CommandContext& context, int id) { return context.frame.FrameState(context, id); }
void RunFrameCommand(CommandContext& context, int id) { context.frame.RunFrame(context, id); }

CommandState CMainFrame::FrameState(const CommandContext& c, int id) {
  const ViewPreferences& v = TheViewPreferences();
  if (const auto unit = UnitOf(id)) return {true, TheDisplayState().Unit() == *unit};
  if (const int fps = FrameRateOf(id); fps >= 0) return {true, TheDisplayState().FrameRate() == fps};
  if (const int bar = BarOfToggle(id); bar >= 0) return {true, !bars_[bar]->isHidden()};
  switch (id) {
    case kFileClose:
    case kWindowCascade:
    case kWindowTile:
    case kWindowArrange:
    case kNextPane:
    case kPrevPane: return {c.child != nullptr, false};
    case kSaveAll:
    case kCloseAll: return {!Children().isEmpty(), false};
    case kAppExit:
    case kAppAbout:
    case kPreferences:
    case kMciSynchronizer: return {true, false};
    case kStatusBar: return {true, !statusBar()->isHidden()};
    case kSnapToZero: return {true, v.autoSnapToZero != 0};
    case kTrackView: return {true, v.scrollToPlayRecMarker != 0};
    case kDrawLine: return {true, v.scrollToPlayRecMarker == 0};
    case kVuMeter:
    case kScope:
    case kRegionManager: {
      const QWidget* w = Monitor(MonitorOf(id));
      return {w != nullptr, w && w->isVisible()};
    }
    case kHistogram: return {c.doc && c.view && c.doc->Sound().HasData() && tools_, false};
    case kVolumeControl: return {!QStandardPaths::findExecutable(kMixerProgram).isEmpty(), false};
    default: return {};  // devices, printer set-up, help: not on this platform yet
  }
}

void CMainFrame::RunFrame(CommandContext& c, int id) {
  Preferences& p = state_.prefs;
  ViewPreferences& v = TheViewPreferences();
  // The display state tells every window itself (see the constructor).
  if (const auto unit = UnitOf(id)) {
    TheDisplayState().SetUnit(*unit);
    return;
  }
  if (const int fps = FrameRateOf(id); fps >= 0) {
    TheDisplayState().SetFrameRate(uint16_t(fps));
    return;
  }
  if (BarOfToggle(id) >= 0) {
    ToggleBar(id);
    return;
  }
  switch (id) {
    case kFileClose:
      if (c.child) c.child->close();
      return;
    case kSaveAll: SaveAllDocuments(); return;
    case kCloseAll: CloseAllDocuments(); return;
    case kAppExit: QTimer::singleShot(0, this, &QWidget::close); return;
    case kAppAbout:
      QMessageBox::about(this, tr("Info"),
                         QString("Tarkel %1\nA sound editor for the Linux desktop.").arg(QApplication::applicationVersion()));
      return;
    case kPreferences:
      if (RunPreferenceSheet(*this, state_)) {
        if (tools_) tools_->ApplyPreferences();
        RedrawAllDocuments();
        RestartPeriodicTimer();
      }
      return;
    case kStatusBar: statusBar()->setVisible(statusBar()->isHidden()); return;
    case kSnapToZero: v.autoSnapToZero = v.autoSnapToZero ? 0 : 1; return;
    case kTrackView: v.scrollToPlayRecMarker = 1; return;
    case kDrawLine: v.scrollToPlayRecMarker = 0; return;
    case kVuMeter: ToggleMonitor(Placed::VolumeControl, false); return;
    case kScope: ToggleMonitor(Placed::Scope, false); return;
    case kRegionManager: ToggleMonitor(Placed::SelectionManager, !p.IsFirstRun()); return;
    case kMciSynchronizer: ShowMessage(msg::kMciNotFound); return;
    case kHistogram: tools_->ShowHistogram(c); return;
    case kVolumeControl: QProcess::startDetached(kMixerProgram, {}); return;
    case kWindowCascade: mdi_->cascadeSubWindows(); return;
    case kWindowTile: mdi_->tileSubWindows(); return;
    case kWindowArrange: mdi_->tileSubWindows(); return;
    case kNextPane: mdi_->activateNextSubWindow(); return;
    case kPrevPane: mdi_->activatePreviousSubWindow(); return;
    default: return;
  }
}

void CMainFrame::ToggleBar(int id) {
  const int b = BarOfToggle(id);
  bars_[b]->setVisible(bars_[b]->isHidden());
}

// --- Monitor windows -----------------------------------------------------------------------------------------

QWidget* CMainFrame::Monitor(Placed window) const { return monitors_[int(window)]; }

void CMainFrame::CreateMonitorWindows() {
  tools_ = std::make_unique<MonitorWindows>(*this, state_);
  monitors_[int(Placed::SelectionManager)] = tools_->Regions();
  monitors_[int(Placed::VolumeControl)] = tools_->VolumeControl();
  monitors_[int(Placed::Scope)] = tools_->Scope();
  connect(tools_.get(), &MonitorWindows::visibilityChanged, this, &CMainFrame::UpdateMenus);
  tools_->SelectionChanged(ActiveChild());
}

void CMainFrame::ShowMonitorWindows() {
  const Preferences& p = state_.prefs;
  const bool first = p.IsFirstRun();
  const std::pair<Placed, int32_t> shown[] = {
      {Placed::SelectionManager, p.selectionWindowVisible},
      {Placed::VolumeControl, p.volumeControlWindowVisible},
      {Placed::Scope, p.scopeWindowVisible},
  };
  // Without a stored placement a monitor window stands at the right edge of the screen, the
  // next one below it.
  const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1600, 1000);
  int nextTop = screen.top() + 40;
  for (auto [window, visible] : shown) {
    QWidget* w = Monitor(window);
    if (!w || !(visible || first)) continue;
    const WindowPlacement& placement = p.placements[int(window)];
    if (!first && placement.IsSet()) {
      ApplyPlacement(*w, placement);
    } else {
      w->move(screen.right() - w->width() - 8, nextTop);
      nextTop += w->height() + 32;
    }
    w->show();
  }
}

void CMainFrame::ToggleMonitor(Placed window, bool restorePlacement) {
  QWidget* w = Monitor(window);
  if (!w) return;
  if (w->isVisible()) {
    state_.prefs.placements[int(window)] = PlacementOf(*w);
    w->hide();
    return;
  }
  if (restorePlacement) ApplyPlacement(*w, state_.prefs.placements[int(window)]);
  w->show();
}

void CMainFrame::ShowWithPlacement() {
  const WindowPlacement& p = state_.prefs.placements[int(Placed::Main)];
  if (p.showCmd == kShowMaximized)
    showMaximized();
  else
    show();
}

// --- Timers and redraws --------------------------------------------------------------------------------------

void CMainFrame::RestartPeriodicTimer() {
  const int period = state_.prefs.globalTimeSliceMs > 0 ? state_.prefs.globalTimeSliceMs : 80;
  periodic_.start(period);
}

void CMainFrame::OnPeriodicTimer() {
  tick_ ^= 1;
  // The audio engine (marker, position pane) and the monitor windows do their share.
  emit periodicTick(tick_ == 0);
  if (tools_) tools_->Tick(tick_ == 0);
}

void CMainFrame::RedrawAllDocuments() {
  if (state_.mainBackground.isValid()) mdi_->setBackground(state_.mainBackground);
  for (CChildFrame* child : Children()) {
    child->UpdateChildStatus();
    // The views draw their pictures anew (colours and switches may have changed).
    child->Document().UpdateAllViews();
  }
  RefreshTitle();
  UpdateMenus();
}

// --- Closing --------------------------------------------------------------------------------------------------------

void CMainFrame::StoreSettings() {
  Preferences& p = state_.prefs;
  p.placements[int(Placed::Main)] = PlacementOf(*this);
  const std::pair<Placed, int32_t Preferences::*> windows[] = {
      {Placed::Scope, &Preferences::scopeWindowVisible},
      {Placed::VolumeControl, &Preferences::volumeControlWindowVisible},
      {Placed::SelectionManager, &Preferences::selectionWindowVisible},
  };
  for (auto [window, key] : windows) {
    const QWidget* w = Monitor(window);
    p.*key = w && w->isVisible() ? 1 : 0;
    if (w && w->isVisible()) p.placements[int(window)] = PlacementOf(*w);
  }
  for (int b = 0; b < kBarCount; ++b) p.barVisible[b] = bars_[b]->isHidden() ? 0 : 1;
  ReadPreferencesFromCore(p);
  ReadPreferencesFromView(p);
  QSettings store("Brannick", "Tarkel");
  SaveFrameState(store, p);
  SavePreferences(store, p);
  settingsStored_ = true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (busy_ || !CloseAllDocuments()) {
    event->ignore();
    return;
  }
  if (!settingsStored_) StoreSettings();
  for (QWidget* w : monitors_)
    if (w) w->hide();
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  OpenDroppedFiles(event->mimeData()->urls());
  event->acceptProposedAction();
}

void CMainFrame::OpenDroppedFiles(const QList<QUrl>& urls) {
  if (busy_) return;
  for (const QUrl& url : urls)
    if (url.isLocalFile()) OpenFile(url.toLocalFile());
}

}  // namespace tarkel::app
