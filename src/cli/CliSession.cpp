#include "cli/CliSession.h"

#include "document/CTarkelDoc.h"

namespace tarkel {

ChannelMode CliSession::Mode() const {
  if (!doc || doc->Sound().Channels() < 2) return ChannelMode::Mono;
  switch (channel) {
    case ChannelChoice::Left: return ChannelMode::Left;
    case ChannelChoice::Right: return ChannelMode::Right;
    case ChannelChoice::Both: break;
  }
  return ChannelMode::Both;
}

uint32_t CliSession::First() const { return selectionSet ? selFirst : 0; }

uint32_t CliSession::Last() const {
  if (selectionSet) return selLast;
  const uint32_t frames = doc ? doc->Sound().Frames() : 0;
  return frames ? frames - 1 : 0;
}

void CliSession::Select(uint32_t first, uint32_t last, ChannelMode mode) {
  selectionSet = true;
  selFirst = first;
  selLast = last;
  switch (mode) {
    case ChannelMode::Left: channel = ChannelChoice::Left; break;
    case ChannelMode::Right: channel = ChannelChoice::Right; break;
    case ChannelMode::Both:
    case ChannelMode::Mono: channel = ChannelChoice::Both; break;
  }
}

}  // namespace tarkel
