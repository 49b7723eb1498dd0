#pragma once
// The few ways the core reaches the user and the platform. The Qt shell, the command-line front
// end and the tests each install their own implementations with SetPorts; the defaults show
// nothing, answer No, and never cancel.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sound/WaveFormat.h"

namespace tarkel {

// Message boxes and the wait cursor.
class UserInterfacePort {
 public:
  virtual ~UserInterfacePort() = default;
  // A message box with an OK button showing message `number` of the message table.
  virtual void ShowMessage(int number, const std::string& text) = 0;
  // A box with Yes and No showing message `number` (0: a text outside the table); true for Yes.
  virtual bool AskYesNo(int number, const std::string& text) = 0;
  // Free-form texts that are not in the message table ("Not implemented yet (3a)").
  virtual void ShowText(const std::string& text) = 0;
  virtual void BeginWaitCursor() {}
  virtual void EndWaitCursor() {}
};

// The modeless progress window: a bar from 0 to 100, a percentage text and Cancel.
class ProgressPort {
 public:
  virtual ~ProgressPort() = default;
  // Creates the window with `caption`; false when it cannot be created.
  virtual bool Open(const std::string& caption) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void SetText(const std::string& text) = 0;
  // Dispatches pending window messages; true when Cancel was pressed since the last call.
  virtual bool PumpAndCheckCancel() = 0;
  virtual void Close() = 0;
};

// The system clipboard, seen as the bytes of one wave image.
class ClipboardPort {
 public:
  virtual ~ClipboardPort() = default;
  // False when the clipboard cannot be opened.
  virtual bool OpenClipboard() = 0;
  virtual void CloseClipboard() = 0;
  virtual bool HasWave() = 0;
  // The wave image on the clipboard (empty when there is none).
  virtual std::vector<uint8_t> ReadWave() = 0;
  // Replaces the clipboard's wave data; false on failure.
  virtual bool WriteWave(std::vector<uint8_t> image) = 0;
  virtual void EmptyWave() = 0;
};

// The format-choice dialog. Result codes follow the platform's format chooser.
inline constexpr int kChooseOk = 0;
inline constexpr int kChooseNotPossible = 512;
inline constexpr int kChooseBusy = 513;
inline constexpr int kChooseCancel = 515;

class FormatChooserPort {
 public:
  virtual ~FormatChooserPort() = default;
  // Shows the dialog titled `title`, starting from `format`; on kChooseOk `format` holds the choice.
  virtual int Choose(const std::string& title, WaveFormat& format) = 0;
};

// Shows the format chooser titled `title`, starting from `format`. True with the choice in
// `format`; false on cancel (nothing shown) or an error (3015, 3016 or 3017 shown).
bool ChooseFormat(const std::string& title, WaveFormat& format);

struct Ports {
  UserInterfacePort* ui = nullptr;
  ProgressPort* progress = nullptr;
  ClipboardPort* clipboard = nullptr;
  FormatChooserPort* formatChooser = nullptr;
};

// The ports in force. Never null members: unset ones are replaced by the silent defaults.
const Ports& CurrentPorts();
// Installs ports; members left null get the silent defaults. Returns the previous set.
Ports SetPorts(const Ports& ports);

// Shows message `number` of the message table; a number that is not in the table shows nothing.
void ShowMessage(int number);
// Asks message `number` as a Yes/No question; false when the number is not in the table.
bool AskMessage(int number);
// Shows a text that is not in the message table.
void ShowText(const std::string& text);
// Asks a Yes/No question that is not in the message table (number 0 for the port).
bool AskText(const std::string& text);

// Wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  WaitCursor() { CurrentPorts().ui->BeginWaitCursor(); }
  ~WaitCursor() { CurrentPorts().ui->EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace tarkel
