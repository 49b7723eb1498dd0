#pragma once
// A region list installed as the documents' region manager, sounds to put regions on, and an
// opener that hands out documents by path.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "document/DocumentTestSupport.h"
#include "regions/DocumentOpener.h"
#include "regions/RegionList.h"
#include "regions/RegionMaker.h"
#include "support/Signals.h"

namespace tarkel::test {

// A mono 8-bit sound whose frame i holds i & 0xFF (stereo: both channels).
inline std::unique_ptr<CTarkelDoc> StaircaseDocument(uint32_t frames, uint16_t channels = 1, uint32_t rate = 8000,
                                                     uint16_t bits = 8) {
  auto doc = std::make_unique<CTarkelDoc>();
  const uint32_t bytesPerSample = bits / 8;
  std::vector<uint8_t> bytes(size_t(frames) * channels * bytesPerSample);
  for (uint32_t f = 0; f < frames; ++f)
    for (uint32_t c = 0; c < channels * bytesPerSample; ++c) bytes[size_t(f) * channels * bytesPerSample + c] = uint8_t(f);
  Fill(doc->Sound(), channels, rate, bits, bytes);
  return doc;
}

struct MapOpener : DocumentOpener {
  CTarkelDoc* OpenDocument(const std::string& path) override {
    ++opens;
    const auto found = documents.find(path);
    return found == documents.end() ? nullptr : found->second;
  }
  std::map<std::string, CTarkelDoc*> documents;
  int opens = 0;
};

class RegionListTest : public DocumentTest {
 protected:
  RegionListTest() { TheDocumentHooks().regionSink = &list; }
  RegionList list;
};

}  // namespace tarkel::test
