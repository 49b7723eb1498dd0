// Hard-disk editing of a file just under 4 GiB (the largest a RIFF size field can describe):
// opening it in place, an effect over 10 s of it against the same effect in memory, closing it,
// and the resident memory a mapped document adds. The file is sparse (made with ftruncate), so
// it costs no disk space beyond the pages an effect writes; it is removed afterwards.
// The goals: open under 50 ms whatever the size; the effect within 1.5x of memory (the in-place
// run includes its journal and the flushes that make it crash-safe); close under 10 ms; under
// 20 MiB of resident memory beyond the pages touched.
//
//   TARKEL_BENCH_DIR  folder for the file (default $TMPDIR, else /tmp)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/CTarkelDoc.h"
#include "document/EffectCommands.h"
#include "effects/EffectRequest.h"
#include "sound/AppContext.h"
#include "sound/Bytes.h"

namespace {

using namespace tarkel;

constexpr uint32_t kRate = 44100;
constexpr uint32_t kTenSeconds = 10 * kRate;
// The largest whole number of stereo frames whose file (44-byte header) a RIFF size can hold.
constexpr uint64_t kDataBytes = (uint64_t(UINT32_MAX) - 36 - 4096) & ~uint64_t(3);

std::string BenchFolder() {
  const char* dir = std::getenv("TARKEL_BENCH_DIR");
  if (!dir || !*dir) dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp");
}

// A canonical 16-bit stereo file of kDataBytes of silence, sparse.
struct HugeFile {
  HugeFile() : path(BenchFolder() + "/tarkel-hd-bench-" + std::to_string(::getpid()) + ".wav") {
    uint8_t h[44] = {};
    PutTag(h, "RIFF");
    PutLE32(h + 4, uint32_t(36 + kDataBytes));
    PutTag(h + 8, "WAVE");
    PutTag(h + 12, "fmt ");
    PutLE32(h + 16, 16);
    PutLE16(h + 20, 1);
    PutLE16(h + 22, 2);
    PutLE32(h + 24, kRate);
    PutLE32(h + 28, kRate * 4);
    PutLE16(h + 32, 4);
    PutLE16(h + 34, 16);
    PutTag(h + 36, "data");
    PutLE32(h + 40, uint32_t(kDataBytes));
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, h, sizeof h) != ssize_t(sizeof h) || ::ftruncate(fd, off_t(44 + kDataBytes)) != 0)
      std::abort();
    ::close(fd);
  }
  ~HugeFile() { std::filesystem::remove(path); }
  std::string path;
};

HugeFile& File() {
  static HugeFile file;
  return file;
}

std::unique_ptr<CTarkelDoc> OpenInPlace() {
  App().hardDiskEditing = 1;
  auto doc = std::make_unique<CTarkelDoc>();
  if (!doc->Open(File().path) || !doc->IsHardDisk()) std::abort();
  return doc;
}

long ResidentKiB() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

EffectRequest Volume() {
  std::string error;
  std::optional<EffectRequest> r = ParseEffectRequest("volume", error);
  if (!r) std::abort();
  return *r;
}

void BM_OpenInPlace(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<CTarkelDoc> doc = OpenInPlace();
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.counters["GiB"] = double(kDataBytes) / double(1ull << 30);
}
BENCHMARK(BM_OpenInPlace)->Unit(benchmark::kMillisecond);

void BM_CloseInPlace(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<CTarkelDoc> doc = OpenInPlace();
    state.ResumeTiming();
    doc->Close();
  }
}
BENCHMARK(BM_CloseInPlace)->Unit(benchmark::kMillisecond);

// The volume effect over 10 s in the middle of the sound: in place (journal, flushes) ...
void BM_EffectTenSecondsInPlace(benchmark::State& state) {
  std::unique_ptr<CTarkelDoc> doc = OpenInPlace();
  const EffectRequest volume = Volume();
  const uint32_t first = doc->Sound().Frames() / 2;
  for (auto _ : state)
    if (!ApplyEffectCommand(*doc, volume, first, first + kTenSeconds - 1, ChannelMode::Both)) std::abort();
}
BENCHMARK(BM_EffectTenSecondsInPlace)->Unit(benchmark::kMillisecond);

// ... and in memory, on a sound of one minute.
void BM_EffectTenSecondsInMemory(benchmark::State& state) {
  CTarkelDoc doc;
  DocWaveAudio& wave = doc.Sound();
  wave.Format() = WaveFormat::Make(1, 2, kRate, 16);
  if (!wave.AllocateData(60 * kRate * 4)) std::abort();
  const EffectRequest volume = Volume();
  for (auto _ : state)
    if (!ApplyEffectCommand(doc, volume, 20 * kRate, 20 * kRate + kTenSeconds - 1, ChannelMode::Both)) std::abort();
}
BENCHMARK(BM_EffectTenSecondsInMemory)->Unit(benchmark::kMillisecond);

// Resident memory that opening the 4 GiB document adds, without touching its samples.
void BM_ResidentMemoryOfAnOpenDocument(benchmark::State& state) {
  long added = 0;
  for (auto _ : state) {
    const long before = ResidentKiB();
    std::unique_ptr<CTarkelDoc> doc = OpenInPlace();
    added = ResidentKiB() - before;
    benchmark::DoNotOptimize(doc->Sound().Data());
  }
  state.counters["added_KiB"] = double(added);
}
BENCHMARK(BM_ResidentMemoryOfAnOpenDocument)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  File();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
