#include "regions/ui/RegionWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

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
constexpr const char* kSavePlayListTitle = "Save the Play-List as a WAV-File";

// "Name (*.x)|*.x|Other (*.*)|*.*||" as Qt writes a filter: the names, which hold their patterns.
QString QtFilter(const char* filter) {
  const QStringList parts = QString::fromUtf8(filter).split('|');
  QStringList names;
  for (int i = 0; i + 1 < parts.size(); i += 2)
    if (!parts[i].isEmpty()) names << parts[i];
  return names.join(";;");
}

QString ControlName(int id) { return QString("ctl%1").arg(id); }

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
  list_.changed = [this] { Rebuild(); };
  Rebuild();
  ShowEdits();
}

RegionWindow::~RegionWindow() {
  list_.changed = nullptr;
  if (TheDocumentHooks().regionSink == sink_.get()) TheDocumentHooks().regionSink = nullptr;
}

void RegionWindow::BuildWidgets() {
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(ControlName(region_ctl::kList));
  tree_->setRootIsDecorated(false);
  tree_->setUniformRowHeights(true);
  tree_->setAllColumnsShowFocus(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  tree_->setColumnCount(int(kRegionColumns.size()));
  QStringList titles;
  for (const RegionColumn& column : kRegionColumns) titles << QString::fromUtf8(column.title);
  tree_->setHeaderLabels(titles);
  for (int c = 0; c < int(kRegionColumns.size()); ++c) {
    tree_->setColumnWidth(c, kRegionColumns[size_t(c)].width);
    tree_->headerItem()->setTextAlignment(
        c, (kRegionColumns[size_t(c)].rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  }
  tree_->header()->setStretchLastSection(true);

  auto button = [this](const QString& text, int id) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(ControlName(id));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, id] { RunCommand(id); });
    return b;
  };
  up_ = button(QString::fromUtf8("\u25B2"), region_cmd::kMoveUp);
  down_ = button(QString::fromUtf8("\u25BC"), region_cmd::kMoveDown);
  for (QPushButton* b : {up_, down_}) b->setFixedWidth(28);
  add_ = button("&Add", region_cmd::kAdd);
  select_ = button("&Select", region_cmd::kSelect);
  play_ = button("&Play", region_cmd::kPlay);
  playAll_ = button("Play A&ll", region_cmd::kPlayAll);

  unit_ = new QComboBox(this);
  unit_->setObjectName(ControlName(region_ctl::kUnit));
  for (const char* entry : kUnitEntries) unit_->addItem(entry);
  channel_ = new QComboBox(this);
  channel_->setObjectName(ControlName(region_ctl::kChannel));
  for (const char* entry : kChannelEntries) channel_->addItem(entry);
  auto edit = [this](int id) {
    auto* e = new QLineEdit(this);
    e->setObjectName(ControlName(id));
    e->setAlignment(Qt::AlignRight);
    return e;
  };
  start_ = edit(region_ctl::kStart);
  end_ = edit(region_ctl::kEnd);
  length_ = edit(region_ctl::kLength);
  length_->setReadOnly(true);
  autoPlay_ = new QCheckBox("AutoPlay", this);
  autoPlay_->setObjectName(ControlName(region_ctl::kAutoPlay));

  auto* moves = new QVBoxLayout;
  moves->addWidget(up_);
  moves->addWidget(down_);
  moves->addStretch();
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(tree_, 1);
  listRow->addLayout(moves);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {add_, select_, play_, playAll_}) buttons->addWidget(b);
  buttons->addStretch();
  auto* left = new QVBoxLayout;
  left->addLayout(listRow, 1);
  left->addLayout(buttons);

  auto* right = new QGridLayout;
  right->addWidget(unit_, 0, 0, 1, 2);
  right->addWidget(new QLabel("Start:", this), 1, 0);
  right->addWidget(start_, 1, 1);
  right->addWidget(new QLabel("End:", this), 2, 0);
  right->addWidget(end_, 2, 1);
  right->addWidget(new QLabel("Length:", this), 3, 0);
  right->addWidget(length_, 3, 1);
  right->addWidget(channel_, 4, 0, 1, 2);
  right->addWidget(autoPlay_, 5, 0, 1, 2);
  right->setRowStretch(6, 1);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right);
  resize(880, 280);

  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { OnUserPicked(); });
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { RunCommand(region_cmd::kSelect); });
  connect(tree_, &QTreeWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { menu_->exec(tree_->viewport()->mapToGlobal(at)); });
  connect(unit_, &QComboBox::currentIndexChanged, this, [this] {
    Rebuild();
    ShowEdits();
  });
  connect(start_, &QLineEdit::textEdited, this, [this] { EditTyped(start_, editFirst_); });
  connect(end_, &QLineEdit::textEdited, this, [this] { EditTyped(end_, editLast_); });
  auto* remove = new QAction(tree_);
  remove->setShortcut(QKeySequence::Delete);
  remove->setShortcutContext(Qt::WidgetShortcut);
  tree_->addAction(remove);
  connect(remove, &QAction::triggered, this, [this] { RunCommand(region_cmd::kDelete); });
}

