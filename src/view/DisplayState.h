#pragma once
// The program-wide display unit and frame rate. Every window that shows positions listens, so a
// change of either refreshes all read-outs and time axes at once.
#include <cstdint>
#include <functional>
#include <map>

#include "view/DisplayUnit.h"

namespace tarkel {

class DisplayState {
 public:
  DisplayUnit Unit() const { return unit_; }
  uint16_t FrameRate() const { return frameRate_; }
  // Each setter tells every listener when the value changed.
  void SetUnit(DisplayUnit unit);
  void SetFrameRate(uint16_t fps);

  // `refresh` runs after every change; the number returned removes it again.
  int AddListener(std::function<void()> refresh);
  void RemoveListener(int id);

 private:
  void Notify();

  DisplayUnit unit_ = kDefaultDisplayUnit;
  uint16_t frameRate_ = kDefaultFrameRate;
  int nextId_ = 1;
  std::map<int, std::function<void()>> listeners_;
};

// The one display state of the process.
DisplayState& TheDisplayState();

}  // namespace tarkel
