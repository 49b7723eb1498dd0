#pragma once
// The core's ways to reach the user, done with Qt: message boxes, the wait cursor, the modeless
// progress window, the desktop clipboard and the format-choice dialog.
#include <QDialog>
#include <QObject>
#include <vector>

#include "sound/Ports.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace tarkel::app {

// The window title of every message box.
inline constexpr const char* kMessageCaption = "Tarkel";

class QtUserInterface final : public UserInterfacePort {
 public:
  void ShowMessage(int number, const std::string& text) override;
  bool AskYesNo(int number, const std::string& text) override;
  void ShowText(const std::string& text) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
};

// A small window with the caption, a bar, the percentage and Cancel. It stays open beside the
// other windows; every step lets pending events through, so windows repaint and Cancel works.
class ProgressWindow final : public QDialog {
  Q_OBJECT
 public:
  explicit ProgressWindow(QWidget* parent = nullptr);
  void SetPosition(int position);
  void SetPercentText(const QString& text);
  // True once when Cancel was pressed since the last call.
  bool TakeCancel();
  QPushButton* CancelButton() const { return cancel_; }

 signals:
  void positionChanged(int position);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QProgressBar* bar_;
  QLabel* percent_;
  QPushButton* cancel_;
  bool cancelled_ = false;
};

class QtProgress final : public QObject, public ProgressPort {
  Q_OBJECT
 public:
  bool Open(const std::string& caption) override;
  void SetPosition(int position) override;
  void SetText(const std::string& text) override;
  bool PumpAndCheckCancel() override;
  void Close() override;
  // The open window; null between operations.
  ProgressWindow* Window() const { return window_; }

 signals:
  // A window was opened (tests and the shell's busy state listen).
  void opened(tarkel::app::ProgressWindow* window);

 private:
  ProgressWindow* window_ = nullptr;
};

// MIME types of the canonical wave image on the clipboard, preferred first.
inline const char* const kWaveMimeTypes[] = {"audio/wav", "audio/x-wav", "audio/vnd.wave"};

class QtClipboard final : public QObject, public ClipboardPort {
  Q_OBJECT
 public:
  QtClipboard();
  bool OpenClipboard() override { return true; }
  void CloseClipboard() override {}
  bool HasWave() override;
  std::vector<uint8_t> ReadWave() override;
  bool WriteWave(std::vector<uint8_t> image) override;
  void EmptyWave() override;

 signals:
  // Whether the clipboard holds wave data may have changed.
  void changed();

 private:
  int known_ = -1;  // -1 not looked at since the last change
};

class QtFormatChooser final : public FormatChooserPort {
 public:
  int Choose(const std::string& title, WaveFormat& format) override;
};

// All of them, installed for the lifetime of the object.
class QtPorts {
 public:
  QtPorts();
  ~QtPorts();
  QtPorts(const QtPorts&) = delete;
  QtPorts& operator=(const QtPorts&) = delete;
  QtProgress& Progress() { return progress_; }
  QtClipboard& Clipboard() { return clipboard_; }

 private:
  QtUserInterface ui_;
  QtProgress progress_;
  QtClipboard clipboard_;
  QtFormatChooser chooser_;
  Ports previous_;
};

}  // namespace tarkel::app
