#include "cli/CliArgs.h"

#include <charconv>
#include <limits>

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
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<uint32_t> ParseUnsigned(std::string_view text) {
  const auto value = ParseInteger(text);
  if (!value || *value < 0 || *value > int64_t(std::numeric_limits<uint32_t>::max())) return std::nullopt;
  return uint32_t(*value);
}

std::pair<std::string, std::string> SplitNameArgs(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return {std::string(text), std::string()};
  return {std::string(text.substr(0, colon)), std::string(text.substr(colon + 1))};
}

}  // namespace tarkel
