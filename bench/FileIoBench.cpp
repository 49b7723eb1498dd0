// Opening and saving a large 16-bit stereo RIFF WAVE file, each beside the plain system calls
// that move the same bytes: read() into fresh memory for opening, write() + fsync() for saving.
// The goals: open within 1.25x of read(), save within 1.25x of write() + fsync(); opened with
// background loading, the open returns within 50 ms and the load goes at read()'s speed.
//
//   TARKEL_BENCH_BYTES  sample bytes of the file (default 1 GiB)
//   TARKEL_BENCH_DIR    folder for the files (default $TMPDIR, else /tmp); removed afterwards
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "sound/Bytes.h"
#include "sound/WaveAudio.h"
#include "sound/WaveImage.h"
#include "fileformats/BackgroundRead.h"
#include "fileformats/SoundFile.h"

namespace {

constexpr uint64_t kDefaultBytes = 1ull << 30;
constexpr size_t kGenerateChunk = 1 << 20;

uint32_t BenchBytes() {
  const char* text = std::getenv("TARKEL_BENCH_BYTES");
  uint64_t bytes = text && *text ? std::strtoull(text, nullptr, 10) : kDefaultBytes;
  bytes &= ~uint64_t(3);  // whole stereo frames
  return uint32_t(std::min<uint64_t>(bytes, UINT32_MAX - 4096));
}

std::string BenchFolder() {
  const char* dir = std::getenv("TARKEL_BENCH_DIR");
  if (!dir || !*dir) dir = std::getenv("TMPDIR");
  std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/tarkel-bench-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!::mkdtemp(name.data())) std::abort();
  return name.data();
}

bool WriteAll(int fd, const uint8_t* p, size_t n) {
  while (n) {
    const ssize_t put = ::write(fd, p, std::min<size_t>(n, 1 << 30));
    if (put <= 0) return false;
    p += put;
    n -= size_t(put);
  }
  return true;
}

