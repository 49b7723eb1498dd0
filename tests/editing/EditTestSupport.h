#pragma once
// Sounds for the edit tests, seen as one vector of sample values per channel, so that expected
// results can be written as plain vector edits.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "sound/ChannelMode.h"
#include "sound/DocWaveAudio.h"

namespace tarkel::test {

using Channels = std::vector<std::vector<int>>;

// One test layout: the sound's format and the channel an operation works on.
struct Layout {
  uint16_t channels;
  uint16_t bits;
  ChannelMode mode;
  std::string name;
};
inline std::ostream& operator<<(std::ostream& os, const Layout& l) { return os << l.name; }

// Mono and both channels and each single channel, at 8 and 16 bits.
std::vector<Layout> AllLayouts();

// A staircase: sample i of the interleaved data holds i (8-bit: i, which stays below 256 for
// the small sounds of the tests; 16-bit: i + 1000 * channel so channels differ clearly).
void MakeStaircase(DocWaveAudio& wave, const Layout& layout, uint32_t frames, int base = 0);
// Another staircase, falling, for clipboard contents.
Channels FallingStaircase(const Layout& layout, uint32_t frames);

Channels ChannelsOf(const WaveAudio& wave);
std::vector<uint8_t> BytesOf(const Channels& channels, uint16_t bits);
void SetChannels(DocWaveAudio& wave, uint16_t channels, uint16_t bits, const Channels& values);

// The value of silence: 127 for 8-bit, 0 for 16-bit.
inline int SilenceOf(uint16_t bits) { return bits == 8 ? 127 : 0; }
// The channels an operation in `mode` touches (0, 1, or both).
std::vector<int> TouchedChannels(const Layout& layout);

// A canonical wave image of `values` in the given format.
std::vector<uint8_t> WaveImageOf(uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& data);

}  // namespace tarkel::test
