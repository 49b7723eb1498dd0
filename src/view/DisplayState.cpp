#include "view/DisplayState.h"

#include <vector>

namespace tarkel {

void DisplayState::SetUnit(DisplayUnit unit) {
  if (unit == unit_) return;
  unit_ = unit;
  Notify();
}

void DisplayState::SetFrameRate(uint16_t fps) {
  if (fps == frameRate_ || !IsChoosableFrameRate(fps)) return;
  frameRate_ = fps;
  Notify();
}

int DisplayState::AddListener(std::function<void()> refresh) {
  listeners_[nextId_] = std::move(refresh);
  return nextId_++;
}

void DisplayState::RemoveListener(int id) { listeners_.erase(id); }

void DisplayState::Notify() {
  // A listener may remove itself (a window closing while it refreshes): work on a copy.
  std::vector<std::function<void()>> calls;
  for (const auto& [id, call] : listeners_) calls.push_back(call);
  for (const auto& call : calls) call();
}

DisplayState& TheDisplayState() {
  static DisplayState state;
  return state;
}

}  // namespace tarkel
