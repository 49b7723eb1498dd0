#pragma once
// The cue file: the region list in the object-archive layout that the program has always
// written, all integers little-endian.
//   count        16-bit; from 65535 regions on the 16-bit 0xFFFF and then a 32-bit count
//   first region 0xFFFF (new class), schema 1, the name length 14 and "CWaveSelection"
//   later ones   0x8001 (a reference to that class)
//   region data  name (archive string), start, end (32-bit), channel (16-bit),
//                repeats (32-bit), the sound's full path (archive string)
// An archive string is its length and its bytes without terminator: one byte below 255; the
// byte 0xFF and a 16-bit length below 65534; else 0xFF, the 16-bit 0xFFFF and a 32-bit length.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "regions/CWaveSelection.h"

namespace tarkel {

inline constexpr uint16_t kCueClassSchema = 1;
inline constexpr char kCueClassName[] = "CWaveSelection";

void AppendArchiveString(std::vector<uint8_t>& out, const std::string& text);
// Reads an archive string at `offset`, which moves past it. False when the length form is
// unknown or the length runs past the end of `bytes`.
bool ReadArchiveString(std::span<const uint8_t> bytes, size_t& offset, std::string& text);

// The cue file bytes of `regions`; the path written is RegionFilePath of each.
std::vector<uint8_t> WriteCueBytes(const std::vector<CWaveSelection>& regions);

struct CueReadResult {
  std::vector<CWaveSelection> regions;  // every region read completely, in file order
  bool complete = false;                // false: the bytes ended early or were damaged there
};
// Reads the regions of a cue file. Every count and length is checked against the bytes that
// remain before it is used; at the first damage reading stops and what came before is kept.
CueReadResult ReadCueBytes(std::span<const uint8_t> bytes);

}  // namespace tarkel
