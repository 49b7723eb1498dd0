#pragma once
// One region of the play script: a named range of an open sound, its channels and how many
// times it plays. Start and end are frame numbers, both inclusive, as a view's selection is.
#include <cstdint>
#include <string>

namespace tarkel {

class CTarkelDoc;

// The channel values a region keeps (the ChannelMode numbers).
namespace region_channel {
inline constexpr uint16_t kLeft = 1;
inline constexpr uint16_t kRight = 2;
inline constexpr uint16_t kBoth = 3;
inline constexpr uint16_t kMono = 4;
}  // namespace region_channel

struct CWaveSelection {
  std::string filePath;  // the sound's file; filled when the region comes from a cue file
  std::string name;
  uint32_t start = 0;
  uint32_t end = 0;
  uint16_t channel = region_channel::kBoth;
  uint32_t repeats = 1;
  CTarkelDoc* document = nullptr;  // the open sound the region belongs to
  int32_t number = 0;              // running number given when created or loaded
};

// "L", "R", "LR" or "M" as the list shows the channel; other values as their number.
std::string ChannelText(uint16_t channel);
// The channel value of one of those texts; 0 for any other text.
uint16_t ChannelFromText(const std::string& text);

// The full path of the region's sound: its document's file when it has one, else the path it
// was loaded with.
std::string RegionFilePath(const CWaveSelection& region);

}  // namespace tarkel
