#pragma once
// Views and a region manager that record what documents tell them, and a fixture that gives
// every test fresh application-wide state.
#include <gtest/gtest.h>

#include <vector>

#include "sound/AppContext.h"
#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "document/UndoStore.h"
#include "support/TestPorts.h"

namespace tarkel::test {

struct RecordingView : DocumentObserver {
  void OnDocumentUpdate(CTarkelDoc&, uint32_t updateHint) override { hints.push_back(updateHint); }
  void OnLengthReset(CTarkelDoc& doc) override { lengths.push_back(doc.Sound().Frames()); }
  void OnTitleChanged(CTarkelDoc&) override { ++titles; }
  std::vector<uint32_t> hints;
  std::vector<uint32_t> lengths;
  int titles = 0;
};

struct RecordingRegions : RegionSink {
  void OnRegionChanged(const RegionNotice& notice, CTarkelDoc& doc) override {
    notices.push_back(notice);
    docs.push_back(&doc);
  }
  void OnDocumentCloses(CTarkelDoc& doc) override { closed.push_back(&doc); }
  std::vector<RegionNotice> notices;
  std::vector<CTarkelDoc*> docs;
  std::vector<CTarkelDoc*> closed;
};

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() {
    App() = AppContext{};
    TheDocumentHooks() = DocumentHooks{};
    TheDocumentHooks().regionSink = &regions;
    TheUndoStore().DropSaved();
    TheUndoStore().SetEnabled(true);
  }
  ~DocumentTest() override {
    TheDocumentHooks() = DocumentHooks{};
    App() = AppContext{};
    TheUndoStore().DropSaved();
    TheUndoStore().SetEnabled(true);
  }

  RecordingPorts ports;
  RecordingRegions regions;
};

}  // namespace tarkel::test
