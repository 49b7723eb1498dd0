#include "CraftedFiles.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fileformats/CreativeVoice.h"

namespace tarkel::test {

ByteString Le16(uint16_t v) { return {uint8_t(v), uint8_t(v >> 8)}; }
ByteString Le24(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16)}; }
ByteString Le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
ByteString Text(const std::string& s) { return ByteString(s.begin(), s.end()); }

ByteString Cat(std::initializer_list<ByteString> parts) {
  ByteString out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

ByteString ChunkWithSize(const char* id, uint32_t size, const ByteString& body) {
  ByteString out = Cat({Text(id), Le32(size), body});
  if (body.size() & 1u) out.push_back(0);
  return out;
}

ByteString Chunk(const char* id, const ByteString& body) { return ChunkWithSize(id, uint32_t(body.size()), body); }

ByteString RiffWithSize(uint32_t size, const ByteString& chunks) {
  return Cat({Text("RIFF"), Le32(size), Text("WAVE"), chunks});
}

ByteString Riff(const ByteString& chunks) { return RiffWithSize(uint32_t(chunks.size() + 4), chunks); }

ByteString FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint32_t avg, uint16_t align, uint16_t bits) {
  return Cat({Le16(tag), Le16(channels), Le32(rate), Le32(avg), Le16(align), Le16(bits)});
}

ByteString PcmFmtBody(uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint16_t align = uint16_t(channels * (bits / 8));
  return FmtBody(1, channels, rate, rate * align, align, bits);
}

ByteString CanonicalWave(uint16_t channels, uint32_t rate, uint16_t bits, const ByteString& data) {
  return Riff(Cat({Chunk("fmt ", PcmFmtBody(channels, rate, bits)), Chunk("data", data)}));
}

ByteString VocHeader() {
  ByteString h = Text("Creative Voice File");
  h.push_back(0x1A);
  return Cat({h, Le16(26), Le16(kVocVersion), Le16(kVocCheck)});
}

ByteString VocBlockWithLength(uint8_t type, uint32_t length, const ByteString& body) {
  return Cat({ByteString{type}, Le24(length), body});
}

ByteString VocBlock(uint8_t type, const ByteString& body) { return VocBlockWithLength(type, uint32_t(body.size()), body); }

TempFolder::TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/tarkel-test-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data())) path_ = name.data();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::Entries() const {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

ByteString ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteString(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const ByteString& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace tarkel::test
