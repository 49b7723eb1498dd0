#include "document/EditSplices.h"

namespace tarkel {

std::vector<FrameSplice> SplicesOf(EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                                   uint32_t framesBefore, uint32_t framesAfter, const EditCommandResult& result) {
  // Trimming one channel keeps that channel's frames first..last as a mono sound: the length
  // changes as for both.
  if ((IsSingleChannel(mode) && command != EditCommand::Trim) || result.frames <= 0) return {};
  const uint32_t n = uint32_t(result.frames);
  switch (command) {
    case EditCommand::Cut:
    case EditCommand::Delete:
      return {{first, n, 0}};
    case EditCommand::Paste:
    case EditCommand::InsertSilence:
      return {{first, 0, n}};
    case EditCommand::Trim: {
      // Only first .. first + n - 1 stay.
      std::vector<FrameSplice> splices;
      const uint64_t keptEnd = uint64_t(first) + n;
      if (keptEnd < framesBefore) splices.push_back({uint32_t(keptEnd), uint32_t(framesBefore - keptEnd), 0});
      if (first > 0) splices.push_back({0, first, 0});
      return splices;
    }
    case EditCommand::Move:
    case EditCommand::CopyTo: {
      // The frames now stand at selFirst; a move that took them out of their old place left the
      // length as it was.
      if (framesAfter == framesBefore) return {{first, n, 0}, {result.selFirst, 0, n}};
      return {{result.selFirst, 0, n}};
    }
    default:
      (void)last;
      return {};
  }
}

}  // namespace tarkel
