#pragma once
// Small parsers for the values of tarkel-cli's options (fields and numbers: sound/TextFields.h).
#include <string>
#include <string_view>
#include <utility>

#include "sound/TextFields.h"

namespace tarkel {

// Splits "NAME[:ARGS]" into the name and the text after the colon.
std::pair<std::string, std::string> SplitNameArgs(std::string_view text);

}  // namespace tarkel
