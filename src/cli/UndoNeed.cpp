#include "cli/UndoNeed.h"

#include "document/UndoStore.h"

namespace tarkel {

UndoNeed::UndoNeed(const std::vector<CliStep>& steps)
    : undoFollows_(steps.size(), false), switchedOff_(steps.size(), false) {
  bool follows = false;
  for (size_t i = steps.size(); i-- > 0;) {
    undoFollows_[i] = follows;
    follows = follows || steps[i].kind == StepKind::Undo;
  }
  bool off = false;
  for (size_t i = 0; i < steps.size(); ++i) {
    off = off || steps[i].kind == StepKind::UndoOff;
    switchedOff_[i] = off;
  }
}

void UndoNeed::Before(size_t index) {
  if (index >= undoFollows_.size()) return;
  TheUndoStore().SetEnabled(undoFollows_[index] && !switchedOff_[index]);
}

}  // namespace tarkel
