// fuzz_seeds FOLDER: writes well-formed starting inputs for the fuzz targets into
// FOLDER/riff_wave, FOLDER/voc, FOLDER/open_sound and FOLDER/presets, made by the program's own writers and by
// hand where the writers never produce a shape (16-byte format chunks, LIST chunks, every
// voice block type).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sound/Bytes.h"
#include "sound/WaveAudio.h"
#include "sound/WaveImage.h"
#include "fileformats/ByteStream.h"
#include "fileformats/CreativeVoice.h"
#include "fileformats/RiffWave.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

void Save(const fs::path& folder, const std::string& name, const Bytes& bytes) {
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void Append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }
Bytes Le(uint32_t v, int n) {
  Bytes b;
  for (int i = 0; i < n; ++i) b.push_back(uint8_t(v >> (8 * i)));
  return b;
}
Bytes Tag(const char* t) { return Bytes(t, t + 4); }

void FillStaircase(tarkel::WaveAudio& wave, uint16_t channels, uint32_t rate, uint16_t bits, uint32_t frames) {
  wave.Format() = tarkel::WaveFormat::Pcm(channels, rate, bits);
  uint8_t* data = wave.AllocateData(frames * wave.BlockAlign());
  for (uint32_t i = 0; i < wave.DataSize(); ++i) data[i] = uint8_t(i * 3);
}

Bytes Written(tarkel::WaveAudio& wave, bool voice) {
  tarkel::MemorySink sink;
  if (voice)
    WriteVoc(wave, sink, 0, wave.FrameCount());
  else
    WriteWave(wave, sink, 0, wave.FrameCount());
  return sink.TakeBytes();
}

Bytes Canonical(const tarkel::WaveAudio& wave) {
  Bytes image(tarkel::kCanonicalHeaderSize);
  tarkel::WriteCanonicalHeader(image.data(), wave.Format(), wave.DataSize());
  image.insert(image.end(), wave.Data(), wave.Data() + wave.DataSize());
  return image;
}

// A canonical file with an odd LIST chunk between "fmt " and "data".
Bytes WithList(const Bytes& canonical) {
  Bytes out(canonical.begin(), canonical.begin() + 36);
  Append(out, Tag("LIST"));
  Append(out, Le(9, 4));
  Append(out, {'I', 'N', 'F', 'O', 'x', 'y', 'z', 'z', 'y', 0});
  out.insert(out.end(), canonical.begin() + 36, canonical.end());
  tarkel::PutLE32(&out[4], uint32_t(out.size() - 8));
  return out;
}

void WriteWaveSeeds(const fs::path& folder) {
  for (uint16_t channels : {1, 2}) {
    for (uint16_t bits : {8, 16}) {
      tarkel::WaveAudio wave;
      FillStaircase(wave, channels, 22050, bits, 33);
      const std::string stem = std::to_string(bits) + "bit_" + std::to_string(channels) + "ch";
      Save(folder, "ours_" + stem + ".wav", Written(wave, false));
      Save(folder, "canonical_" + stem + ".wav", Canonical(wave));
      Save(folder, "list_" + stem + ".wav", WithList(Canonical(wave)));
    }
  }
  tarkel::WaveAudio adpcm;  // a compressed format with extra bytes, kept byte for byte
  adpcm.Format() = tarkel::WaveFormat::Make(2, 1, 8000, 4);
  adpcm.Format().SetBlockAlign(64);
  adpcm.Format().SetExtraSize(4);
  adpcm.AllocateData(128);
  Save(folder, "ours_adpcm.wav", Written(adpcm, false));
}

Bytes VocBlock(uint8_t type, const Bytes& body) {
  Bytes b{type};
  Append(b, Le(uint32_t(body.size()), 3));
  Append(b, body);
  return b;
}

