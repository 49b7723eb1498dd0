#pragma once
// One row per command: its number, menu text, accelerator, who handles it and the functions that
// say whether it is enabled or checked and that run it. Menus, tool bars and accelerators are
// built from these rows; the main frame asks the active view first and the row second.
#include <span>
#include <vector>

namespace tarkel {
class CTarkelDoc;
namespace ui {
class DocumentView;
}
}  // namespace tarkel

namespace tarkel::app {

class CMainFrame;
class CChildFrame;

// Who handles a command when the active view does not.
enum class Target { View, Document, Frame, Transport };

struct CommandContext {
  CMainFrame& frame;
  CChildFrame* child = nullptr;
  ui::DocumentView* view = nullptr;
  CTarkelDoc* doc = nullptr;
};

struct CommandState {
  bool enabled = false;
  bool checked = false;
};

using Enabler = CommandState (*)(const CommandContext&, int id);
using Handler = void (*)(CommandContext&, int id);

struct CommandRow {
  int id;
  const char* text;      // menu text with its mnemonic
  const char* shortcut;  // accelerator in QKeySequence's portable form; "" for none
  const char* icon;      // tool bar symbol: a theme icon name or a short label
  Target target;
  bool checkable;
  Enabler enabler;
  Handler handler;  // null: only the view runs it
};

std::span<const CommandRow> CommandTable();
const CommandRow* FindCommand(int id);

// The menu bar: a tree of command numbers (0 a separator) and sub-menus.
struct MenuNode {
  int id = 0;
  const char* title = nullptr;  // set for a sub-menu
  std::vector<MenuNode> items;
};
const std::vector<MenuNode>& MenuBarLayout();

// The command numbers of each tool bar's buttons (0 a separator), by Bar.
const std::vector<int>& ToolBarButtons(int bar);
// The title and toggle command of each bar, by Bar.
const char* ToolBarTitle(int bar);
int ToolBarToggle(int bar);

}  // namespace tarkel::app
