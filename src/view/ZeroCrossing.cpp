#include "view/ZeroCrossing.h"

namespace tarkel {
namespace {

// Which side of zero a value lies on; 0 for a value that is itself the crossing.
int Side(const SampleSpan& sound, uint64_t i) {
  const int32_t v = sound.Raw(i);
  if (sound.bits == 8) return v == 127 ? 0 : (v >= 128 ? 1 : -1);
  return v == 0 ? 0 : (v > 0 ? 1 : -1);
}

}  // namespace

uint32_t SnapToZeroCrossing(const SampleSpan& sound, uint32_t frame, SnapSide side) {
  const uint64_t count = sound.ValueCount();
  if (!sound.data || count == 0) return frame;
  uint64_t i = uint64_t(frame) * sound.channels;
  if (i >= count) i = count - 1;
  const int first = Side(sound, i);
  // A search that starts on the crossing itself stops at once.
  while (first != 0) {
    if (side == SnapSide::Start ? i == 0 : i + 1 >= count) break;
    i = side == SnapSide::Start ? i - 1 : i + 1;
    const int s = Side(sound, i);
    if (s == 0 || s != first) break;
  }
  return uint32_t(i / sound.channels);
}

}  // namespace tarkel
