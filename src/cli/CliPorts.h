#pragma once
// The ports of tarkel-cli: messages go to standard error as "message NNNN: TEXT", questions are
// answered by --yes/--no, the clipboard is a file; the progress window is the silent default.
#include <iosfwd>
#include <string>

#include "sound/Ports.h"

namespace tarkel {

class CliUserInterface final : public UserInterfacePort {
 public:
  CliUserInterface(std::ostream& err, const bool& answerYes) : err_(err), answerYes_(answerYes) {}
  void ShowMessage(int number, const std::string& text) override;
  bool AskYesNo(int number, const std::string& text) override;
  void ShowText(const std::string& text) override;

 private:
  std::ostream& err_;
  const bool& answerYes_;
};

// A file that stands in for the clipboard: its bytes are the wave image. With no file set the
// clipboard lives in memory for the run.
class FileClipboard final : public ClipboardPort {
 public:
  explicit FileClipboard(const std::string& path) : path_(path) {}
  bool OpenClipboard() override { return true; }
  void CloseClipboard() override {}
  bool HasWave() override;
  std::vector<uint8_t> ReadWave() override;
  bool WriteWave(std::vector<uint8_t> image) override;
  void EmptyWave() override;

 private:
  const std::string& path_;
  std::vector<uint8_t> memory_;
};

// The format chooser answers with a format given on the command line (or cancels).
class FixedFormatChooser final : public FormatChooserPort {
 public:
  int Choose(const std::string&, WaveFormat& format) override {
    if (!has_) return kChooseCancel;
    format = format_;
    return kChooseOk;
  }
  void Set(const WaveFormat& format) {
    format_ = format;
    has_ = true;
  }
  void Clear() { has_ = false; }

 private:
  WaveFormat format_;
  bool has_ = false;
};

}  // namespace tarkel
