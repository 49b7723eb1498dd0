#include "sound/CopyAllowance.h"

namespace tarkel {
namespace {

std::optional<uint64_t>& Ceiling() {
  static std::optional<uint64_t> ceiling;
  return ceiling;
}

}  // namespace

bool CopyAllowed(uint64_t bytes) { return !Ceiling() || bytes <= *Ceiling(); }

void SetCopyCeiling(std::optional<uint64_t> ceiling) { Ceiling() = ceiling; }

}  // namespace tarkel
