#pragma once
// How a document tells the rest of the program about its changes: its views (redraw with an
// update hint, reset to a new length, new title) and the region manager (a changed range, the
// document closing). The Qt shell, the command-line front end and the tests implement these.
#include <cstdint>

#include "sound/ChannelMode.h"

namespace tarkel {

class CTarkelDoc;

// Update hints passed to every view of a document.
namespace hint {
inline constexpr uint32_t kAll = 0;                     // redraw everything
inline constexpr uint32_t kWholeSample = 0x100;         // show the whole sample
inline constexpr uint32_t kPosition = 0x200;            // the play or record position changed
inline constexpr uint32_t kTimeAxisBand = 0x400;        // redraw the time axis band only
inline constexpr uint32_t kForgetMarkerColumn = 0x800;  // forget the marker column
// Not one of the views' own hints: a value apart from them, so that a view tells it from 0x800.
inline constexpr uint32_t kPlayEnded = 0x1000;          // sent when a play has ended
static_assert((kPlayEnded & (kWholeSample | kPosition | kTimeAxisBand | kForgetMarkerColumn)) == 0,
              "a view must tell the end of a play from its own hints");
}  // namespace hint

// Private window messages between documents and the region manager.
namespace wm {
inline constexpr int kRegionChanged = 1075;    // a document's range changed (notice, document)
inline constexpr int kDocumentCloses = 1124;   // a document closes (document)
}  // namespace wm

// A view of a document.
class DocumentObserver {
 public:
  virtual ~DocumentObserver() = default;
  // Redraw as `updateHint` says (hint::kAll: everything).
  virtual void OnDocumentUpdate(CTarkelDoc& doc, uint32_t updateHint) = 0;
  // The sound has a new length: reset the visible range and the selection to it.
  virtual void OnLengthReset(CTarkelDoc&) {}
  // The document's title or state shown in the frame's title changed.
  virtual void OnTitleChanged(CTarkelDoc&) {}
};

// What the last edit of a document did, sent to the region manager.
struct RegionNotice {
  uint32_t start = 0;  // first frame
  uint32_t end = 0;    // last frame
  ChannelMode mode = ChannelMode::Mono;
  int32_t restore = 0;  // 1: the range was removed or changed; 0: it was inserted
};

// The region manager, as documents see it.
class RegionSink {
 public:
  virtual ~RegionSink() = default;
  // Message 1075: `notice` describes the change of `doc`.
  virtual void OnRegionChanged(const RegionNotice& notice, CTarkelDoc& doc) = 0;
  // Message 1124: `doc` closes; drop its regions.
  virtual void OnDocumentCloses(CTarkelDoc& doc) = 0;
};

}  // namespace tarkel
