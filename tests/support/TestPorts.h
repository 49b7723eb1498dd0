#pragma once
// Ports for the tests: they record every message and text shown, answer questions from a
// script, cancel the progress window on request and keep the clipboard in memory.
#include <deque>
#include <string>
#include <vector>

#include "sound/Ports.h"

namespace tarkel::test {

class RecordingPorts final : public UserInterfacePort, public ProgressPort, public ClipboardPort, public FormatChooserPort {
 public:
  RecordingPorts();
  ~RecordingPorts() override;

  // UserInterfacePort
  void ShowMessage(int number, const std::string& text) override;
  bool AskYesNo(int number, const std::string& text) override;
  void ShowText(const std::string& text) override;
  void BeginWaitCursor() override { ++waitDepth; }
  void EndWaitCursor() override { --waitDepth; }

  // ProgressPort
  bool Open(const std::string& caption) override;
  void SetPosition(int position) override { positions.push_back(position); }
  void SetText(const std::string& text) override { progressTexts.push_back(text); }
  bool PumpAndCheckCancel() override;
  void Close() override { ++progressCloses; }

  // ClipboardPort
  bool OpenClipboard() override { return clipboardOpens; }
  void CloseClipboard() override {}
  bool HasWave() override { return !clipboard.empty(); }
  std::vector<uint8_t> ReadWave() override { return clipboard; }
  bool WriteWave(std::vector<uint8_t> image) override {
    clipboard = std::move(image);
    return clipboardWrites;
  }
  void EmptyWave() override { clipboard.clear(); }

  // FormatChooserPort
  int Choose(const std::string& title, WaveFormat& format) override;

  // What was shown.
  std::vector<int> messages;
  std::vector<std::string> texts;
  std::vector<std::string> questions;
  std::vector<std::string> captions;
  std::vector<int> positions;
  std::vector<std::string> progressTexts;
  int progressCloses = 0;
  int pumps = 0;
  int waitDepth = 0;
  std::vector<std::string> chooserTitles;

  // How to behave.
  std::deque<bool> answers;     // answers to questions, in order; No when empty
  bool progressOpens = true;    // false: the progress window cannot be created
  int cancelAtPump = -1;        // press Cancel at this pump (0-based); -1 never
  bool clipboardOpens = true;
  bool clipboardWrites = true;
  std::vector<uint8_t> clipboard;
  int chooserResult = kChooseCancel;
  WaveFormat chosenFormat;

 private:
  Ports previous_;
};

}  // namespace tarkel::test
