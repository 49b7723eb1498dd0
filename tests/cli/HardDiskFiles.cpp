#include "HardDiskFiles.h"

#include <cmath>
#include <cstring>

#include "cli/CliRunner.h"
#include "sound/Bytes.h"

namespace tarkel::test {
namespace {

void AddChunk(std::vector<uint8_t>& f, const char (&id)[5], const std::vector<uint8_t>& bytes) {
  const size_t at = f.size();
  f.resize(at + 8);
  PutTag(f.data() + at, id);
  PutLE32(f.data() + at + 4, uint32_t(bytes.size()));
  f.insert(f.end(), bytes.begin(), bytes.end());
  if (bytes.size() & 1) f.push_back(0);
}

}  // namespace

void WriteTestWave(const std::filesystem::path& path, uint32_t frames, bool cueBeforeData) {
  std::vector<uint8_t> f(12);
  PutTag(f.data(), "RIFF");
  PutTag(f.data() + 8, "WAVE");
  std::vector<uint8_t> format(16);
  PutLE16(format.data(), 1);
  PutLE16(format.data() + 2, 2);
  PutLE32(format.data() + 4, 44100);
  PutLE32(format.data() + 8, 44100 * 4);
  PutLE16(format.data() + 12, 4);
  PutLE16(format.data() + 14, 16);
  AddChunk(f, "fmt ", format);
  const std::string info("INFOINAM\x05\0\0\0take\0", 17);
  AddChunk(f, "LIST", std::vector<uint8_t>(info.begin(), info.end()));
  std::vector<uint8_t> cue(4 + 24);  // one cue point at frame 500
  PutLE32(cue.data(), 1);
  PutLE32(cue.data() + 4, 1);
  PutLE32(cue.data() + 8, 500);
  PutTag(cue.data() + 12, "data");
  PutLE32(cue.data() + 24, 500);
  if (cueBeforeData) AddChunk(f, "cue ", cue);
  std::vector<uint8_t> data(size_t(frames) * 4);
  for (uint32_t i = 0; i < frames; ++i) {
    PutLE16(data.data() + 4 * i, uint16_t(int16_t(9000 * std::sin(i * 0.013) + (i % 89))));
    PutLE16(data.data() + 4 * i + 2, uint16_t(int16_t(7000 * std::sin(i * 0.029) - (i % 53))));
  }
  AddChunk(f, "data", data);
  if (!cueBeforeData) AddChunk(f, "cue ", cue);
  PutLE32(f.data() + 4, uint32_t(f.size() - 8));
  WriteFileBytes(path, f);
}

WaveParts SplitWave(const std::vector<uint8_t>& f) {
  WaveParts w;
  if (f.size() < 12 || !HasTag(f.data(), "RIFF") || !HasTag(f.data() + 8, "WAVE") ||
      GetLE32(f.data() + 4) + 8ull != f.size())
    return w;
  size_t p = 12;
  while (p + 8 <= f.size()) {
    const std::string id(reinterpret_cast<const char*>(f.data() + p), 4);
    const uint32_t n = GetLE32(f.data() + p + 4);
    if (p + 8 + n > f.size()) return w;
    const std::vector<uint8_t> bytes(f.begin() + long(p + 8), f.begin() + long(p + 8 + n));
    if (id == "fmt ")
      w.format.assign(bytes.begin(), bytes.begin() + std::min<long>(16, long(bytes.size())));
    else if (id == "data")
      w.data = bytes;
    else if (id != "fact")
      w.others.emplace_back(id, bytes);
    p += 8 + n + (n & 1);
  }
  w.valid = p == f.size();
  return w;
}

}  // namespace tarkel::test
