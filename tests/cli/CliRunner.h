#pragma once
// Runs tarkel-cli as a user would and collects what it printed and its exit status.
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

CliResult RunCli(const std::vector<std::string>& args);

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace tarkel::test
