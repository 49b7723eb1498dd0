#include "sound/ProgressDialog.h"

#include "sound/Ports.h"

namespace tarkel {

std::string PercentText(int percent) { return std::to_string(percent) + '%'; }

bool ProgressDialog::Create(const std::string& caption) {
  Destroy();
  if (!CurrentPorts().progress->Open(caption)) return false;
  open_ = true;
  position_ = Lower();
  CurrentPorts().progress->SetPosition(position_);
  CurrentPorts().progress->SetText(PercentText(0));
  return true;
}

void ProgressDialog::Destroy() {
  if (!open_) return;
  open_ = false;
  CurrentPorts().progress->Close();
}

void ProgressDialog::StepIt() {
  position_ += Step();
  if (position_ > Upper()) position_ = Upper();
  if (!open_) return;
  CurrentPorts().progress->SetPosition(position_);
  CurrentPorts().progress->SetText(PercentText(position_));
}

void ProgressDialog::SetPercent(int position, int percent) {
  position_ = position;
  if (!open_) return;
  CurrentPorts().progress->SetPosition(position_);
  CurrentPorts().progress->SetText(PercentText(percent));
}

bool ProgressDialog::PumpAndCheckCancel() { return open_ && CurrentPorts().progress->PumpAndCheckCancel(); }

}  // namespace tarkel
