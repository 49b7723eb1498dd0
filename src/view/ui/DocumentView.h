#pragma once
// What the shell asks of the window that shows a document: its selection, and the commands a
// view handles (zoom, selection keys, units, play). The waveform view implements it; the shell
// makes one for each new child frame through CreateDocumentView and knows nothing else of it.
#include <QWidget>
#include <functional>

#include "sound/Selection.h"

namespace tarkel {
class CTarkelDoc;
}

namespace tarkel::ui {

class DocumentView : public QWidget {
 public:
  explicit DocumentView(QWidget* parent = nullptr) : QWidget(parent) {}
  ~DocumentView() override = default;

  virtual CTarkelDoc& Document() const = 0;

  // The range and channels the next edit, effect or play command acts on.
  virtual const Selection& CurrentSelection() const = 0;
  // Takes a new selection (after an edit that makes one: paste, move, copy-to; Select All).
  virtual void SetSelection(const Selection& selection) = 0;

  // Runs a command that the view handles, by its command number; false when the number is not
  // one of the view's (the shell then routes it elsewhere).
  virtual bool HandleCommand(int commandId) = 0;
  // The enabled and checked state of a view command; false when the number is not the view's.
  virtual bool CommandState(int commandId, bool& enabled, bool& checked) const = 0;

  // Called by the view whenever its selection or its activation changes; the shell refreshes
  // the child frame's panes and tells the region manager.
  std::function<void()> selectionChanged;
};

// Makes the view of a document inside `parent` (the child frame). Defined by the view layer.
DocumentView* CreateDocumentView(CTarkelDoc& document, QWidget* parent);

}  // namespace tarkel::ui
