#pragma once
// Small parsers for the values of tarkel-cli's options.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarkel {

// Splits "a,b,c" at commas (an empty text gives no fields).
std::vector<std::string> SplitFields(std::string_view text, char separator = ',');
// A whole decimal number that fits the type; nothing for anything else.
std::optional<int64_t> ParseInteger(std::string_view text);
std::optional<uint32_t> ParseUnsigned(std::string_view text);
// Splits "NAME[:ARGS]" into the name and the text after the colon.
std::pair<std::string, std::string> SplitNameArgs(std::string_view text);

}  // namespace tarkel
