#pragma once
// Byte strings of sound files built piece by piece, for tests that need a file as it is on the
// disk, lying sizes included.
#include <cstdint>
#include <string>
#include <vector>

#include "fileformats/ByteStream.h"

namespace tarkel::test {

using ByteString = std::vector<uint8_t>;

ByteString Le16(uint16_t v);
ByteString Le24(uint32_t v);
ByteString Le32(uint32_t v);
ByteString Text(const std::string& s);
ByteString Cat(std::initializer_list<ByteString> parts);

// A chunk: identifier, `size` (the body's length unless given), body and the pad byte of an odd
// body.
ByteString Chunk(const char* id, const ByteString& body);
ByteString ChunkWithSize(const char* id, uint32_t size, const ByteString& body);
// "RIFF", the length of what follows + 4, "WAVE", then `chunks`.
ByteString Riff(const ByteString& chunks);
ByteString RiffWithSize(uint32_t size, const ByteString& chunks);
// The 16 bytes of a PCMWAVEFORMAT.
ByteString PcmFmtBody(uint16_t channels, uint32_t rate, uint16_t bits);
ByteString FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint32_t avg, uint16_t align, uint16_t bits);
// A whole canonical file: 16-byte "fmt " and "data".
ByteString CanonicalWave(uint16_t channels, uint32_t rate, uint16_t bits, const ByteString& data);

// The 26-byte Creative Voice header.
ByteString VocHeader();
// A block: type, 3-byte length of `body` (unless given), body.
ByteString VocBlock(uint8_t type, const ByteString& body);
ByteString VocBlockWithLength(uint8_t type, uint32_t length, const ByteString& body);

// A memory source that records the size of every read.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(ByteString bytes) : bytes_(std::move(bytes)), inner_(bytes_) {}
  size_t Read(void* destination, size_t n) override {
    reads.push_back(n);
    return inner_.Read(destination, n);
  }
  bool Seek(uint64_t position) override { return inner_.Seek(position); }
  uint64_t Tell() const override { return inner_.Tell(); }
  uint64_t Size() const override { return inner_.Size(); }
  std::vector<size_t> reads;

 private:
  ByteString bytes_;
  MemorySource inner_;
};

// A memory sink that records every write and can fail the write number `failAt`.
class CountingSink final : public ByteSink {
 public:
  bool Write(const void* source, size_t n) override {
    writes.push_back(n);
    if (int(writes.size()) - 1 == failAt) return false;
    return inner.Write(source, n);
  }
  bool Seek(uint64_t position) override { return inner.Seek(position); }
  uint64_t Tell() const override { return inner.Tell(); }
  std::vector<size_t> writes;
  int failAt = -1;
  MemorySink inner;
};

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};

ByteString ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const ByteString& bytes);

}  // namespace tarkel::test
