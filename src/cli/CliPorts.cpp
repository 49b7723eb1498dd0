#include "cli/CliPorts.h"

#include <fstream>
#include <iterator>
#include <ostream>

#include "fileformats/ReplacingFile.h"

#include "fileformats/SafeOpen.h"

namespace tarkel {

void CliUserInterface::ShowMessage(int number, const std::string& text) {
  err_ << "message " << number << ": " << text << '\n';
}

bool CliUserInterface::AskYesNo(int number, const std::string& text) {
  // A question outside the message table (number 0) prints as a free text does.
  if (number == 0) err_ << "message: " << text << '\n';
  else err_ << "message " << number << ": " << text << '\n';
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
  ReplacingFile file(path_);
  return file.Create() && file.Sink().Write(image.data(), image.size()) && file.Commit() == CommitResult::kDone;
}

// An empty clipboard is an empty file, replaced as every other content is.
void FileClipboard::EmptyWave() { WriteWave({}); }

}  // namespace tarkel
