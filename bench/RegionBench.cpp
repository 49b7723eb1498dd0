// The region manager's work that grows with the list or the sound: reading and writing cue
// files of many regions, following a cut through many regions, and writing the play list
// beside saving a sound of the same bytes (the export adds only its walk over the regions).
//
//   TARKEL_BENCH_DIR  folder for the files (default $TMPDIR, else /tmp)
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "document/EditCommands.h"
#include "fileformats/SoundFile.h"
#include "regions/CueFile.h"
#include "regions/PlayListExport.h"
#include "regions/RegionList.h"

namespace {

using namespace tarkel;

std::string BenchFile(const char* name) {
  const char* dir = std::getenv("TARKEL_BENCH_DIR");
  if (!dir || !*dir) dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/" + name;
}

std::vector<CWaveSelection> ManyRegions(size_t count) {
  std::vector<CWaveSelection> regions(count);
  for (size_t i = 0; i < count; ++i) {
    regions[i].name = "Region " + std::to_string(i);
    regions[i].filePath = "/home/user/sounds/a rather long folder name/recording.wav";
    regions[i].start = uint32_t(i * 10);
    regions[i].end = uint32_t(i * 10 + 8);
  }
  return regions;
}

void BM_WriteCue(benchmark::State& state) {
  const auto regions = ManyRegions(size_t(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(WriteCueBytes(regions));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteCue)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadCue(benchmark::State& state) {
  const auto bytes = WriteCueBytes(ManyRegions(size_t(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(ReadCueBytes(bytes));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}
BENCHMARK(BM_ReadCue)->Arg(100000)->Unit(benchmark::kMillisecond);

std::unique_ptr<CTarkelDoc> SilentSound(uint32_t frames) {
  auto doc = std::make_unique<CTarkelDoc>();
  doc->Sound().Format() = WaveFormat::Pcm(2, 44100, 16);
  std::memset(doc->Sound().AllocateData(frames * 4), 0, size_t(frames) * 4);
  return doc;
}

// One delete before 10,000 regions of one sound: every region moves.
void BM_FollowCut(benchmark::State& state) {
  const uint32_t frames = 1000000;
  auto doc = SilentSound(frames);
  RegionList list;
  TheDocumentHooks().regionSink = &list;
  TheUndoStore().SetEnabled(false);
  for (auto _ : state) {
    state.PauseTiming();
    list.Clear();
    if (doc->Sound().Frames() < frames / 2) doc = SilentSound(frames);
    for (uint32_t i = 0; i < 10000; ++i) {
      CWaveSelection r;
      r.document = doc.get();
      r.start = 20000 + i * 40;
      r.end = r.start + 30;
      list.Append(r);
    }
    state.ResumeTiming();
    RunEditCommand(*doc, EditCommand::Delete, 0, 9, ChannelMode::Both);
  }
  TheDocumentHooks().regionSink = nullptr;
}
BENCHMARK(BM_FollowCut)->Unit(benchmark::kMillisecond);

// 64 MiB of play list (16 regions of 1 MiB, each 4 times) beside saving 64 MiB of sound.
void BM_ExportPlayList(benchmark::State& state) {
  auto doc = SilentSound(16 << 18);
  std::vector<CWaveSelection> regions(16);
  for (uint32_t i = 0; i < 16; ++i) {
    regions[i].document = doc.get();
    regions[i].start = i << 18;
    regions[i].end = ((i + 1) << 18) - 1;
    regions[i].repeats = 4;
  }
  const std::string path = BenchFile("tarkel-bench-playlist.wav");
  for (auto _ : state) ExportPlayList(regions, path);
  state.SetBytesProcessed(state.iterations() * (int64_t(64) << 20));
  std::filesystem::remove(path);
}
BENCHMARK(BM_ExportPlayList)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveSameBytes(benchmark::State& state) {
  auto doc = SilentSound(64 << 18);
  const std::string path = BenchFile("tarkel-bench-save.wav");
  for (auto _ : state) SaveSoundFile(doc->Sound(), path, 0, doc->Sound().Frames());
  state.SetBytesProcessed(state.iterations() * (int64_t(64) << 20));
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
