// The region window's widgets and context menu: what they are, where they sit, what they run.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "regions/RegionWindowModel.h"
#include "regions/ui/RegionWindow.h"

namespace tarkel::ui {
namespace {

// Controls carry their old dialog numbers as object names ("ctl1057"), for tests and scripts.
QString ControlName(int id) { return QString("ctl%1").arg(id); }

}  // namespace

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

}  // namespace tarkel::ui
