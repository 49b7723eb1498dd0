#pragma once
// Reading values typed as text: "a,b,c" fields and whole or decimal numbers, as the command line
// and the effect requests give them.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarkel {

// Splits "a,b,c" at `separator` (an empty text gives no fields).
std::vector<std::string> SplitFields(std::string_view text, char separator = ',');

// A number that fits T and takes the whole text (a leading '+' allowed); false otherwise, with
// `value` unchanged.
template <class T>
bool ParseNumber(std::string_view text, T& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  T parsed{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return false;
  value = parsed;
  return true;
}

// A whole decimal number that fits the type; nothing for anything else.
std::optional<int64_t> ParseInteger(std::string_view text);
std::optional<uint32_t> ParseUnsigned(std::string_view text);

}  // namespace tarkel
