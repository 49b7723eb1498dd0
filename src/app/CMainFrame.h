#pragma once
// The main window: the document windows in an MDI area, the menus, the eleven tool bars and the
// status bar with date and time, built from the command table. It routes every command to the
// active view first and then to the document or itself, runs the periodic timer of the marker
// and monitor updates, shows the monitor windows and keeps placements and bar visibility.
#include <QMainWindow>
#include <QTimer>
#include <QUrl>
#include <array>
#include <map>
#include <memory>

#include "app/CommandTable.h"
#include "app/Preferences.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace tarkel {
class CTarkelDoc;
}

namespace tarkel::app {

struct AppState;
class CChildFrame;
class MonitorWindows;

// The timers of the main frame.
inline constexpr int kPeriodicTimerId = 1;
inline constexpr int kClockTimerId = 4096;
inline constexpr int kClockPeriodMs = 1000;

class CMainFrame final : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(AppState& state);
  ~CMainFrame() override;

  AppState& State() { return state_; }

  // --- Documents ----------------------------------------------------------------------------
  // Shows `doc` in a new document window and activates it.
  CChildFrame* AddDocument(std::unique_ptr<CTarkelDoc> doc);
  // Opens the file as a document, or activates the window that already shows it. Null when the
  // file could not be read (the reader's message shown).
  CChildFrame* OpenFile(const QString& path);
  CChildFrame* ActiveChild() const;
  QList<CChildFrame*> Children() const;
  QMdiArea* MdiArea() const { return mdi_; }
  // Closes every document window, asking the save question for each; false when one stays.
  bool CloseAllDocuments();
  // Puts a file opened or saved under a new name at the head of the recent-file list.
  void NoteRecentFile(const QString& path);
  // Files dropped on the main window open as documents.
  void OpenDroppedFiles(const QList<QUrl>& urls);
  // Saves every modified document, asking for each; stops at Cancel.
  void SaveAllDocuments();

  // --- Commands -----------------------------------------------------------------------------
  // Runs command `id` as a menu item, button or accelerator does.
  void Dispatch(int id);
  // Enabled and checked states of every command from the active view, document and frame.
  void UpdateMenus();
  CommandState StateOf(int id);
  QAction* Action(int id) const;
  // True while a command runs (its progress window lets other events through).
  bool Busy() const { return busy_; }
  CommandState FrameState(const CommandContext& context, int id);
  void RunFrame(CommandContext& context, int id);

  // --- Bars, monitors, placement ----------------------------------------------------------------
  QToolBar* ToolBar(Bar bar) const { return bars_[int(bar)]; }
  QWidget* Monitor(Placed window) const;
  // What feeds the monitor windows; null before CreateMonitorWindows.
  MonitorWindows* Monitors() const { return tools_.get(); }
  // Creates the region manager, the volume control and the scope (hidden).
  void CreateMonitorWindows();
  // Shows the monitor windows whose visibility keys are set, or all on a first run.
  void ShowMonitorWindows();
  // Shows the main window with its stored placement.
  void ShowWithPlacement();
  void RestartPeriodicTimer();
  // Redraws every document window and refreshes its title and panes (after preferences or units
  // changed).
  void RedrawAllDocuments();
  void RefreshTitle();
  // Writes placements, bar and window visibility and the preferences (as closing does).
  void StoreSettings();

  QString DateText() const;
  QString TimeText() const;

 signals:
  // Every tick of the periodic timer; `secondTick` on every second one.
  void periodicTick(bool secondTick);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBars();
  void BuildStatusBar();
  void UpdateRecentFiles();
  void ListDocumentWindows(QMenu* menu);
  CommandContext Context();
  void OnPeriodicTimer();
  void UpdateClock();
  void ToggleMonitor(Placed window, bool restorePlacement);
  void ToggleBar(int id);

  AppState& state_;
  QMdiArea* mdi_ = nullptr;
  std::map<int, QAction*> actions_;
  std::array<QToolBar*, kBarCount> bars_{};
  std::array<QWidget*, kPlacedCount> monitors_{};
  std::unique_ptr<MonitorWindows> tools_;
  std::array<QAction*, kRecentFileCount> recent_{};
  QAction* windowList_ = nullptr;
  QLabel* date_ = nullptr;
  QLabel* time_ = nullptr;
  QTimer periodic_;
  QTimer clock_;
  int tick_ = 0;
  int displayListener_ = 0;
  bool busy_ = false;
  bool settingsStored_ = false;
};

// The frame's entries of the command table.
CommandState FrameCommandState(const CommandContext& context, int id);
void RunFrameCommand(CommandContext& context, int id);

// A window's placement and back.
WindowPlacement PlacementOf(const QWidget& window);
void ApplyPlacement(QWidget& window, const WindowPlacement& placement);

}  // namespace tarkel::app
