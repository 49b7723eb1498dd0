#include "view/UnitCommands.h"

#include "view/ViewCommandIds.h"

namespace tarkel {

std::optional<DisplayUnit> UnitOfCommand(int commandId) {
  switch (commandId) {
    case viewcmd::kUnitSamples: return DisplayUnit::Samples;
    case viewcmd::kUnitSeconds: return DisplayUnit::Seconds;
    case viewcmd::kUnitMilliseconds: return DisplayUnit::Milliseconds;
    case viewcmd::kUnitFrames: return DisplayUnit::Frames;
    case viewcmd::kUnitSmpte: return DisplayUnit::Smpte;
    case viewcmd::kUnitBeats: return DisplayUnit::Beats;
    case viewcmd::kUnitBytes: return DisplayUnit::Bytes;
    default: return std::nullopt;
  }
}

std::optional<uint16_t> FrameRateOfCommand(int commandId) {
  switch (commandId) {
    case viewcmd::kFps25: return 25;
    case viewcmd::kFps24: return 24;
    case viewcmd::kFps30: return 30;
    case viewcmd::kFps30Drop: return 29;
    case viewcmd::kFps100: return 100;
    default: return std::nullopt;
  }
}

}  // namespace tarkel
