#include "regions/CueFile.h"

#include <algorithm>
#include <cstring>

#include "sound/Bytes.h"

namespace tarkel {
namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassReference = 0x8001;  // the class of the first object, index 1
constexpr uint16_t kLongCount = 0xFFFF;
constexpr uint8_t kLongStringByte = 0xFF;
constexpr uint16_t kWideStringMark = 0xFFFE;  // announces a wide-character string: not ours
constexpr uint16_t kHugeStringWord = 0xFFFF;
constexpr size_t kClassNameLength = sizeof kCueClassName - 1;
// The fewest bytes a region can take after the first: tag, two empty strings and the numbers.
constexpr size_t kSmallestRegion = 2 + 1 + 4 + 4 + 2 + 4 + 1;

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, uint16_t(v));
  Put16(out, uint16_t(v >> 16));
}

// Reads little-endian values, each checked against the bytes that remain.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes, size_t offset = 0) : bytes_(bytes), offset_(offset) {}
  size_t Remaining() const { return bytes_.size() - offset_; }
  size_t Offset() const { return offset_; }
  bool U8(uint8_t& v) {
    if (Remaining() < 1) return false;
    v = bytes_[offset_++];
    return true;
  }
  bool U16(uint16_t& v) {
    if (Remaining() < 2) return false;
    v = GetLE16(&bytes_[offset_]);
    offset_ += 2;
    return true;
  }
  bool U32(uint32_t& v) {
    if (Remaining() < 4) return false;
    v = GetLE32(&bytes_[offset_]);
    offset_ += 4;
    return true;
  }
  bool Text(size_t length, std::string& text) {
    if (Remaining() < length) return false;
    text.assign(reinterpret_cast<const char*>(&bytes_[offset_]), length);
    offset_ += length;
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t offset_;
};

bool ReadString(Reader& in, std::string& text) {
  uint8_t shortLength = 0;
  if (!in.U8(shortLength)) return false;
  if (shortLength != kLongStringByte) return in.Text(shortLength, text);
  uint16_t length16 = 0;
  if (!in.U16(length16) || length16 == kWideStringMark) return false;
  if (length16 != kHugeStringWord) return in.Text(length16, text);
  uint32_t length32 = 0;
  return in.U32(length32) && in.Text(length32, text);
}

bool ReadClassHeader(Reader& in, bool first) {
  uint16_t tag = 0;
  if (!in.U16(tag)) return false;
  if (!first) return tag == kClassReference;
  uint16_t schema = 0, nameLength = 0;
  std::string className;
  return tag == kNewClassTag && in.U16(schema) && schema == kCueClassSchema && in.U16(nameLength) &&
         nameLength == kClassNameLength && in.Text(nameLength, className) && className == kCueClassName;
}

bool ReadRegion(Reader& in, CWaveSelection& region) {
  return ReadString(in, region.name) && in.U32(region.start) && in.U32(region.end) && in.U16(region.channel) &&
         in.U32(region.repeats) && ReadString(in, region.filePath);
}

}  // namespace

void AppendArchiveString(std::vector<uint8_t>& out, const std::string& text) {
  const size_t length = text.size();
  if (length < kLongStringByte) {
    out.push_back(uint8_t(length));
  } else {
    out.push_back(kLongStringByte);
    if (length < kWideStringMark) {
      Put16(out, uint16_t(length));
    } else {
      Put16(out, kHugeStringWord);
      Put32(out, uint32_t(length));
    }
  }
  out.insert(out.end(), text.begin(), text.end());
}

bool ReadArchiveString(std::span<const uint8_t> bytes, size_t& offset, std::string& text) {
  Reader in(bytes, offset);
  if (!ReadString(in, text)) return false;
  offset = in.Offset();
  return true;
}

std::vector<uint8_t> WriteCueBytes(const std::vector<CWaveSelection>& regions) {
  std::vector<uint8_t> out;
  const size_t count = regions.size();
  if (count < kLongCount) {
    Put16(out, uint16_t(count));
  } else {
    Put16(out, kLongCount);
    Put32(out, uint32_t(count));
  }
  bool first = true;
  for (const CWaveSelection& region : regions) {
    if (first) {
      Put16(out, kNewClassTag);
      Put16(out, kCueClassSchema);
      Put16(out, uint16_t(kClassNameLength));
      out.insert(out.end(), kCueClassName, kCueClassName + kClassNameLength);
      first = false;
    } else {
      Put16(out, kClassReference);
    }
    AppendArchiveString(out, region.name);
    Put32(out, region.start);
    Put32(out, region.end);
    Put16(out, region.channel);
    Put32(out, region.repeats);
    AppendArchiveString(out, RegionFilePath(region));
  }
  return out;
}

CueReadResult ReadCueBytes(std::span<const uint8_t> bytes) {
  CueReadResult result;
  Reader in(bytes);
  uint16_t count16 = 0;
  if (!in.U16(count16)) return result;
  uint32_t count = count16;
  if (count16 == kLongCount && !in.U32(count)) return result;
  // A count the remaining bytes cannot hold reserves no more than they can.
  result.regions.reserve(std::min<size_t>(count, in.Remaining() / kSmallestRegion));
  for (uint32_t i = 0; i < count; ++i) {
    CWaveSelection region;
    if (!ReadClassHeader(in, i == 0) || !ReadRegion(in, region)) return result;
    result.regions.push_back(std::move(region));
  }
  result.complete = true;
  return result;
}

}  // namespace tarkel
