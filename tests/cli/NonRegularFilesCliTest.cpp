// tarkel-cli given a name that is not a plain file: it reports the open or create error and
// ends at once (CTest's time limit catches a run that waits on a pipe).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/CliRunner.h"

namespace tarkel {
namespace {

using test::RunCli;

TEST(CliNonRegularFiles, APipeOrADeviceToOpenIsTheOpenError) {
  test::TempDir dir;
  const std::string pipe = (dir / "pipe.wav").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  for (const std::string& path : {pipe, std::string("/dev/zero"), dir.Path().string()}) {
    const auto r = RunCli({path, "--info"});
    EXPECT_EQ(r.status, 1) << path;
    EXPECT_EQ(r.err, "message 3018: Error opening the file !\n") << path;
    EXPECT_EQ(r.out, "") << path;
  }
}

TEST(CliNonRegularFiles, APipeAsClipboardOrOutputDoesNotWait) {
  test::TempDir dir;
  const std::string pipe = (dir / "pipe.wav").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  const auto paste = RunCli({"--new", "1,1,22050,8,100", "--clipboard", pipe, "--edit", "paste"});
  EXPECT_NE(paste.status, 0);
  const auto save = RunCli({"--new", "1,1,22050,8,100", "-o", pipe});
  EXPECT_EQ(save.status, 1);
  EXPECT_EQ(save.err, "message 3019: Error while creating/writing the file !\n");
  const auto preview = RunCli({"--new", "1,1,22050,8,100", "--preview", "fade:100,50", pipe});
  EXPECT_EQ(preview.status, 1);
  EXPECT_EQ(preview.err, "message 3019: Error while creating/writing the file !\n");
  struct stat st {};
  ASSERT_EQ(::stat(pipe.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(CliNonRegularFiles, APipeAsCueOrPresetFileDoesNotWait) {
  test::TempDir dir;
  const std::string pipe = (dir / "list.cue").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  ASSERT_EQ(::mkfifo((dir / "Echo.par").c_str(), 0666), 0);
  const auto cue = RunCli({"--new", "1,1,22050,8,100", "--load-cue", pipe});
  EXPECT_EQ(cue.status, 1);
  EXPECT_NE(cue.err.find("message 3018: Error opening the file !"), std::string::npos) << cue.err;
  const auto presets = RunCli({"--preset-dir", dir.Path().string(), "--list-presets", "echo"});
  EXPECT_EQ(presets.out, "");
}

}  // namespace
}  // namespace tarkel
