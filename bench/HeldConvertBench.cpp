// Converting ten minutes of 24-bit 96 kHz stereo into 16-bit 44.1 kHz ("Convert Format and
// Data" on a held format: decode with dither, resample) against the bare work it stands on:
// libsndfile decoding the same bytes from memory to 16 bits and libsoxr resampling them, in
// 64k-frame pieces, into fresh memory. The goal: within 1.25x of the bare work.
#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <soxr.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sound/Bytes.h"
#include "sound/DocWaveAudio.h"
#include "sound/Ports.h"
#include "editing/SampleFormatConversion.h"

namespace tarkel {
namespace {

constexpr uint32_t kFromRate = 96000;
constexpr uint32_t kToRate = 44100;
constexpr uint32_t kFrames = 10 * 60 * kFromRate;
constexpr uint32_t kAlign = 6;  // 24-bit stereo
constexpr size_t kPieceFrames = 65536;

// A 24-bit stereo sine pair with low-level noise in the bits the conversion drops.
const std::vector<uint8_t>& Source() {
  static const std::vector<uint8_t> bytes = [] {
    std::vector<uint8_t> b(size_t(kFrames) * kAlign);
    uint32_t noise = 1;
    for (uint32_t i = 0; i < kFrames; ++i) {
      for (int c = 0; c < 2; ++c) {
        noise = noise * 1664525u + 1013904223u;
        const double s = std::sin(2 * M_PI * (c ? 660.0 : 440.0) * i / kFromRate) * 0.7 * 8388607.0;
        const int32_t v = int32_t(s) + int32_t(noise >> 28);
        std::memcpy(&b[size_t(i) * kAlign + 3 * c], &v, 3);
      }
    }
    return b;
  }();
  return bytes;
}

class AnswersYes final : public UserInterfacePort {
 public:
  void ShowMessage(int, const std::string&) override {}
  bool AskYesNo(int, const std::string&) override { return true; }
  void ShowText(const std::string&) override {}
};

void BM_ConvertHeld24Bit96kTo16Bit44k(benchmark::State& state) {
  AnswersYes answers;
  const Ports previous = SetPorts({&answers, nullptr, nullptr, nullptr});
  const std::vector<uint8_t>& source = Source();
  DocWaveAudio wave;
  for (auto _ : state) {
    state.PauseTiming();
    wave.Format() = WaveFormat::Pcm(2, kFromRate, 24);
    wave.ResizeData(uint32_t(source.size()));
    std::memcpy(wave.Data(), source.data(), source.size());
    state.ResumeTiming();
    if (!ConvertSampleFormatTo(wave, WaveFormat::Pcm(2, kToRate, 16))) state.SkipWithError("conversion failed");
  }
  SetPorts(previous);
}

// libsndfile's virtual file over a RIFF header and the source bytes.
struct MemoryWave {
  std::vector<uint8_t> bytes;
  sf_count_t at = 0;
  static sf_count_t Length(void* m) { return sf_count_t(static_cast<MemoryWave*>(m)->bytes.size()); }
  static sf_count_t Seek(sf_count_t offset, int whence, void* p) {
    MemoryWave& m = *static_cast<MemoryWave*>(p);
    m.at = (whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m.at : Length(p)) + offset;
    return m.at;
  }
  static sf_count_t Read(void* to, sf_count_t n, void* p) {
    MemoryWave& m = *static_cast<MemoryWave*>(p);
    n = std::min<sf_count_t>(n, Length(p) - m.at);
    std::memcpy(to, m.bytes.data() + m.at, size_t(n));
    m.at += n;
    return n;
  }
  static sf_count_t Write(const void*, sf_count_t, void*) { return 0; }
  static sf_count_t Tell(void* p) { return static_cast<MemoryWave*>(p)->at; }
};

void BM_SndfileDecodeAndSoxrAlone(benchmark::State& state) {
  const std::vector<uint8_t>& source = Source();
  MemoryWave file;
  file.bytes.resize(44);
  PutTag(&file.bytes[0], "RIFF");
  PutLE32(&file.bytes[4], uint32_t(36 + source.size()));
  PutTag(&file.bytes[8], "WAVE");
  PutTag(&file.bytes[12], "fmt ");
  PutLE32(&file.bytes[16], 16);
  std::memcpy(&file.bytes[20], WaveFormat::Pcm(2, kFromRate, 24).Data(), 16);
  PutTag(&file.bytes[36], "data");
  PutLE32(&file.bytes[40], uint32_t(source.size()));
  file.bytes.insert(file.bytes.end(), source.begin(), source.end());
  std::vector<int16_t> decoded(kPieceFrames * 2);
  const size_t outFrames = size_t(uint64_t(kFrames) * kToRate / kFromRate + 1024);
  for (auto _ : state) {
    // The result goes to fresh memory, as a conversion's result must.
    const std::unique_ptr<int16_t[]> out(new int16_t[outFrames * 2]);
    file.at = 0;
    SF_VIRTUAL_IO io{&MemoryWave::Length, &MemoryWave::Seek, &MemoryWave::Read, &MemoryWave::Write, &MemoryWave::Tell};
    SF_INFO info{};
    SNDFILE* f = sf_open_virtual(&io, SFM_READ, &info, &file);
    soxr_io_spec_t formats = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
    formats.flags |= SOXR_NO_DITHER;
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    soxr_error_t error = nullptr;
    soxr_t soxr = soxr_create(kFromRate, kToRate, 2, &error, &formats, &quality, &runtime);
    size_t total = 0;
    sf_count_t got;
    while ((got = sf_readf_short(f, decoded.data(), kPieceFrames)) > 0) {
      size_t idone = 0, odone = 0;
      soxr_process(soxr, decoded.data(), size_t(got), &idone, out.get() + total * 2, outFrames - total, &odone);
      total += odone;
    }
    size_t odone = 0;
    soxr_process(soxr, nullptr, 0, nullptr, out.get() + total * 2, outFrames - total, &odone);
    benchmark::DoNotOptimize(out.get());
    soxr_delete(soxr);
    sf_close(f);
  }
}

BENCHMARK(BM_ConvertHeld24Bit96kTo16Bit44k)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SndfileDecodeAndSoxrAlone)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tarkel

BENCHMARK_MAIN();
