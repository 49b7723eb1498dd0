#pragma once
// ALSA configurations of the tests' own whose default device is the `file` plugin: what is
// played lands in a file, what is recorded comes from a file. Set before ALSA first reads its
// configuration (ALSA_CONFIG_PATH).
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace tarkel::test {

struct AlsaFileDevice {
  std::filesystem::path config, played, input;

  // Writes the configuration under `dir`; `input` is read by recordings (may be absent for
  // playing only).
  explicit AlsaFileDevice(const std::filesystem::path& dir, bool withInput) {
    config = dir / "asound.conf";
    played = dir / "played.raw";
    input = dir / "input.raw";
    std::ofstream out(config);
    out << "pcm.!default {\n  type file\n  slave.pcm { type null }\n  file \"" << played.string() << "\"\n";
    if (withInput) out << "  infile \"" << input.string() << "\"\n";
    out << "  format \"raw\"\n  truncate true\n}\n";
  }
};

// The offsets at which `parts` appear in `raw` one after the other with nothing but `silence`
// bytes before, between and after them; nothing when they do not.
inline std::optional<std::vector<size_t>> FindPartsWithSilenceAround(const std::vector<uint8_t>& raw,
                                                                    const std::vector<std::vector<uint8_t>>& parts,
                                                                    uint8_t silence = 0) {
  auto quiet = [&](size_t from, size_t to) {
    return std::all_of(raw.begin() + std::ptrdiff_t(from), raw.begin() + std::ptrdiff_t(to), [&](uint8_t b) { return b == silence; });
  };
  size_t at = 0;
  std::vector<size_t> offsets;
  for (const auto& part : parts) {
    auto it = std::search(raw.begin() + std::ptrdiff_t(at), raw.end(), part.begin(), part.end());
    if (it == raw.end()) return std::nullopt;
    const size_t found = size_t(it - raw.begin());
    if (!quiet(at, found)) return std::nullopt;
    offsets.push_back(found);
    at = found + part.size();
  }
  if (!quiet(at, raw.size())) return std::nullopt;
  return offsets;
}

// The offset of the first of `parts` found as above.
inline std::optional<size_t> FindWithSilenceAround(const std::vector<uint8_t>& raw,
                                                   const std::vector<std::vector<uint8_t>>& parts,
                                                   uint8_t silence = 0) {
  const auto offsets = FindPartsWithSilenceAround(raw, parts, silence);
  if (!offsets || offsets->empty()) return std::nullopt;
  return offsets->front();
}

}  // namespace tarkel::test
