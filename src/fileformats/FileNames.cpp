#include "fileformats/FileNames.h"

#include <cctype>

namespace tarkel {

size_t FileNameStart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool FileNameContains(const std::string& path, const char* part) {
  return UpperCase(path.substr(FileNameStart(path))).find(part) != std::string::npos;
}

}  // namespace tarkel
