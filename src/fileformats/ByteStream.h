#pragma once
// Where the readers take bytes from and the writers put them: a file or a block of memory, so
// that the clipboard, the fuzz targets and the files go through the same code.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarkel {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `n` bytes at the current position; returns the number read (0 at the end or on error).
  virtual size_t Read(void* destination, size_t n) = 0;
  virtual bool Seek(uint64_t position) = 0;
  virtual uint64_t Tell() const = 0;
  virtual uint64_t Size() const = 0;
  uint64_t Remaining() const { return Size() > Tell() ? Size() - Tell() : 0; }
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all `n` bytes; false when they could not all be written.
  virtual bool Write(const void* source, size_t n) = 0;
  virtual bool Seek(uint64_t position) = 0;
  virtual uint64_t Tell() const = 0;
};

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t Read(void* destination, size_t n) override;
  bool Seek(uint64_t position) override;
  uint64_t Tell() const override { return position_; }
  uint64_t Size() const override { return bytes_.size(); }

 private:
  std::span<const uint8_t> bytes_;
  uint64_t position_ = 0;
};

class MemorySink final : public ByteSink {
 public:
  bool Write(const void* source, size_t n) override;
  bool Seek(uint64_t position) override;
  uint64_t Tell() const override { return position_; }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t> TakeBytes() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
  uint64_t position_ = 0;
};

// A file opened for reading with POSIX calls.
class FileSource final : public ByteSource {
 public:
  FileSource() = default;
  ~FileSource() override { Close(); }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  size_t Read(void* destination, size_t n) override;
  bool Seek(uint64_t position) override;
  uint64_t Tell() const override { return position_; }
  uint64_t Size() const override { return size_; }

 private:
  int fd_ = -1;
  uint64_t position_ = 0;
  uint64_t size_ = 0;
};

// A file written with POSIX calls. Commit flushes it to the disk; the caller decides what to
// do with it afterwards (the savers write a temporary file and rename it over the target).
class FileSink final : public ByteSink {
 public:
  FileSink() = default;
  ~FileSink() override { Close(); }
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;
  bool Create(const std::string& path);
  // Creates `path` only when no file of that name exists (for temporary files).
  bool CreateNew(const std::string& path);
  // Gives the open file the permission bits `mode`.
  bool SetMode(uint32_t mode);
  // The open file's descriptor (-1 when none), for the owner and locks of temporary files.
  int Descriptor() const { return fd_; }
  // Flushes everything to the disk and closes; false when that failed.
  bool Commit();
  void Close();
  bool Write(const void* source, size_t n) override;
  bool Seek(uint64_t position) override;
  uint64_t Tell() const override { return position_; }

 private:
  void StartWriteback();

  int fd_ = -1;
  uint64_t position_ = 0;
  uint64_t writebackFrom_ = 0;
};

}  // namespace tarkel
