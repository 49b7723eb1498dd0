#pragma once
// The unit and frame-rate commands: which command sets which value.
#include <cstdint>
#include <optional>

#include "view/DisplayUnit.h"

namespace tarkel {

std::optional<DisplayUnit> UnitOfCommand(int commandId);
std::optional<uint16_t> FrameRateOfCommand(int commandId);

}  // namespace tarkel
