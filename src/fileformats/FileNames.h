#pragma once
// Looking at a file's own name (the part of a path after its last '/'): the program decides a
// file's writer and whether it may be edited in place by what the name contains.
#include <cstddef>
#include <string>

namespace tarkel {

// Where the file's own name starts in `path`.
size_t FileNameStart(const std::string& path);
// `text` in upper case (ASCII letters only).
std::string UpperCase(std::string text);
// Whether the file's own name contains `part` (given in upper case), compared without regard
// to case. Folders above the file do not count.
bool FileNameContains(const std::string& path, const char* part);

}  // namespace tarkel
