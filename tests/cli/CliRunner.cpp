#include "cli/CliRunner.h"

#include <fstream>
#include <iterator>
#include <random>

#include <sys/wait.h>
#include <unistd.h>

namespace tarkel::test {

TempDir::TempDir() {
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() / ("tarkel-test-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

namespace {
std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}
std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
}  // namespace

CliResult RunCli(const std::vector<std::string>& args, uint64_t limitKilobytes) {
  TempDir dir;
  std::string command = limitKilobytes ? "ulimit -v " + std::to_string(limitKilobytes) + "; exec " : "";
  command += Quote(TARKEL_CLI_PATH);
  for (const auto& a : args) command += " " + Quote(a);
  command += " </dev/null >" + Quote((dir / "out").string()) + " 2>" + Quote((dir / "err").string());
  const int raw = std::system(command.c_str());
  CliResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = Slurp(dir / "out");
  r.err = Slurp(dir / "err");
  return r;
}

}  // namespace tarkel::test