void RegionWindow::BuildMenu() {
  menu_ = new QMenu(this);
  const std::pair<const char*, int> entries[] = {
      {"&Add...", region_cmd::kAdd},
      {"&Change Name and repeats...", region_cmd::kChange},
      {"&Select", region_cmd::kSelect},
      {"&Delete", region_cmd::kDelete},
      {nullptr, 0},
      {"&Play", region_cmd::kPlay},
      {"Play &queue", region_cmd::kPlayAll},
      {nullptr, 0},
      {"&Open queue", region_cmd::kOpenQueue},
      {"&Save quere as...", region_cmd::kSaveQueue},
      {kSavePlayListTitle, region_cmd::kSavePlayList},
      {nullptr, 0},
      {"Delete &all", region_cmd::kDeleteAll},
  };
  for (const auto& [text, id] : entries) {
    if (!text) {
      menu_->addSeparator();
      continue;
    }
    QAction* action = menu_->addAction(text);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id = id] { RunCommand(id); });
  }
  connect(menu_, &QMenu::aboutToShow, this, [this] { UpdateButtons(); });
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
  if (selected >= 0) SetCurrentIndex(std::min(selected, tree_->topLevelItemCount() - 1));
  FitColumns();
  --rebuilding_;
  UpdateButtons();
}

// A column keeps its width unless its texts or its title need more (SMPTE times, long names).
void RegionWindow::FitColumns() {
  constexpr int kCellMargin = 12;
  const QFontMetrics metrics = tree_->fontMetrics();
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
  player.Stop();
  player.PlayScript(script);
}

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

void RegionWindow::RestoreSettings(QSettings& settings, bool firstRun) {
  RestorePlacement(settings);
  if (firstRun || settings.value(kVisibilityKey, 0).toInt() == 1) show();
}

void RegionWindow::ToggleShown(QSettings& settings, bool firstRun) {
  if (isVisible()) {
    hide();
    return;
  }
  if (!firstRun) RestorePlacement(settings);
  show();
  raise();
}

// The stored placement, the window's own as the default of every value.
void RegionWindow::RestorePlacement(QSettings& settings) {
  settings.beginGroup(kPlacementSection);
  const QRect now = geometry();
  const int left = settings.value("left", now.left()).toInt();
  const int top = settings.value("top", now.top()).toInt();
  const int right = settings.value("right", now.left() + now.width()).toInt();
  const int bottom = settings.value("bottom", now.top() + now.height()).toInt();
  settings.endGroup();
  if (right > left && bottom > top) setGeometry(left, top, right - left, bottom - top);
}

void RegionWindow::SaveSettings(QSettings& settings) const {
  settings.setValue(kVisibilityKey, isVisible() ? 1 : 0);
  if (!isVisible()) return;
  const QRect g = geometry();
  settings.beginGroup(kPlacementSection);
  const std::pair<const char*, int> placement[] = {
      {"showCmd", 1},           {"flags", 0},        {"ptMinPosition.x", -1}, {"ptMinPosition.y", -1},
      {"ptMaxPosition.x", -1},  {"ptMaxPosition.y", -1}, {"left", g.left()},  {"right", g.left() + g.width()},
      {"top", g.top()},         {"bottom", g.top() + g.height()},
  };
  for (const auto& [key, value] : placement) settings.setValue(key, value);
  settings.endGroup();
}

}  // namespace tarkel::ui
