#pragma once
// The device sheet's format lists: which of "11kHz", "22kHz" and "44kHz" a device takes for each
// of the four sample layouts, from its standard-format bits.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "audio/WaveDevice.h"

namespace tarkel::audio {

enum class FormatList { Mono8, Stereo8, Mono16, Stereo16 };

struct FormatListInfo {
  FormatList list;
  const char* label;    // the label beside the list on the sheet
  uint32_t bits[3];     // the fmt:: bit of 11, 22 and 44 kHz
};

inline constexpr std::array<FormatListInfo, 4> kFormatLists = {{
    {FormatList::Mono8, "8bit   Mono", {fmt::k1M08, fmt::k2M08, fmt::k4M08}},
    {FormatList::Stereo8, "8bit Stereo", {fmt::k1S08, fmt::k2S08, fmt::k4S08}},
    {FormatList::Mono16, "16bit Mono", {fmt::k1M16, fmt::k2M16, fmt::k4M16}},
    {FormatList::Stereo16, "16bit Stereo", {fmt::k1S16, fmt::k2S16, fmt::k4S16}},
}};

inline constexpr const char* kRateTexts[3] = {"11kHz", "22kHz", "44kHz"};
inline constexpr uint32_t kStandardRates[3] = {11025, 22050, 44100};

// The rate texts of `list` for a device with `formats`, in the order 11, 22, 44 kHz.
std::vector<std::string> RateTexts(uint32_t formats, FormatList list);
// The fmt:: bit of a standard format (0 when the format is not one of the twelve).
uint32_t StandardFormatBit(uint16_t bits, uint16_t channels, uint32_t rate);
// One line of a device listing: "NUMBER: NAME | 8bit   Mono: 11kHz 22kHz 44kHz | ...".
std::string DeviceLine(DeviceNumber n, const DeviceCaps& caps);

}  // namespace tarkel::audio
