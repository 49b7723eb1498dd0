#include "sound/TextFields.h"

namespace tarkel {

std::vector<std::string> SplitFields(std::string_view text, char separator) {
  std::vector<std::string> fields;
  if (text.empty()) return fields;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(separator, start);
    fields.emplace_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) break;
    start = at + 1;
  }
  return fields;
}

std::optional<int64_t> ParseInteger(std::string_view text) {
  int64_t value = 0;
  if (!ParseNumber(text, value)) return std::nullopt;
  return value;
}

std::optional<uint32_t> ParseUnsigned(std::string_view text) {
  uint32_t value = 0;
  if (!ParseNumber(text, value)) return std::nullopt;
  return value;
}

}  // namespace tarkel
