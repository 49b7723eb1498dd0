#include "cli/CliArgs.h"

namespace tarkel {

std::pair<std::string, std::string> SplitNameArgs(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return {std::string(text), std::string()};
  return {std::string(text.substr(0, colon)), std::string(text.substr(colon + 1))};
}

}  // namespace tarkel
