#include "sound/Selection.h"

#include "sound/WaveAudio.h"

namespace tarkel {

void Selection::SetRange(uint32_t first, uint32_t last) {
  isSet_ = true;
  first_ = EvenFrame(first);
  last_ = EvenFrame(last);
}

void Selection::Adopt(uint32_t first, uint32_t last, ChannelMode mode) {
  isSet_ = true;
  first_ = first;
  last_ = last;
  switch (mode) {
    case ChannelMode::Left: channel_ = ChannelChoice::Left; break;
    case ChannelMode::Right: channel_ = ChannelChoice::Right; break;
    case ChannelMode::Both:
    case ChannelMode::Mono: channel_ = ChannelChoice::Both; break;
  }
}

uint32_t Selection::Last(const WaveAudio& sound) const {
  if (isSet_) return last_;
  const uint32_t frames = sound.Frames();
  return frames ? frames - 1 : 0;
}

ChannelMode Selection::Mode(const WaveAudio& sound) const {
  if (sound.Channels() < 2) return ChannelMode::Mono;
  switch (channel_) {
    case ChannelChoice::Left: return ChannelMode::Left;
    case ChannelChoice::Right: return ChannelMode::Right;
    case ChannelChoice::Both: break;
  }
  return ChannelMode::Both;
}

}  // namespace tarkel
