// fuzz_seeds FOLDER: writes well-formed starting inputs for the fuzz targets into
// FOLDER/riff_wave, FOLDER/voc, FOLDER/open_sound, FOLDER/presets and FOLDER/cue, made by the program's own writers and by
// hand where the writers never produce a shape (16-byte format chunks, LIST chunks, RF64 and
// extensible files, metadata chunks with cue points and loops, every voice block type).
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
Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) Append(out, p);
  return out;
}
Bytes Le(uint64_t v, int n) {
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

Bytes Chunk(const char* id, const Bytes& body) {
  Bytes c = Tag(id);
  Append(c, Le(uint32_t(body.size()), 4));
  Append(c, body);
  if (body.size() & 1) c.push_back(0);
  return c;
}

Bytes PcmFmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint16_t align) {
  Bytes f = Le(tag, 2);
  Append(f, Le(channels, 2));
  Append(f, Le(rate, 4));
  Append(f, Le(rate * align, 4));
  Append(f, Le(align, 2));
  Append(f, Le(bits, 2));
  return f;
}

// WAVE_FORMAT_EXTENSIBLE with the sub-format GUID whose first byte is `subFormat` (1 PCM, 3 float).
Bytes ExtensibleFmt(uint16_t channels, uint16_t bits, uint8_t subFormat) {
  Bytes f = PcmFmt(0xFFFE, channels, 48000, bits, uint16_t(channels * bits / 8));
  Append(f, Le(22, 2));
  Append(f, Le(bits, 2));
  Append(f, Le(3, 4));
  Append(f, {subFormat, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71});
  return f;
}

Bytes RiffOf(const char* form, const Bytes& chunks, uint32_t size) {
  Bytes out = Tag(form);
  Append(out, Le(size, 4));
  Append(out, Tag("WAVE"));
  Append(out, chunks);
  return out;
}
Bytes RiffOf(const Bytes& chunks) { return RiffOf("RIFF", chunks, uint32_t(chunks.size() + 4)); }

// Cue points (frames 2, 20), their labels and a region, a loop, and chunks before and after data.
Bytes MetadataChunks(bool afterData) {
  if (afterData) return Cat({Chunk("id3 ", {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0}), Chunk("abcd", {1, 2, 3})});
  Bytes cue = Le(2, 4);
  for (uint32_t id : {1u, 2u}) Append(cue, Cat({Le(id, 4), Le(id * 10 - 8, 4), Tag("data"), Bytes(8, 0), Le(id * 10 - 8, 4)}));
  Bytes adtl = Tag("adtl");
  Append(adtl, Chunk("labl", {1, 0, 0, 0, 'a', 0}));
  Append(adtl, Chunk("ltxt", Cat({Le(2, 4), Le(5, 4), Tag("rgn "), Bytes(8, 0)})));
  Bytes smpl(28, 0);
  Append(smpl, Cat({Le(1, 4), Le(0, 4), Le(7, 4), Le(0, 4), Le(4, 4), Le(12, 4), Bytes(8, 0)}));
  return Cat({Chunk("bext", Bytes(40, 'b')), Chunk("LIST", {'I', 'N', 'F', 'O'}), Chunk("cue ", cue), Chunk("LIST", adtl),
              Chunk("smpl", smpl), Chunk("iXML", {'<', 'x', '/', '>'})});
}

void WriteWideRiffSeeds(const fs::path& folder) {
  const Bytes samples(64, 0x41);
  const Bytes fmt16 = Chunk("fmt ", PcmFmt(1, 2, 48000, 16, 4));
  Bytes ds64 = Cat({Le(0, 4), Le(0, 4), Le(uint32_t(samples.size()), 4), Le(0, 4), Le(16, 4), Le(0, 4), Le(0, 4)});
  const Bytes rf64Data = Cat({Tag("data"), Le(0xFFFFFFFF, 4), samples});
  Save(folder, "rf64.wav", RiffOf("RF64", Cat({Chunk("ds64", ds64), fmt16, rf64Data}), 0xFFFFFFFF));
  Save(folder, "bw64.wav", RiffOf("BW64", Cat({Chunk("ds64", ds64), fmt16, rf64Data, MetadataChunks(true)}), 0xFFFFFFFF));
  Save(folder, "riff_size_zero.wav", RiffOf("RIFF", Cat({fmt16, Tag("data"), Le(0, 4), samples}), 0));
  Save(folder, "extensible_pcm16.wav", RiffOf(Cat({Chunk("fmt ", ExtensibleFmt(2, 16, 1)), Chunk("data", samples)})));
  Save(folder, "extensible_float.wav", RiffOf(Cat({Chunk("fmt ", ExtensibleFmt(2, 32, 3)), Chunk("data", samples)})));
  Save(folder, "extensible_24bit_6ch.wav", RiffOf(Cat({Chunk("fmt ", ExtensibleFmt(6, 24, 1)), Chunk("data", Bytes(72, 1))})));
  Save(folder, "metadata.wav",
       RiffOf(Cat({MetadataChunks(false), fmt16, Chunk("data", samples), MetadataChunks(true)})));
  Bytes mp3Fmt = PcmFmt(0x55, 1, 44100, 0, 1152);
  Append(mp3Fmt, Le(0, 2));
  Save(folder, "mpeg_fact.wav", RiffOf(Cat({Chunk("fmt ", mp3Fmt), Chunk("fact", Le(4410, 4)), Chunk("data", Bytes(1500, 0x55))})));
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

  // Type-9 blocks: 16-bit stereo at 16000 Hz continued by a type-2 block, and 8-bit mono at 8000 Hz.
  Bytes sixteen = Written(wave, true);
  sixteen.resize(tarkel::kVocHeaderSize);
  Append(sixteen, VocBlock(tarkel::kVocSoundDataNew, Cat({Le(16000, 4), {16, 2}, Le(tarkel::kVocCodecPcm16, 2), Le(0, 4),
                                                          Bytes(16, 0x22)})));
  Append(sixteen, VocBlock(tarkel::kVocContinuation, Bytes(8, 0x33)));
  sixteen.push_back(tarkel::kVocTerminator);
  Save(folder, "type9_16bit.voc", sixteen);
  Bytes eight(sixteen.begin(), sixteen.begin() + tarkel::kVocHeaderSize);
  Append(eight, VocBlock(tarkel::kVocSoundDataNew, Cat({Le(8000, 4), {8, 1}, Le(tarkel::kVocCodecPcm8, 2), Le(0, 4),
                                                        Bytes(9, 0x80)})));
  eight.push_back(tarkel::kVocTerminator);
  Save(folder, "type9_8bit.voc", eight);
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
  WriteWideRiffSeeds(root / "riff_wave");
  WriteWideRiffSeeds(root / "open_sound");
  WriteVoiceSeeds(root / "voc");
  WriteWaveSeeds(root / "open_sound");
  WriteVoiceSeeds(root / "open_sound");
  WriteWaveSeeds(root / "clipboard_image");
  WritePresetSeeds(root / "presets");
  Save(root / "open_sound", "raw.au", {'.', 's', 'n', 'd', 0, 0, 0, 24, 1, 2, 3, 4});
  WriteCueSeeds(root / "cue");
  return 0;
}
