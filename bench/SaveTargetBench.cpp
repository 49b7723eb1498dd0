// What the care around opening and saving costs: refusing special files before opening, and
// looking for the temporary files of killed saves among the other files of the folder.
//
//   build/bench/bench/save_target_bench
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "fileformats/SafeOpen.h"
#include "fileformats/SaveTarget.h"

namespace {

std::string MakeFolder() {
  std::string pattern = "/tmp/tarkel-bench-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!::mkdtemp(name.data())) std::abort();
  return name.data();
}

void Touch(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) std::abort();
  ::close(fd);
}

// A folder of `count` ordinary files and the file that is saved.
struct CrowdedFolder {
  explicit CrowdedFolder(int count) : path(MakeFolder()) {
    for (int i = 0; i < count; ++i) Touch(path + "/take-" + std::to_string(i) + ".wav");
    Touch(Target());
  }
  ~CrowdedFolder() { std::system(("rm -rf '" + path + "'").c_str()); }
  std::string Target() const { return path + "/song.wav"; }
  std::string path;
};

void BM_PlainOpen(benchmark::State& state) {
  CrowdedFolder folder(0);
  for (auto _ : state) {
    const int fd = ::open(folder.Target().c_str(), O_RDONLY | O_CLOEXEC);
    benchmark::DoNotOptimize(fd);
    ::close(fd);
  }
}

// stat, open without blocking, fstat and clearing the flag.
void BM_OpenRegularFile(benchmark::State& state) {
  CrowdedFolder folder(0);
  for (auto _ : state) {
    const int fd = tarkel::OpenRegularFile(folder.Target(), O_RDONLY);
    benchmark::DoNotOptimize(fd);
    ::close(fd);
  }
}

// The search for left-over temporary files that every save makes, by the size of the folder.
void BM_StaleTemporarySearch(benchmark::State& state) {
  CrowdedFolder folder(int(state.range(0)));
  for (auto _ : state) tarkel::RemoveStaleTemporaries(folder.Target());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_PlainOpen);
BENCHMARK(BM_OpenRegularFile);
BENCHMARK(BM_StaleTemporarySearch)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
