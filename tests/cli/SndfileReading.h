#pragma once
// Reading sound files with libsndfile, the reference the end-to-end tests compare against, and
// running the tools (sox, ffmpeg, sndfile-convert) that make their input files.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tarkel::test {

struct SndfileSound {
  bool ok = false;
  int channels = 0;
  int rate = 0;
  int64_t frames = 0;
  std::vector<int16_t> shorts;  // every sample as libsndfile gives it in 16 bits
  std::vector<float> floats;    // and as floating point, full scale 1.0
};

SndfileSound ReadWithSndfile(const std::string& path);

bool HasTool(const std::string& name);
// Runs `command` with its output discarded; true on exit status 0.
bool RunQuietly(const std::string& command);

// The "key: value" lines that tarkel-cli --info prints.
std::map<std::string, std::string> InfoLines(const std::string& out);

// The sub-chunks of a RIFF WAVE file in order: identifier and data.
struct FileChunk {
  std::string id;
  std::vector<uint8_t> data;
};
std::vector<FileChunk> RiffChunksOf(const std::vector<uint8_t>& file);

}  // namespace tarkel::test
