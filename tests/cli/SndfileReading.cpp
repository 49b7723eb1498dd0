#include "cli/SndfileReading.h"

#include <sndfile.h>

#include <cstdlib>
#include <sstream>

namespace tarkel::test {

namespace {

// Every sample of the file through `read` (sf_readf_short or sf_readf_float). The file is
// opened anew for each kind: libsndfile's GSM decoder does not start again after a seek.
template <class T, class Read>
bool ReadAll(const std::string& path, SF_INFO& info, std::vector<T>& samples, Read read) {
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return false;
  std::vector<T> block(4096 * size_t(info.channels));
  sf_count_t got;
  while ((got = read(f, block.data(), 4096)) > 0) samples.insert(samples.end(), block.begin(), block.begin() + got * info.channels);
  sf_close(f);
  return true;
}

}  // namespace

SndfileSound ReadWithSndfile(const std::string& path) {
  SndfileSound s;
  SF_INFO info{};
  if (!ReadAll(path, info, s.shorts, sf_readf_short) || !ReadAll(path, info, s.floats, sf_readf_float)) return s;
  s.channels = info.channels;
  s.rate = info.samplerate;
  s.frames = int64_t(s.shorts.size() / size_t(info.channels));
  s.ok = true;
  return s;
}

bool HasTool(const std::string& name) { return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0; }

bool RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::map<std::string, std::string> InfoLines(const std::string& out) {
  std::map<std::string, std::string> lines;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    const size_t colon = line.find(": ");
    if (colon != std::string::npos) lines[line.substr(0, colon)] = line.substr(colon + 2);
  }
  return lines;
}

std::vector<FileChunk> RiffChunksOf(const std::vector<uint8_t>& file) {
  std::vector<FileChunk> chunks;
  auto le32 = [&](size_t at) {
    return uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 | uint32_t(file[at + 3]) << 24;
  };
  size_t at = 12;
  while (at + 8 <= file.size()) {
    const uint32_t size = le32(at + 4);
    const size_t held = std::min<size_t>(size, file.size() - at - 8);
    chunks.push_back({std::string(file.begin() + at, file.begin() + at + 4),
                      std::vector<uint8_t>(file.begin() + at + 8, file.begin() + at + 8 + held)});
    at += 8 + held + (held & 1u);
  }
  return chunks;
}

}  // namespace tarkel::test
