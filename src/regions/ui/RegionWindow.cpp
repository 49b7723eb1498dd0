// The region window's behaviour: its commands, the list view, the edits and the reports it gets.
#include "regions/ui/RegionWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "regions/DocumentOpener.h"
#include "regions/PlayListExport.h"
#include "regions/RegionPlayer.h"
#include "regions/RegionWindowModel.h"
#include "regions/ui/AddSelectionDialog.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"

namespace tarkel::ui {
namespace {

constexpr const char* kWaveFilter = "Wave-File (*.wav)|*.wav|All Files  (*.*)|*.*||";

// "Name (*.x)|*.x|Other (*.*)|*.*||" as Qt writes a filter: the names, which hold their patterns.
QString QtFilter(const char* filter) {
  const QStringList parts = QString::fromUtf8(filter).split('|');
  QStringList names;
  for (int i = 0; i + 1 < parts.size(); i += 2)
    if (!parts[i].isEmpty()) names << parts[i];
  return names.join(";;");
}

ChannelMode ModeOfChannel(uint16_t channel) {
  return channel >= 1 && channel <= 4 ? ChannelMode(channel) : ChannelMode::Both;
}

std::optional<std::pair<QString, uint32_t>> AskWithDialog(QWidget* parent, const QString& title, const QString& name,
                                                          uint32_t repeats) {
  AddSelectionDialog dialog(title, name, repeats, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return std::make_pair(dialog.Name(), dialog.Repeats());
}

QString AskWithFileDialog(QWidget* parent, bool save, const QString& title, const QString& filter,
                          const QString& suffix) {
  QFileDialog dialog(parent, title, QString(), filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

// Passes the documents' reports to the window, which also forgets a closing active document.
class WindowSink final : public RegionSink {
 public:
  explicit WindowSink(RegionWindow& window) : window_(window) {}
  void OnRegionChanged(const RegionNotice& notice, CTarkelDoc& doc) override { window_.onDocumentChanged(notice, &doc); }
  void OnDocumentCloses(CTarkelDoc& doc) override { window_.onDocumentClosing(&doc); }

 private:
  RegionWindow& window_;
};

}  // namespace

RegionWindow::RegionWindow(QWidget* parent, RegionPlayer* player, DocumentOpener* opener)
    : QWidget(parent, Qt::Tool), player_(player), opener_(opener),
      fallbackPlayer_(std::make_unique<DocumentPlayCommandPlayer>()),
      sink_(std::make_unique<WindowSink>(*this)) {
  setWindowTitle(kRegionWindowTitle);
  setObjectName(QString("dialog%1").arg(kRegionWindowTemplate));
  setAcceptDrops(true);
  askNameAndRepeats = [this](const QString& title, const QString& name, uint32_t repeats) {
    return AskWithDialog(this, title, name, repeats);
  };
  askFileName = [this](bool save, const QString& title, const QString& filter, const QString& suffix) {
    return AskWithFileDialog(this, save, title, filter, suffix);
  };
  BuildWidgets();
  BuildMenu();
  followTimer_ = new QTimer(this);
  followTimer_->setInterval(kFollowMs);
  connect(followTimer_, &QTimer::timeout, this, &RegionWindow::FollowPlaying);
  // A changed list no longer matches the script's places in it: the mark goes.
  list_.changed = [this] {
    StopFollowing();
    Rebuild();
  };
  Rebuild();
  ShowEdits();
}

RegionWindow::~RegionWindow() {
  list_.changed = nullptr;
  if (TheDocumentHooks().regionSink == sink_.get()) TheDocumentHooks().regionSink = nullptr;
}

bool RegionWindow::RunCommand(int command) {
  switch (command) {
    case region_cmd::kAdd: Add(); return true;
    case region_cmd::kChange: Change(); return true;
    case region_cmd::kSelect: Select(); return true;
    case region_cmd::kDelete: Delete(); return true;
    case region_cmd::kPlay: Play(false); return true;
    case region_cmd::kPlayAll: Play(true); return true;
    case region_cmd::kMoveUp: Move(true); return true;
    case region_cmd::kMoveDown: Move(false); return true;
    case region_cmd::kDeleteAll: list_.Clear(); return true;
    case region_cmd::kOpenQueue: OpenQueue(); return true;
    case region_cmd::kSaveQueue: SaveQueue(); return true;
    case region_cmd::kSavePlayList: SavePlayList(); return true;
    default: return false;
  }
}

int RegionWindow::CurrentIndex() const {
  const QTreeWidgetItem* item = tree_->currentItem();
  if (!item || !item->isSelected()) return -1;
  const int index = item->data(0, Qt::UserRole).toInt();
  return index >= 0 && size_t(index) < list_.Size() ? index : -1;
}

void RegionWindow::SetCurrentIndex(int index) {
  if (index < 0 || index >= tree_->topLevelItemCount()) return;
  // Picking a row from here is not the user's pick: AutoPlay stays quiet.
  ++rebuilding_;
  QTreeWidgetItem* item = tree_->topLevelItem(index);
  tree_->setCurrentItem(item);
  item->setSelected(true);
  tree_->scrollToItem(item);
  --rebuilding_;
  UpdateButtons();
}

// Every row anew in list order; the row that was selected stays selected.
void RegionWindow::Rebuild() {
  ++rebuilding_;
  const int selected = CurrentIndex();
  tree_->clear();
  const int unit = unit_->currentIndex();
  for (size_t i = 0; i < list_.Size(); ++i) {
    const auto texts = RowTexts(list_.At(i), unit, framesPerSecond_);
    auto* item = new QTreeWidgetItem;
    for (size_t c = 0; c < texts.size(); ++c) {
      item->setText(int(c), QString::fromStdString(texts[c]));
      item->setTextAlignment(int(c), (kRegionColumns[c].rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    item->setData(0, Qt::UserRole, int(i));
    tree_->addTopLevelItem(item);
  }
  MarkRow(playingRow_, true);
  if (selected >= 0) SetCurrentIndex(std::min(selected, tree_->topLevelItemCount() - 1));
  FitColumns();
  --rebuilding_;
  UpdateButtons();
}

// A column keeps its width unless its texts or its title need more (SMPTE times, long names).
void RegionWindow::FitColumns() {
  constexpr int kCellMargin = 12;
  // Measured in bold: the row being heard is shown so, and must not lose its ends.
  QFont bold = tree_->font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  for (int c = 0; c + 1 < tree_->columnCount(); ++c) {
    int needed = tree_->header()->sectionSizeHint(c);
    for (int row = 0; row < tree_->topLevelItemCount(); ++row)
      needed = std::max(needed, metrics.horizontalAdvance(tree_->topLevelItem(row)->text(c)) + kCellMargin);
    if (needed > tree_->columnWidth(c)) tree_->setColumnWidth(c, needed);
  }
}

// The edits show the frames the window holds. They are never read back from their own texts:
// a unit such as SMPTE rounds, and reading its text would move the range.
void RegionWindow::ShowEdits() {
  const units::SoundClock clock = ClockOf(activeDoc_, framesPerSecond_);
  const int unit = unit_->currentIndex();
  const bool known = activeDoc_ != nullptr;
  start_->setText(known ? QString::fromStdString(units::FramesToText(editFirst_, unit, clock)) : QString());
  end_->setText(known ? QString::fromStdString(units::FramesToText(editLast_, unit, clock)) : QString());
  ShowLength();
}

void RegionWindow::ShowLength() {
  if (!activeDoc_) {
    length_->clear();
    return;
  }
  const uint32_t length = editLast_ >= editFirst_ ? editLast_ - editFirst_ : 0;
  length_->setText(QString::fromStdString(units::FramesToText(length, unit_->currentIndex(), ClockOf(activeDoc_, framesPerSecond_))));
}

// What the user typed into the start or end edit, read in the chosen unit (a unit without a
// text form keeps the frames).
void RegionWindow::EditTyped(QLineEdit* edit, uint32_t& frames) {
  if (!activeDoc_) return;
  frames = units::TextToFrames(edit->text().toStdString(), unit_->currentIndex(), ClockOf(activeDoc_, framesPerSecond_),
                               frames);
  ShowLength();
}

void RegionWindow::UpdateButtons() {
  const int index = CurrentIndex();
  const bool picked = index >= 0;
  add_->setEnabled(activeDoc_ != nullptr);
  select_->setEnabled(picked);
  play_->setEnabled(picked);
  playAll_->setEnabled(!list_.Empty());
  up_->setEnabled(index > 0);
  down_->setEnabled(picked && size_t(index) + 1 < list_.Size());
  for (QAction* action : menu_ ? menu_->actions() : QList<QAction*>{}) {
    switch (action->data().toInt()) {
      case region_cmd::kAdd: action->setEnabled(activeDoc_ != nullptr); break;
      case region_cmd::kChange:
      case region_cmd::kSelect:
      case region_cmd::kDelete:
      case region_cmd::kPlay: action->setEnabled(picked); break;
      case region_cmd::kPlayAll:
      case region_cmd::kSaveQueue:
      case region_cmd::kSavePlayList:
      case region_cmd::kDeleteAll: action->setEnabled(!list_.Empty()); break;
      default: break;
    }
  }
}

void RegionWindow::OnUserPicked() {
  if (rebuilding_) return;
  UpdateButtons();
  if (autoPlay_->isChecked() && CurrentIndex() >= 0) Play(false);
}

void RegionWindow::Add() {
  if (!activeDoc_) return;
  const uint32_t frames = activeDoc_->Sound().Frames();
  if (frames == 0 || editFirst_ > editLast_ || editFirst_ >= frames) {
    ShowMessage(msg::kNothingSelected);
    return;
  }
  const int32_t number = list_.TakeNumber();
  const auto answer = askNameAndRepeats(kAddSelectionTitle, QString::number(number), 1);
  if (!answer) {
    list_.GiveBackNumber();
    return;
  }
  CWaveSelection region;
  region.name = answer->first.toStdString();
  region.repeats = answer->second;
  region.document = activeDoc_;
  region.filePath = activeDoc_->PathName();
  region.number = number;
  region.start = editFirst_;
  region.end = std::min(editLast_, frames - 1);
  region.channel = ChannelOfEntry(channel_->currentIndex());
  list_.Append(std::move(region));
  SetCurrentIndex(int(list_.Size()) - 1);
}

void RegionWindow::Change() {
  const int index = CurrentIndex();
  if (index < 0) return;
  const CWaveSelection& region = list_.At(size_t(index));
  const auto answer =
      askNameAndRepeats(kChangeSelectionTitle, QString::fromStdString(region.name), region.repeats);
  if (answer) list_.Change(size_t(index), answer->first.toStdString(), answer->second);
}

void RegionWindow::Move(bool up) {
  const int index = CurrentIndex();
  if (index < 0) return;
  if (!(up ? list_.MoveUp(size_t(index)) : list_.MoveDown(size_t(index)))) return;
  SetCurrentIndex(up ? index - 1 : index + 1);
  tree_->setFocus();
}

void RegionWindow::Play(bool all) {
  RegionPlayer& player = player_ ? *player_ : *fallbackPlayer_;
  std::vector<PlayPiece> script;
  if (all) {
    script = FullScript(list_.Regions());
  } else if (const int index = CurrentIndex(); index >= 0) {
    script = SingleScript(list_.At(size_t(index)));
  }
  if (script.empty()) return;
  if (!all) script.front().region = size_t(CurrentIndex());
  player.Stop();
  StopFollowing();
  if (!player.PlayScript(script)) return;
  follower_.Start(std::move(script));
  FollowPlaying();
  followTimer_->start();
}

// The region being heard is shown in bold while its script plays.
void RegionWindow::FollowPlaying() {
  RegionPlayer& player = player_ ? *player_ : *fallbackPlayer_;
  const int row = follower_.Update(player.Position());
  if (row != playingRow_) {
    MarkRow(playingRow_, false);
    playingRow_ = row;
    MarkRow(playingRow_, true);
  }
  if (row < 0) followTimer_->stop();
}

void RegionWindow::StopFollowing() {
  follower_.Stop();
  followTimer_->stop();
  MarkRow(playingRow_, false);
  playingRow_ = -1;
}

void RegionWindow::MarkRow(int row, bool playing) {
  QTreeWidgetItem* item = row >= 0 ? tree_->topLevelItem(row) : nullptr;
  if (!item) return;
  for (int c = 0; c < tree_->columnCount(); ++c) {
    QFont font = item->font(c);
    font.setBold(playing);
    item->setFont(c, font);
  }
}

int RegionWindow::PlayingIndex() const { return playingRow_; }

void RegionWindow::Select() {
  const int index = CurrentIndex();
  if (index < 0) return;
  const CWaveSelection& region = list_.At(size_t(index));
  if (region.document)
    emit selectRequested(region.document, region.start, region.end, int(ModeOfChannel(region.channel)));
}

void RegionWindow::Delete() {
  const int index = CurrentIndex();
  if (index >= 0) list_.Remove(size_t(index));
}

void RegionWindow::OpenQueue() {
  const QString path = askFileName(false, "&Open queue", QtFilter(kCueFilter), kCueExtension);
  if (!path.isEmpty()) LoadQueue(path);
}

void RegionWindow::LoadQueue(const QString& path) {
  struct NoDocuments : DocumentOpener {
    CTarkelDoc* OpenDocument(const std::string&) override { return nullptr; }
  } none;
  DocumentOpener& opener = opener_ ? *opener_ : none;
  list_.LoadCueFile(path.toStdString(), opener);
}

void RegionWindow::SaveQueue() {
  const QString path = askFileName(true, "&Save quere as...", QtFilter(kCueFilter), kCueExtension);
  if (!path.isEmpty()) list_.SaveCueFile(path.toStdString());
}

void RegionWindow::SavePlayList() {
  const QString path = askFileName(true, kSavePlayListTitle, QtFilter(kWaveFilter), "wav");
  if (!path.isEmpty()) ExportPlayList(list_.Regions(), path.toStdString());
}

void RegionWindow::onSelectionChanged(CTarkelDoc* doc, quint32 first, quint32 last, int mode) {
  activeDoc_ = doc;
  if (doc) {
    editFirst_ = first;
    editLast_ = last;
    channel_->setCurrentIndex(EntryOfChannel(ChannelMode(mode)));
    list_.NoteLength(*doc);
  }
  ShowEdits();
  UpdateButtons();
}

void RegionWindow::onDocumentChanged(const RegionNotice& notice, CTarkelDoc* doc) {
  if (doc) list_.OnRegionChanged(notice, *doc);
}

void RegionWindow::onDocumentClosing(CTarkelDoc* doc) {
  if (!doc) return;
  if (doc == activeDoc_) onSelectionChanged(nullptr, 0, 0, 0);
  list_.OnDocumentCloses(*doc);
}

void RegionWindow::setFrameRate(int framesPerSecond) {
  framesPerSecond_ = uint16_t(framesPerSecond > 0 ? framesPerSecond : units::kDefaultFramesPerSecond);
  Rebuild();
  ShowEdits();
}

void RegionWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// The first file dropped is loaded as a cue file.
void RegionWindow::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    event->acceptProposedAction();
    LoadQueue(url.toLocalFile());
    return;
  }
}

}  // namespace tarkel::ui
