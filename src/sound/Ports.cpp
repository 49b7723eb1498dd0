#include "sound/Ports.h"

#include "sound/MessageIds.h"
#include "sound/MessageTable.h"

namespace tarkel {
namespace {

class SilentUserInterface final : public UserInterfacePort {
 public:
  void ShowMessage(int, const std::string&) override {}
  bool AskYesNo(int, const std::string&) override { return false; }
  void ShowText(const std::string&) override {}
};

class SilentProgress final : public ProgressPort {
 public:
  bool Open(const std::string&) override { return true; }
  void SetPosition(int) override {}
  void SetText(const std::string&) override {}
  bool PumpAndCheckCancel() override { return false; }
  void Close() override {}
};

// A clipboard private to the process: what was written can be read back.
class ProcessClipboard final : public ClipboardPort {
 public:
  bool OpenClipboard() override { return true; }
  void CloseClipboard() override {}
  bool HasWave() override { return !image_.empty(); }
  std::vector<uint8_t> ReadWave() override { return image_; }
  bool WriteWave(std::vector<uint8_t> image) override {
    image_ = std::move(image);
    return true;
  }
  void EmptyWave() override { image_.clear(); }

 private:
  std::vector<uint8_t> image_;
};

class CancellingChooser final : public FormatChooserPort {
 public:
  int Choose(const std::string&, WaveFormat&) override { return kChooseCancel; }
};

SilentUserInterface silentUi;
SilentProgress silentProgress;
ProcessClipboard processClipboard;
CancellingChooser cancellingChooser;

Ports WithDefaults(Ports p) {
  if (!p.ui) p.ui = &silentUi;
  if (!p.progress) p.progress = &silentProgress;
  if (!p.clipboard) p.clipboard = &processClipboard;
  if (!p.formatChooser) p.formatChooser = &cancellingChooser;
  return p;
}

Ports& Current() {
  static Ports ports = WithDefaults({});
  return ports;
}

}  // namespace

const Ports& CurrentPorts() { return Current(); }

Ports SetPorts(const Ports& ports) {
  Ports previous = Current();
  Current() = WithDefaults(ports);
  return previous;
}

void ShowMessage(int number) {
  if (const char* text = MessageText(number)) CurrentPorts().ui->ShowMessage(number, text);
}

bool AskMessage(int number) {
  const char* text = MessageText(number);
  return text && CurrentPorts().ui->AskYesNo(number, text);
}

bool ChooseFormat(const std::string& title, WaveFormat& format) {
  switch (CurrentPorts().formatChooser->Choose(title, format)) {
    case kChooseOk: return true;
    case kChooseCancel: return false;
    case kChooseNotPossible: ShowMessage(msg::kGeneralError); return false;
    case kChooseBusy: ShowMessage(msg::kNotPossibleNow); return false;
    default: ShowMessage(msg::kUnknownAcmError); return false;
  }
}

void ShowText(const std::string& text) { CurrentPorts().ui->ShowText(text); }

bool AskText(const std::string& text) { return CurrentPorts().ui->AskYesNo(0, text); }

}  // namespace tarkel