// The files of the run: a canonical 16-bit stereo file to open, made once.
struct BenchFiles {
  BenchFiles() : folder(BenchFolder()), input(folder + "/input.wav"), bytes(BenchBytes()) {
    const int fd = ::open(input.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    uint8_t header[tarkel::kCanonicalHeaderSize];
    tarkel::WriteCanonicalHeader(header, tarkel::WaveFormat::Pcm(2, 44100, 16), bytes);
    std::vector<uint8_t> chunk(kGenerateChunk);
    for (size_t i = 0; i < chunk.size(); ++i) chunk[i] = uint8_t(i * 7);
    bool ok = fd >= 0 && WriteAll(fd, header, sizeof header);
    for (uint64_t done = 0; ok && done < bytes; done += chunk.size())
      ok = WriteAll(fd, chunk.data(), size_t(std::min<uint64_t>(chunk.size(), bytes - done)));
    if (!ok || ::close(fd) != 0) std::abort();
  }
  ~BenchFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string folder;
  std::string input;
  uint32_t bytes;
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// Opening through the program's reader.
double TimeOpen(benchmark::State& state, const BenchFiles& files) {
  const auto start = Clock::now();
  {
    tarkel::WaveAudio wave;
    if (!tarkel::OpenSoundFile(wave, files.input, 0, false) || wave.DataSize() != files.bytes)
      state.SkipWithError("open failed");
    benchmark::DoNotOptimize(wave.Data());
  }
  return Seconds(start);
}

// The same file with one read() into a fresh block.
double TimeRead(benchmark::State& state, const BenchFiles& files) {
  const auto start = Clock::now();
  const int fd = ::open(files.input.c_str(), O_RDONLY);
  struct stat st {};
  ::fstat(fd, &st);
  auto* block = static_cast<uint8_t*>(std::malloc(size_t(st.st_size)));
  size_t done = 0;
  while (done < size_t(st.st_size)) {
    const ssize_t got = ::read(fd, block + done, size_t(st.st_size) - done);
    if (got <= 0) break;
    done += size_t(got);
  }
  ::close(fd);
  benchmark::DoNotOptimize(block);
  std::free(block);
  if (done != size_t(st.st_size)) state.SkipWithError("read failed");
  return Seconds(start);
}

// The sound that the save benchmark writes, read once.
tarkel::WaveAudio& LoadedSound() {
  static tarkel::WaveAudio* wave = [] {
    auto* w = new tarkel::WaveAudio;
    if (!tarkel::OpenSoundFile(*w, Files().input, 0, false)) std::abort();
    return w;
  }();
  return *wave;
}

// Saving through the program's writer (temporary file, flush, rename over the old file).
double TimeSave(benchmark::State& state, tarkel::WaveAudio& wave, const std::string& target) {
  const auto start = Clock::now();
  if (!tarkel::SaveSoundFile(wave, target, 0, wave.FrameCount())) state.SkipWithError("save failed");
  return Seconds(start);
}

// The same sample bytes with one write() over the old file and fsync().
double TimeWrite(benchmark::State& state, tarkel::WaveAudio& wave, const std::string& target) {
  const auto start = Clock::now();
  const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const bool ok = fd >= 0 && WriteAll(fd, wave.Data(), wave.DataSize()) && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!ok) state.SkipWithError("write failed");
  return Seconds(start);
}

// Each iteration times the program and the plain system calls back to back, in alternating
// order, so that the other work on a shared machine weighs on both alike. The reported time is
// the program's; "plain_ms" is the system calls' time, "ratio" the program's total time over
// theirs and "median_ratio" the median of the ratios of single iterations.
template <class Ours, class Plain>
void RunPaired(benchmark::State& state, uint32_t bytes, Ours&& ours, Plain&& plain) {
  double oursTotal = 0;
  double plainTotal = 0;
  std::vector<double> ratios;
  bool oursFirst = true;
  for (auto _ : state) {
    double o;
    double p;
    if (oursFirst) {
      o = ours();
      p = plain();
    } else {
      p = plain();
      o = ours();
    }
    oursFirst = !oursFirst;
    oursTotal += o;
    plainTotal += p;
    ratios.push_back(p > 0 ? o / p : 0);
    state.SetIterationTime(o);
  }
  const double n = double(state.iterations());
  state.counters["ours_ms"] = 1000 * oursTotal / n;
  state.counters["plain_ms"] = 1000 * plainTotal / n;
  state.counters["ratio"] = plainTotal > 0 ? oursTotal / plainTotal : 0;
  std::sort(ratios.begin(), ratios.end());
  if (!ratios.empty()) state.counters["median_ratio"] = ratios[ratios.size() / 2];
  state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void BM_OpenVersusRead(benchmark::State& state) {
  BenchFiles& files = Files();
  RunPaired(state, files.bytes, [&] { return TimeOpen(state, files); }, [&] { return TimeRead(state, files); });
}

void BM_SaveVersusWriteFsync(benchmark::State& state) {
  tarkel::WaveAudio& wave = LoadedSound();
  const std::string saved = Files().folder + "/saved.wav";
  const std::string plain = Files().folder + "/plain.wav";
  RunPaired(state, wave.DataSize(), [&] { return TimeSave(state, wave, saved); },
            [&] { return TimeWrite(state, wave, plain); });
}

// The end of a background read, handed over by the worker as the UI thread's event loop would
// get it.
class PostedEnd {
 public:
  PostedEnd() {
    tarkel::SetBackgroundReadPoster([this](std::function<void()> work) {
      const std::lock_guard<std::mutex> lock(mutex_);
      work_ = std::move(work);
      posted_.notify_all();
    });
  }
  ~PostedEnd() { tarkel::SetBackgroundReadPoster(nullptr); }
  // Waits for the end and runs it here.
  void Run() {
    std::function<void()> work;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      posted_.wait(lock, [this] { return bool(work_); });
      work = std::exchange(work_, nullptr);
    }
    work();
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::function<void()> work_;
};

// Opening with "Load_in_Background": the time until the open returns ("open_ms", the slowest
// iteration's) and the whole load until its end was delivered (the time reported), against one
// read() of the file.
void BM_BackgroundOpenVersusRead(benchmark::State& state) {
  BenchFiles& files = Files();
  PostedEnd posted;
  double slowestOpen = 0;
  const auto load = [&] {
    const auto start = Clock::now();
    {
      tarkel::WaveAudio wave;
      if (!tarkel::OpenSoundFile(wave, files.input, 1, false) || !wave.IsLoading()) state.SkipWithError("open failed");
      slowestOpen = std::max(slowestOpen, Seconds(start));
      posted.Run();
      if (wave.IsLoading() || wave.DataSize() != files.bytes) state.SkipWithError("load failed");
      benchmark::DoNotOptimize(wave.Data());
    }
    return Seconds(start);
  };
  RunPaired(state, files.bytes, load, [&] { return TimeRead(state, files); });
  state.counters["open_ms"] = 1000 * slowestOpen;
}

constexpr int kOpenIterations = 6;
constexpr int kSaveIterations = 10;

BENCHMARK(BM_OpenVersusRead)->Unit(benchmark::kMillisecond)->Iterations(kOpenIterations)->UseManualTime();
BENCHMARK(BM_BackgroundOpenVersusRead)->Unit(benchmark::kMillisecond)->Iterations(kOpenIterations)->UseManualTime();
BENCHMARK(BM_SaveVersusWriteFsync)->Unit(benchmark::kMillisecond)->Iterations(kSaveIterations)->UseManualTime();

}  // namespace
