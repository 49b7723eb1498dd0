#include "regions/RegionWindowModel.h"

#include "document/CTarkelDoc.h"

namespace tarkel {

units::SoundClock ClockOf(const CTarkelDoc* doc, uint16_t framesPerSecond) {
  units::SoundClock clock;
  clock.framesPerSecond = framesPerSecond;
  if (doc) {
    clock.rate = doc->Sound().Rate();
    clock.blockAlign = doc->Sound().BlockAlign();
  }
  return clock;
}

std::array<std::string, kRegionColumns.size()> RowTexts(const CWaveSelection& region, int unit,
                                                        uint16_t framesPerSecond) {
  const units::SoundClock clock = ClockOf(region.document, framesPerSecond);
  const uint32_t length = region.end >= region.start ? region.end - region.start : 0;
  return {region.name,
          std::to_string(region.repeats),
          units::FramesToText(region.start, unit, clock),
          units::FramesToText(region.end, unit, clock),
          units::FramesToText(length, unit, clock),
          ChannelText(region.channel),
          region.document ? region.document->Title() : region.filePath};
}

uint16_t ChannelOfEntry(int entry) {
  switch (entry) {
    case 1: return region_channel::kLeft;
    case 2: return region_channel::kRight;
    default: return region_channel::kBoth;
  }
}

int EntryOfChannel(ChannelMode mode) {
  switch (mode) {
    case ChannelMode::Left: return 1;
    case ChannelMode::Right: return 2;
    default: return 0;
  }
}

}  // namespace tarkel
