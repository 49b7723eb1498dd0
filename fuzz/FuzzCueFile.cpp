// libFuzzer target: the cue file reader. The regions it reads, written again, must read back
// completely and unchanged.
#include <cstdint>
#include <vector>

#include "FuzzChecks.h"
#include "regions/CueFile.h"

namespace {

bool SameRegions(const std::vector<tarkel::CWaveSelection>& a, const std::vector<tarkel::CWaveSelection>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].filePath != b[i].filePath || a[i].start != b[i].start ||
        a[i].end != b[i].end || a[i].channel != b[i].channel || a[i].repeats != b[i].repeats)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarkel::CueReadResult read = tarkel::ReadCueBytes({data, size});
  tarkel::fuzz::Require(read.regions.size() <= size);  // every region takes bytes of its own
  const tarkel::CueReadResult again = tarkel::ReadCueBytes(tarkel::WriteCueBytes(read.regions));
  tarkel::fuzz::Require(again.complete && SameRegions(read.regions, again.regions));
  return 0;
}
