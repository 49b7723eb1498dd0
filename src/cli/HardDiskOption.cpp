// --hard-disk: FILE is edited in place, as the editor does with the "Harddisk_editing"
// preference. Every edit and effect changes the file itself (journalled, so that a kill at any
// moment leaves the file as it was before or after that step); the header is brought up to date
// after each step and when the run ends. Saving the whole sound elsewhere (-o) is refused, as
// Save and Save as are in the editor's window.
#include <algorithm>

#include "cli/CliCommands.h"
#include "sound/AppContext.h"

namespace tarkel {
namespace {

constexpr const char* kInPlace = "hard-disk";

}  // namespace

bool ApplyHardDiskOption(std::vector<CliStep>& steps, std::string& error) {
  const auto isHardDisk = [](const CliStep& s) { return s.kind == StepKind::HardDisk; };
  if (std::none_of(steps.begin(), steps.end(), isHardDisk)) return true;
  std::erase_if(steps, isHardDisk);
  if (steps.empty() || steps.front().kind != StepKind::Open) {
    error = "--hard-disk wants FILE";
    return false;
  }
  if (std::any_of(steps.begin(), steps.end(), [](const CliStep& s) { return s.kind == StepKind::Save; })) {
    error = "-o is refused with --hard-disk: FILE itself is changed";
    return false;
  }
  steps.front().value2 = kInPlace;
  return true;
}

CliStatus RunOpenStep(CliSession& session, const CliStep& step) {
  AppContext& app = App();
  const int32_t hardDisk = app.hardDiskEditing;
  const bool backup = app.backupOnOpen;
  app.hardDiskEditing = step.value2 == kInPlace ? 1 : 0;
  app.backupOnOpen = false;
  const CliStatus status = RunOpen(session, step.value);
  app.hardDiskEditing = hardDisk;
  app.backupOnOpen = backup;
  return status;
}

}  // namespace tarkel
