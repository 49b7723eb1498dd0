#pragma once
// The program's numbered user messages. Every message box of the core shows one of them.
#include <cstdint>
#include <span>

#include "sound/MessageIds.h"

namespace tarkel {

struct MessageRecord {
  uint32_t number;
  const char* text;
};

// All records, in ascending order of number.
std::span<const MessageRecord> MessageTable();
// The text of message `number`, or null when the number is not in the table.
const char* MessageText(uint32_t number);

}  // namespace tarkel
