#pragma once
// What a sound file held besides its format and its samples: the chunks that the writer does
// not make itself (LIST, "cue ", "smpl", "bext", "iXML", "id3 ", unknown ones), kept byte for
// byte in file order so that saving loses none of them, and the sample count of a "fact" chunk
// for formats whose blocks do not count samples.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tarkel {

struct KeptChunk {
  std::array<uint8_t, 4> id{};
  std::vector<uint8_t> bytes;  // the chunk's data, without header and pad byte
  bool afterData = false;      // the file had it after the "data" chunk
};

struct FileChunks {
  std::vector<KeptChunk> chunks;
  std::optional<uint32_t> factSamples;  // the "fact" chunk's value as the file gave it

  bool Empty() const { return chunks.empty() && !factSamples; }
  void Clear() {
    chunks.clear();
    factSamples.reset();
  }
};

// One change of a sound's length, as the positions stored in its chunks see it: `removed`
// frames from `at` on are taken out, then `inserted` frames are put in at `at`.
struct FrameSplice {
  uint32_t at = 0;
  uint32_t removed = 0;
  uint32_t inserted = 0;
};

}  // namespace tarkel
