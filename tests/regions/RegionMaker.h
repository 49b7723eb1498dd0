#pragma once
// A region of a document, as the tests make them.
#include <string>

#include "regions/CWaveSelection.h"

namespace tarkel::test {

inline CWaveSelection RegionOf(CTarkelDoc& doc, const std::string& name, uint32_t start, uint32_t end,
                               uint32_t repeats = 1, uint16_t channel = region_channel::kBoth) {
  CWaveSelection r;
  r.name = name;
  r.start = start;
  r.end = end;
  r.repeats = repeats;
  r.channel = channel;
  r.document = &doc;
  return r;
}

}  // namespace tarkel::test
