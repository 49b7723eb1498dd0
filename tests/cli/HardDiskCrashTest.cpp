// Crash safety of in-place editing: tarkel-cli --hard-disk is killed (SIGKILL) at random moments
// of a long effect and of a paste at the start of a 24 MB file. After each kill the next open
// (tarkel-cli FILE --info) must leave the file exactly as it was before that operation, or, when
// the kill came after the operation was flushed, exactly as it is after it.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "HardDiskFiles.h"
#include "cli/CliRunner.h"

namespace tarkel::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kFrames = 6'000'000;  // 24 MB of 16-bit stereo
constexpr int kKillsPerOperation = 25;

pid_t Start(const std::vector<std::string>& args) {
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 1);
    ::dup2(null, 2);
    std::vector<char*> argv{const_cast<char*>(TARKEL_CLI_PATH)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(TARKEL_CLI_PATH, argv.data());
    ::_exit(127);
  }
  return child;
}

int Wait(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

struct KillCounts {
  int before = 0;
  int after = 0;
};

// Runs `steps` on `file` (holding `before`) to completion once to learn the after-state and the
// time it takes, then kills it at random moments of that time.
KillCounts KillRepeatedly(const TempDir& dir, const fs::path& file, const std::vector<uint8_t>& before,
                          const std::vector<std::string>& steps, std::mt19937& random) {
  std::vector<std::string> args{"--hard-disk", file.string()};
  args.insert(args.end(), steps.begin(), steps.end());
  WriteFileBytes(file, before);
  const auto start = Clock::now();
  const int status = Wait(Start(args));
  const auto took = Clock::now() - start;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::vector<uint8_t> after = ReadFileBytes(file);
  EXPECT_NE(after, before);
  EXPECT_TRUE(SplitWave(after).valid);

  KillCounts counts;
  // A little past the whole run, so that some kills come after the flush.
  std::uniform_int_distribution<int64_t> moment(0, std::chrono::duration_cast<std::chrono::microseconds>(took).count() * 21 / 20);
  for (int i = 0; i < kKillsPerOperation; ++i) {
    WriteFileBytes(file, before);
    const int64_t at = moment(random);
    const pid_t child = Start(args);
    std::this_thread::sleep_for(std::chrono::microseconds(at));
    ::kill(child, SIGKILL);
    Wait(child);
    const CliResult info = RunCli({file.string(), "--info"});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_FALSE(fs::exists(dir / ("." + file.filename().string() + ".tarkel-journal")));
    const std::vector<uint8_t> now = ReadFileBytes(file);
    const bool isBefore = now == before, isAfter = now == after;
    EXPECT_TRUE(isBefore || isAfter) << "killed after " << at << " us of " << steps.back();
    counts.before += isBefore;
    counts.after += isAfter;
  }
  return counts;
}

TEST(HardDiskCrashTest, KillAtAnyMomentLeavesTheFileBeforeOrAfterTheOperation) {
  TempDir dir;
  const fs::path file = dir / "long.wav";
  WriteTestWave(file, kFrames);
  const std::vector<uint8_t> before = ReadFileBytes(file);
  const fs::path clip = dir / "clip";
  ASSERT_EQ(RunCli({file.string(), "--clipboard", clip.string(), "--select", "0:220499", "--edit", "copy"}).status, 0);

  std::random_device seed;
  const unsigned seedValue = seed();
  std::mt19937 random(seedValue);
  SCOPED_TRACE("seed " + std::to_string(seedValue));
  const KillCounts effect = KillRepeatedly(dir, file, before, {"--effect", "equalizer:1,2,3,4,5"}, random);
  const KillCounts paste =
      KillRepeatedly(dir, file, before, {"--clipboard", clip.string(), "--select", "0:0", "--edit", "paste"}, random);
  std::printf("long effect: %d kills gave the state before, %d the state after\n", effect.before, effect.after);
  std::printf("paste at the start: %d kills gave the state before, %d the state after\n", paste.before, paste.after);
}

}  // namespace
}  // namespace tarkel::test
