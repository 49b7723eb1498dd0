#pragma once
// Keeps a file mapping from crashing the program when another program cuts the file short: a
// touch of a page past the file's new end raises SIGBUS. For the ranges registered here the
// handler puts a page of zeros in place of the lost one and notes the loss, so the running
// operation completes harmlessly; its caller then reports it as failed.
#include <cstddef>

namespace tarkel {

// Registers the mapped range [begin, begin + length); returns its slot, or -1 when all slots
// are taken (the range is then unguarded).
int GuardMapping(void* begin, size_t length);
// The mapping of `slot` moved or changed its size.
void MoveGuardedMapping(int slot, void* begin, size_t length);
void UnguardMapping(int slot);
// Whether a page of the range was lost since the slot was registered.
bool GuardedMappingLostPage(int slot);

}  // namespace tarkel
