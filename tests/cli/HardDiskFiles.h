#pragma once
// Sound files for the hard-disk tests: a stereo 16-bit sine with a LIST chunk before its data
// and a "cue " chunk after it, as recorders write them.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarkel::test {

// `cueBeforeData`: the "cue " chunk stands between LIST and the data instead.
void WriteTestWave(const std::filesystem::path& path, uint32_t frames, bool cueBeforeData = false);
// The "fmt " chunk's first 16 bytes, the "data" chunk's bytes and the other chunks' ids and
// bytes of a RIFF WAVE file; `valid` when every size in it agrees with the file's length.
struct WaveParts {
  bool valid = false;
  std::vector<uint8_t> format;
  std::vector<uint8_t> data;
  std::vector<std::pair<std::string, std::vector<uint8_t>>> others;
};
WaveParts SplitWave(const std::vector<uint8_t>& file);

}  // namespace tarkel::test
