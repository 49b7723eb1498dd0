#include "regions/CWaveSelection.h"

#include <filesystem>

#include "document/CTarkelDoc.h"

namespace tarkel {

std::string ChannelText(uint16_t channel) {
  switch (channel) {
    case region_channel::kLeft: return "L";
    case region_channel::kRight: return "R";
    case region_channel::kBoth: return "LR";
    case region_channel::kMono: return "M";
    default: return std::to_string(channel);
  }
}

uint16_t ChannelFromText(const std::string& text) {
  if (text == "L") return region_channel::kLeft;
  if (text == "R") return region_channel::kRight;
  if (text == "LR") return region_channel::kBoth;
  if (text == "M") return region_channel::kMono;
  return 0;
}

std::string RegionFilePath(const CWaveSelection& region) {
  if (!region.document || region.document->PathName().empty()) return region.filePath;
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(region.document->PathName(), error);
  return error ? region.document->PathName() : full.lexically_normal().string();
}

}  // namespace tarkel
