#pragma once
// The tool windows beside the main window: the region manager, the VU meter with the volume
// knobs and the scope, with what they read from the audio transport. The main frame places,
// shows and hides them; this class feeds them: the active view's selection, the timer's ticks,
// the scope's preferences, and the histogram of a selection.
#include <QObject>
#include <memory>

#include "app/TransportMonitors.h"

namespace tarkel {
class CTarkelDoc;
class RegionPlayer;
namespace ui {
class RegionWindow;
class ScopeWindow;
class VolumeControlWindow;
}  // namespace ui
}  // namespace tarkel

namespace tarkel::app {

class CChildFrame;
class CMainFrame;
struct AppState;
struct CommandContext;
class ShellDocumentOpener;

class MonitorWindows final : public QObject {
  Q_OBJECT
 public:
  // Creates the windows hidden, as tool windows of `frame` (which owns this object and deletes
  // it before its child windows), and installs the region manager as
  // the documents' region sink.
  MonitorWindows(CMainFrame& frame, AppState& state);
  ~MonitorWindows() override;

  ui::RegionWindow* Regions() const { return regions_; }
  ui::VolumeControlWindow* VolumeControl() const { return volume_; }
  ui::ScopeWindow* Scope() const { return scope_; }

  // A tick of the periodic timer while something plays or records: the scope on every tick,
  // the level meters on every second one.
  void Tick(bool secondTick);
  // The active view's selection changed, or another view became active (null: none).
  void SelectionChanged(CChildFrame* child);
  // The scope's options from the preferences (at start and after the preference sheet).
  void ApplyPreferences();
  // 32913: a histogram window of the active view's selection.
  void ShowHistogram(const CommandContext& context);

 signals:
  // A tool window was shown or hidden.
  void visibilityChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnSelectRequested(CTarkelDoc* doc, quint32 first, quint32 last, int mode);

  CMainFrame& frame_;
  AppState& state_;
  TransportMonitorSource source_;
  TransportOutputVolume output_;
  std::unique_ptr<RegionPlayer> player_;
  std::unique_ptr<ShellDocumentOpener> opener_;
  ui::RegionWindow* regions_ = nullptr;
  ui::VolumeControlWindow* volume_ = nullptr;
  ui::ScopeWindow* scope_ = nullptr;
  bool wasActive_ = false;
};

}  // namespace tarkel::app
