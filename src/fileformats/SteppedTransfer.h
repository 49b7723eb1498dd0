#pragma once
// Moving the sample bytes of a file in 20 steps under a progress window, so that the windows
// repaint and Cancel works while a long file is read or written.
#include <cstdint>
#include <functional>
#include <string>

namespace tarkel {

inline constexpr uint32_t kTransferSteps = 20;
inline constexpr const char* kReadingCaption = "Progress...";
inline constexpr const char* kSavingCaption = "Saving File...";

enum class TransferResult { kDone, kCancelled, kFailed };

// Calls `move(offset, count)` over `total` bytes: steps 1 to 19 move total / 20 bytes, the 20th
// the rest. Before each step pending messages are dispatched and Cancel is looked at; after
// each step the bar advances by 5. A window that cannot be created is reported with 3009 and
// the transfer goes on without it. `move` returning false ends the transfer as kFailed.
TransferResult TransferInSteps(uint64_t total, const std::string& caption,
                               const std::function<bool(uint64_t offset, uint64_t count)>& move);

}  // namespace tarkel
