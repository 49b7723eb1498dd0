#pragma once
// Runs tarkel-cli as a user would and collects what it printed and its exit status.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarkel::test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// `limitKilobytes`, when not 0, limits the program's address space (ulimit -v) to act out a
// machine short of memory.
CliResult RunCli(const std::vector<std::string>& args, uint64_t limitKilobytes = 0);

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace tarkel::test
