#pragma once
// The progress window of long operations, as the core sees it: a bar from 0 to 100 in steps of
// 5 with a percentage text and Cancel. The window itself is the ProgressPort in force.
#include <string>

namespace tarkel {

inline constexpr int kProgressCaptionId = 106;
inline constexpr const char* kProgressCaption = "Progress...";

class ProgressDialog {
 public:
  ProgressDialog() = default;
  ~ProgressDialog() { Destroy(); }
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;

  // Creates the window; false when it cannot be created.
  bool Create(const std::string& caption = kProgressCaption);
  void Destroy();
  bool IsOpen() const { return open_; }

  int Lower() const { return 0; }
  int Upper() const { return 100; }
  int Step() const { return 5; }
  int Position() const { return position_; }

  // Moves the bar by one step and rewrites the percentage text.
  void StepIt();
  // Puts the bar at `position` and shows `percent` as the text ("%d%c").
  void SetPercent(int position, int percent);
  // Dispatches pending window messages; true when Cancel was pressed since the last look.
  bool PumpAndCheckCancel();

 private:
  bool open_ = false;
  int position_ = 0;
};

// "%d%c" with the percent sign.
std::string PercentText(int percent);

}  // namespace tarkel
