#include "view/ViewPreferences.h"

namespace tarkel {
namespace {
const PlayPositionSource* positionSource = nullptr;
}

ViewPreferences& TheViewPreferences() {
  static ViewPreferences preferences;
  return preferences;
}

void SetPlayPositionSource(const PlayPositionSource* source) { positionSource = source; }

uint32_t CurrentPlayFrame(const CTarkelDoc& doc) { return positionSource ? positionSource->CurrentFrame(doc) : 0; }

}  // namespace tarkel
