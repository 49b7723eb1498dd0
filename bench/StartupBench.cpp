// Start-up of the desktop program: from starting the process to the first painted main window,
// with no file and with a 1 GiB sound, beside tarkel-cli opening the same sound. The program
// runs on the offscreen platform (or the X display when one is set) with settings of its own.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

const fs::path& WorkFolder() {
  static const fs::path folder = [] {
    fs::path p = fs::temp_directory_path() / ("tarkel-startup-bench-" + std::to_string(getpid()));
    fs::create_directories(p / "config");
    fs::create_directories(p / "runtime");
    fs::permissions(p / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    return p;
  }();
  return folder;
}

void PutLE(std::vector<char>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

// A 16-bit stereo 44100 Hz RIFF WAVE file of 1 GiB of samples (made once).
const fs::path& LargeFile() {
  static const fs::path path = [] {
    const fs::path p = WorkFolder() / "large.wav";
    const uint32_t dataBytes = 1u << 30;
    std::vector<char> header;
    for (char c : std::string("RIFF")) header.push_back(c);
    PutLE(header, dataBytes + 36, 4);
    for (char c : std::string("WAVEfmt ")) header.push_back(c);
    PutLE(header, 16, 4);
    PutLE(header, 1, 2);
    PutLE(header, 2, 2);
    PutLE(header, 44100, 4);
    PutLE(header, 44100 * 4, 4);
    PutLE(header, 4, 2);
    PutLE(header, 16, 2);
    for (char c : std::string("data")) header.push_back(c);
    PutLE(header, dataBytes, 4);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(header.data(), std::streamsize(header.size()));
    std::vector<char> block(1 << 20);
    for (size_t i = 0; i < block.size(); i += 2) {
      const int16_t v = int16_t((i * 37) % 20000 - 10000);
      std::memcpy(&block[i], &v, 2);
    }
    for (uint32_t written = 0; written < dataBytes; written += uint32_t(block.size()))
      out.write(block.data(), std::streamsize(block.size()));
    return p;
  }();
  return path;
}

// Runs `args` to its end; false when it could not start or failed.
bool Run(const std::vector<std::string>& args, bool quietOutput) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (entry.rfind("XDG_CONFIG_HOME=", 0) == 0 || entry.rfind("XDG_RUNTIME_DIR=", 0) == 0) continue;
    env.push_back(entry);
  }
  env.push_back("XDG_CONFIG_HOME=" + (WorkFolder() / "config").string());
  env.push_back("XDG_RUNTIME_DIR=" + (WorkFolder() / "runtime").string());
  env.push_back("TARKEL_EXIT_AFTER_FIRST_PAINT=1");
  if (!std::getenv("DISPLAY")) env.push_back("QT_QPA_PLATFORM=offscreen");
  std::vector<char*> argv, envp;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (quietOutput) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_TarkelToFirstPaint(benchmark::State& state) {
  for (auto _ : state)
    if (!Run({TARKEL_PATH}, true)) state.SkipWithError("tarkel failed");
}
BENCHMARK(BM_TarkelToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_TarkelCliOpen1GiB(benchmark::State& state) {
  const std::string file = LargeFile().string();
  for (auto _ : state)
    if (!Run({TARKEL_CLI_PATH, file, "--info"}, true)) state.SkipWithError("tarkel-cli failed");
}
BENCHMARK(BM_TarkelCliOpen1GiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_TarkelToFirstPaint1GiB(benchmark::State& state) {
  const std::string file = LargeFile().string();
  for (auto _ : state)
    if (!Run({TARKEL_PATH, file}, true)) state.SkipWithError("tarkel failed");
}
BENCHMARK(BM_TarkelToFirstPaint1GiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(WorkFolder(), ec);
  return 0;
}
