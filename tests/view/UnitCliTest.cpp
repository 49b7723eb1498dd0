// tarkel-cli's display units: --unit, --fps, --select in units and the length line of --info.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace tarkel {
namespace {

using test::RunCli;

std::string LengthLine(const std::string& out) {
  const size_t at = out.find("length: ");
  return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
}

TEST(CliUnits, InfoPrintsTheLengthInTheUnitLastChosen) {
  struct Row {
    std::vector<std::string> args;
    std::string line;
  };
  const std::vector<Row> rows = {
      {{"--new", "1,2,44100,16,88200", "--info"}, "length: 88200 samples"},
      {{"--new", "1,2,44100,16,44100", "--unit", "smpte", "--info"}, "length: 00:00:01.00 (hh:mm:ss.fr)"},
      {{"--new", "1,2,44100,16,65268", "--unit", "smpte", "--info"}, "length: 00:00:01.12 (hh:mm:ss.fr)"},
      {{"--new", "1,1,22050,16,22050", "--unit", "ms", "--info"}, "length: 1000 ms"},
      {{"--new", "1,1,22050,16,33075", "--unit", "seconds", "--info"}, "length: 1.5 sec"},
      {{"--new", "1,2,44100,16,1000", "--unit", "bytes", "--info"}, "length: 4000 byte"},
      {{"--new", "1,2,44100,16,44100", "--fps", "30", "--unit", "frames", "--info"}, "length: 30 frames"},
      {{"--new", "1,2,44100,16,44100", "--unit", "smpte", "--unit", "samples", "--info"}, "length: 44100 samples"},
      {{"--new", "1,2,44100,16,66150", "--fps", "24", "--unit", "smpte", "--info"}, "length: 00:00:01.12 (hh:mm:ss.fr)"},
  };
  for (const Row& row : rows) {
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(LengthLine(r.out), row.line);
  }
}

TEST(CliUnits, SelectReadsPositionsInTheUnit) {
  test::TempDir dir;
  const std::string out = (dir / "part.wav").string();
  struct Row {
    std::vector<std::string> unit;
    std::string select;
    std::string frames;
  };
  const std::vector<Row> rows = {
      {{"--unit", "smpte"}, "00:00:01.00:00:00:02.00", "frames: 44101"},  // 44100 .. 88200 inclusive
      {{"--unit", "seconds"}, "1.5:3", "frames: 66151"},                   // 66150 .. 132300
      {{"--unit", "ms"}, "0:500", "frames: 22051"},
      {{"--unit", "bytes"}, "0:400", "frames: 101"},
      {{"--fps", "100", "--unit", "frames"}, "0:50", "frames: 22051"},
      {{}, "10:19", "frames: 9"},  // frames by default; ends rounded down to even
  };
  for (const Row& row : rows) {
    std::vector<std::string> args = {"--new", "1,2,44100,16,441000"};
    args.insert(args.end(), row.unit.begin(), row.unit.end());
    args.insert(args.end(), {"--select", row.select, "--save-selection", out});
    const auto r = RunCli(args);
    ASSERT_EQ(r.status, 0) << row.select << ": " << r.err;
    const auto info = RunCli({out, "--info"});
    EXPECT_NE(info.out.find(row.frames + "\n"), std::string::npos) << row.select << '\n' << info.out;
  }
}

TEST(CliUnits, UnknownUnitsRatesAndPositionsAreUsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--new", "1,1,8000,8,100", "--unit", "beats"},
           {"--new", "1,1,8000,8,100", "--unit", "hours"},
           {"--new", "1,1,8000,8,100", "--fps", "23"},
           {"--new", "1,1,8000,8,100", "--fps", "x"},
           {"--new", "1,1,8000,8,100", "--unit", "smpte", "--select", "1:2"},
           {"--new", "1,1,8000,8,100", "--unit", "seconds", "--select", "1,5:2"},
           {"--new", "1,1,8000,8,100", "--select", "1.5:3"},
       }) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args[2] << ' ' << args[3];
    EXPECT_TRUE(r.out.empty());
  }
}

}  // namespace
}  // namespace tarkel
