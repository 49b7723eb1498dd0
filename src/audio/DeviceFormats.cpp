#include "audio/DeviceFormats.h"

namespace tarkel::audio {

std::vector<std::string> RateTexts(uint32_t formats, FormatList list) {
  std::vector<std::string> texts;
  for (const FormatListInfo& info : kFormatLists) {
    if (info.list != list) continue;
    for (int i = 0; i < 3; ++i)
      if (formats & info.bits[i]) texts.emplace_back(kRateTexts[i]);
  }
  return texts;
}

uint32_t StandardFormatBit(uint16_t bits, uint16_t channels, uint32_t rate) {
  const FormatList list = bits == 8 ? (channels == 1 ? FormatList::Mono8 : FormatList::Stereo8)
                                    : (channels == 1 ? FormatList::Mono16 : FormatList::Stereo16);
  if ((bits != 8 && bits != 16) || (channels != 1 && channels != 2)) return 0;
  for (int i = 0; i < 3; ++i)
    if (kStandardRates[i] == rate) return kFormatLists[size_t(list)].bits[i];
  return 0;
}

std::string DeviceLine(DeviceNumber n, const DeviceCaps& caps) {
  std::string line = std::to_string(n) + ": " + caps.name;
  for (const FormatListInfo& info : kFormatLists) {
    line += std::string(" | ") + info.label + ":";
    for (const std::string& rate : RateTexts(caps.formats, info.list)) line += " " + rate;
  }
  return line;
}

}  // namespace tarkel::audio
