#pragma once
// Undo data costs a copy of every range a change destroys. A run of tarkel-cli knows its steps in
// advance, so it keeps undo data only while a later --undo may still need it.
#include <cstddef>
#include <vector>

#include "cli/CliCommands.h"

namespace tarkel {

class UndoNeed {
 public:
  explicit UndoNeed(const std::vector<CliStep>& steps);
  // Switches the undo store on or off for step `index`: on while an --undo follows it, unless
  // --undo-off came before.
  void Before(size_t index);

 private:
  std::vector<bool> undoFollows_;
  std::vector<bool> switchedOff_;
};

}  // namespace tarkel
