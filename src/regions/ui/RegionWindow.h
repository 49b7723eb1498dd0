#pragma once
// The region manager window, "Play-Script/Region-Manager": a modeless tool window over the
// program's region list. The shell creates one, installs DocumentSink() as the documents'
// region manager, feeds it the active view's selection, and shows or hides it.
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "document/DocumentObserver.h"
#include "regions/RegionList.h"
#include "regions/ScriptFollower.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QSettings;
class QTimer;
class QTreeWidget;

namespace tarkel {
class CTarkelDoc;
class DocumentOpener;
class RegionPlayer;
}  // namespace tarkel

namespace tarkel::ui {

class RegionWindow : public QWidget {
  Q_OBJECT
 public:
  // `player` plays regions (null: the document's own play command plays the first region);
  // `opener` opens the sounds that cue files name (null: those regions are dropped).
  explicit RegionWindow(QWidget* parent = nullptr, RegionPlayer* player = nullptr, DocumentOpener* opener = nullptr);
  ~RegionWindow() override;

  RegionList& Regions() { return list_; }
  // What documents report to (messages 1075 and 1124): install as DocumentHooks::regionSink.
  // A shell that routes those reports itself calls onDocumentChanged/onDocumentClosing instead.
  RegionSink* DocumentSink() { return sink_.get(); }
  void SetPlayer(RegionPlayer* player) { player_ = player; }
  void SetDocumentOpener(DocumentOpener* opener) { opener_ = opener; }

  // Placement ("SelectionManager_WindowPlacement", ten integers) and visibility
  // ("Generic_Preferences/SelectionWindowVisible"). Restore shows the window when it was
  // visible or on a first run.
  void RestoreSettings(QSettings& settings, bool firstRun);
  void SaveSettings(QSettings& settings) const;
  // Command 32905: hides the window when it is shown; otherwise shows it at its stored
  // placement (on a first run where it is).
  void ToggleShown(QSettings& settings, bool firstRun);

  // Runs a window command by number (region_cmd); false for a number that is not one.
  bool RunCommand(int command);
  // The regions' row selected in the list; -1 for none.
  int CurrentIndex() const;
  void SetCurrentIndex(int index);
  // The row of the region heard now (shown in bold); -1 while no script plays.
  int PlayingIndex() const;
  // How often the window asks the player where the script is.
  static constexpr int kFollowMs = 100;

  // How the window asks the user; tests replace these.
  std::function<std::optional<std::pair<QString, uint32_t>>(const QString& title, const QString& name,
                                                            uint32_t repeats)>
      askNameAndRepeats;
  // An empty name: cancelled.
  std::function<QString(bool save, const QString& title, const QString& filter, const QString& suffix)> askFileName;

  // The widgets, for the shell's tests.
  QTreeWidget* List() const { return tree_; }
  QComboBox* UnitBox() const { return unit_; }
  QComboBox* ChannelBox() const { return channel_; }
  QLineEdit* StartEdit() const { return start_; }
  QLineEdit* EndEdit() const { return end_; }
  QLineEdit* LengthEdit() const { return length_; }
  QCheckBox* AutoPlayBox() const { return autoPlay_; }
  QMenu* ContextMenu() const { return menu_; }

 signals:
  // "&Select": the shell activates a view of `doc` and selects first..last in `mode`.
  void selectRequested(tarkel::CTarkelDoc* doc, quint32 first, quint32 last, int mode);

 public slots:
  // Message 1074: the active view's selection or the active view changed (doc null: none).
  void onSelectionChanged(tarkel::CTarkelDoc* doc, quint32 first, quint32 last, int mode);
  // Message 1075 and 1124 for a shell that routes them itself.
  void onDocumentChanged(const tarkel::RegionNotice& notice, tarkel::CTarkelDoc* doc);
  void onDocumentClosing(tarkel::CTarkelDoc* doc);
  // The program-wide SMPTE frame rate (25 at start).
  void setFrameRate(int framesPerSecond);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void RestorePlacement(QSettings& settings);
  void BuildWidgets();
  void BuildMenu();
  void Rebuild();
  void FitColumns();
  void ShowEdits();
  void ShowLength();
  void EditTyped(QLineEdit* edit, uint32_t& frames);
  void UpdateButtons();
  void OnUserPicked();

  void Add();
  void Change();
  void Move(bool up);
  void Play(bool all);
  void FollowPlaying();
  void StopFollowing();
  void MarkRow(int row, bool playing);
  void Select();
  void Delete();
  void OpenQueue();
  void LoadQueue(const QString& path);
  void SaveQueue();
  void SavePlayList();

  RegionList list_;
  RegionPlayer* player_;
  DocumentOpener* opener_;
  std::unique_ptr<RegionPlayer> fallbackPlayer_;
  std::unique_ptr<RegionSink> sink_;
  ScriptFollower follower_;
  QTimer* followTimer_ = nullptr;
  int playingRow_ = -1;

  // The active view's document and the range the edits show, in frames.
  CTarkelDoc* activeDoc_ = nullptr;
  uint32_t editFirst_ = 0;
  uint32_t editLast_ = 0;
  uint16_t framesPerSecond_ = 25;
  int rebuilding_ = 0;

  QTreeWidget* tree_ = nullptr;
  QComboBox* unit_ = nullptr;
  QComboBox* channel_ = nullptr;
  QLineEdit* start_ = nullptr;
  QLineEdit* end_ = nullptr;
  QLineEdit* length_ = nullptr;
  QCheckBox* autoPlay_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* select_ = nullptr;
  QPushButton* play_ = nullptr;
  QPushButton* playAll_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
  QMenu* menu_ = nullptr;
};

}  // namespace tarkel::ui
