#include "fileformats/SteppedTransfer.h"

#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/ProgressDialog.h"

namespace tarkel {

TransferResult TransferInSteps(uint64_t total, const std::string& caption,
                               const std::function<bool(uint64_t offset, uint64_t count)>& move) {
  ProgressDialog progress;
  if (!progress.Create(caption)) ShowMessage(msg::kGeneralErrorBang);
  const uint64_t stepBytes = total / kTransferSteps;
  uint64_t offset = 0;
  for (uint32_t step = 1; step <= kTransferSteps; ++step) {
    if (progress.PumpAndCheckCancel()) return TransferResult::kCancelled;
    const uint64_t count = step < kTransferSteps ? stepBytes : total - offset;
    if (!move(offset, count)) return TransferResult::kFailed;
    offset += count;
    progress.StepIt();
  }
  return TransferResult::kDone;
}

}  // namespace tarkel
