#include "cli/CliPorts.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <ostream>

#include <unistd.h>

#include "fileformats/SafeOpen.h"

namespace tarkel {

void CliUserInterface::ShowMessage(int number, const std::string& text) {
  err_ << "message " << number << ": " << text << '\n';
}

bool CliUserInterface::AskYesNo(int number, const std::string& text) {
  err_ << "message " << number << ": " << text << '\n';
  return answerYes_;
}

void CliUserInterface::ShowText(const std::string& text) { err_ << "message: " << text << '\n'; }

bool FileClipboard::HasWave() {
  if (path_.empty()) return !memory_.empty();
  return RegularFileSize(path_).value_or(0) > 0;
}

std::vector<uint8_t> FileClipboard::ReadWave() {
  if (path_.empty()) return memory_;
  std::vector<uint8_t> bytes;
  ReadRegularFile(path_, bytes);  // a pipe or device in its place reads as an empty clipboard
  return bytes;
}

bool FileClipboard::WriteWave(std::vector<uint8_t> image) {
  if (path_.empty()) {
    memory_ = std::move(image);
    return true;
  }
  // Written beside the target and renamed over it, so a failed write keeps the old clipboard.
  const std::string temp = path_ + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), path_.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

void FileClipboard::EmptyWave() {
  if (path_.empty()) {
    memory_.clear();
    return;
  }
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
}

}  // namespace tarkel