void WriteVoiceSeeds(const fs::path& folder) {
  for (uint16_t channels : {1, 2}) {
    tarkel::WaveAudio wave;
    FillStaircase(wave, channels, channels == 1 ? 11025 : 22050, 8, 40);
    Save(folder, "ours_" + std::to_string(channels) + "ch.voc", Written(wave, true));
  }
  tarkel::WaveAudio wave;
  FillStaircase(wave, 1, 8000, 8, 4);
  Bytes all = Written(wave, true);
  all.pop_back();  // the terminator
  Append(all, VocBlock(tarkel::kVocContinuation, {1, 2, 3}));
  Append(all, VocBlock(tarkel::kVocSilence, {100, 0, 165}));
  Append(all, VocBlock(tarkel::kVocMarker, {7, 0}));
  Append(all, VocBlock(tarkel::kVocText, {'h', 'i', 0}));
  Append(all, VocBlock(tarkel::kVocRepeatStart, {2, 0}));
  Append(all, VocBlock(tarkel::kVocRepeatEnd, {}));
  Append(all, VocBlock(tarkel::kVocExtended, {0x54, 0xE9, 0, 1}));
  Append(all, VocBlock(tarkel::kVocSoundData, {0, 0, 5, 6, 7, 8}));
  all.push_back(tarkel::kVocTerminator);
  Save(folder, "every_block.voc", all);
}

// Preset files: the first byte is the fuzz target's choice of reader (value count, or 0xFF for
// the curve presets), the rest the file.
void WritePresetSeeds(const fs::path& folder) {
  Bytes echo = {2};
  Append(echo, Le(2, 4));
  for (const char* name : {"A", "loud and long"}) {
    Append(echo, Le(uint32_t(std::strlen(name)), 4));
    Append(echo, Bytes(name, name + std::strlen(name)));
    Append(echo, Le(2, 4));
    Append(echo, Le(3, 4));
    Append(echo, Le(500, 4));
  }
  Save(folder, "echo_two_presets.par", echo);
  Save(folder, "empty_list.par", {6, 0, 0, 0, 0});
  Bytes curve = {0xFF, 'T', 'K', 'C', 'V'};
  Append(curve, Le(1, 4));
  Append(curve, Le(1, 4));
  Append(curve, Le(3, 4));
  Append(curve, {'d', 'i', 'p'});
  Append(curve, Le(7, 4));
  for (uint32_t v : {1000u, 0u, 0u, 500u, 80u, 1000u, 10u}) Append(curve, Le(v, 4));
  Save(folder, "curve.par", curve);
}

// Cue files: two regions in the archive layout, the second with a string in the long form.
void WriteCueSeeds(const fs::path& folder) {
  Bytes two = {2, 0, 0xFF, 0xFF, 1, 0, 14, 0};
  Append(two, Bytes{'C', 'W', 'a', 'v', 'e', 'S', 'e', 'l', 'e', 'c', 't', 'i', 'o', 'n', 1, 'A'});
  Append(two, Le(16, 4));
  Append(two, Le(288, 4));
  Append(two, Le(3, 2));
  Append(two, Le(2, 4));
  Append(two, Bytes{6, '/', 'a', '.', 'w', 'a', 'v'});
  Append(two, Le(0x8001, 2));
  Append(two, Bytes{0xFF, 0x00, 0x01});
  Append(two, Bytes(256, 'n'));
  Append(two, Le(0, 4));
  Append(two, Le(10, 4));
  Append(two, Le(1, 2));
  Append(two, Le(1, 4));
  Append(two, Bytes{0xFF, 0xFF, 0xFF});
  Append(two, Le(3, 4));
  Append(two, Bytes{'/', 'b', 'c'});
  Save(folder, "two_regions.cue", two);
  Save(folder, "empty.cue", {0, 0});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
    return 2;
  }
  const fs::path root(argv[1]);
  std::error_code error;
  for (const char* target : {"riff_wave", "voc", "open_sound", "clipboard_image", "presets", "cue"}) fs::create_directories(root / target, error);
  if (error) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  WriteWaveSeeds(root / "riff_wave");
  WriteVoiceSeeds(root / "voc");
  WriteWaveSeeds(root / "open_sound");
  WriteVoiceSeeds(root / "open_sound");
  WriteWaveSeeds(root / "clipboard_image");
  WritePresetSeeds(root / "presets");
  Save(root / "open_sound", "raw.au", {'.', 's', 'n', 'd', 0, 0, 0, 24, 1, 2, 3, 4});
  WriteCueSeeds(root / "cue");
  return 0;
}
