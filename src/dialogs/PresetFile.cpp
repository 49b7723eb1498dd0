#include "dialogs/PresetFile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include <pwd.h>
#include <unistd.h>

#include "fileformats/ReplacingFile.h"
#include "fileformats/SafeOpen.h"
#include "sound/Bytes.h"

namespace tarkel {
namespace {

// Reads little-endian words from a span, refusing to read past its end.
class WordReader {
 public:
  explicit WordReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t Remaining() const { return bytes_.size() - at_; }
  bool Word(uint32_t& value) {
    if (Remaining() < 4) return false;
    value = GetLE32(bytes_.data() + at_);
    at_ += 4;
    return true;
  }
  bool Text(uint32_t length, std::string& text) {
    if (Remaining() < length) return false;
    text.assign(reinterpret_cast<const char*>(bytes_.data() + at_), length);
    at_ += length;
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
};

void PutWord(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

}  // namespace

PresetReadResult ParsePresets(std::span<const uint8_t> bytes, uint32_t valueCount) {
  PresetReadResult result;
  WordReader in(bytes);
  uint32_t count = 0;
  if (!in.Word(count)) {
    result.damaged = !bytes.empty();
    return result;
  }
  for (uint32_t i = 0; i < count; ++i) {
    CEffectPreset preset;
    uint32_t length = 0, values = 0;
    if (!in.Word(length) || length > kMaxPresetNameLength || !in.Text(length, preset.name) || !in.Word(values) ||
        (valueCount != kAnyValueCount && values != valueCount) || in.Remaining() / 4 < values) {
      result.damaged = true;
      return result;
    }
    preset.values.resize(values);
    for (uint32_t v = 0; v < values; ++v) {
      uint32_t word = 0;
      in.Word(word);
      preset.values[v] = int32_t(word);
    }
    result.presets.push_back(std::move(preset));
  }
  return result;
}

std::vector<uint8_t> SerializePresets(const std::vector<CEffectPreset>& presets) {
  std::vector<uint8_t> out;
  PutWord(out, uint32_t(presets.size()));
  for (const CEffectPreset& p : presets) {
    // Names are limited to what the reader accepts, so that a written file always reads back.
    const size_t length = std::min<size_t>(p.name.size(), kMaxPresetNameLength);
    PutWord(out, uint32_t(length));
    out.insert(out.end(), p.name.begin(), p.name.begin() + std::ptrdiff_t(length));
    PutWord(out, uint32_t(p.values.size()));
    for (int32_t v : p.values) PutWord(out, uint32_t(v));
  }
  return out;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return true;
  return ReadRegularFile(path, bytes);  // never waits on a pipe or device put in its place
}

PresetReadResult ReadPresetFile(const std::string& path, uint32_t valueCount) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) return {};
  return ParsePresets(bytes, valueCount);
}

bool ReplaceFileBytes(const std::string& path, std::span<const uint8_t> bytes) {
  std::error_code error;
  std::filesystem::create_directories(FolderOf(path), error);
  ReplacingFile file(path);
  if (!file.Create()) return false;
  if (!bytes.empty() && !file.Sink().Write(bytes.data(), bytes.size())) return false;
  return file.Commit() == CommitResult::kDone;
}

std::string DefaultPresetFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (data && data[0] == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
      const passwd* user = ::getpwuid(::getuid());
      home = user && user->pw_dir ? user->pw_dir : "/tmp";
    }
    base = std::string(home) + "/.local/share";
  }
  return base + "/Brannick/Tarkel";
}

std::string PresetPath(const std::string& folder, const std::string& fileName) {
  if (folder.empty()) return fileName;
  return folder.back() == '/' ? folder + fileName : folder + "/" + fileName;
}

}  // namespace tarkel
