#pragma once
// What the region window shows, worked out without widgets: its command and control numbers,
// the columns of its list and their texts for a region in a display unit, and the meaning of
// its channel box. The Qt window only puts these on the screen.
#include <array>
#include <cstdint>
#include <string>

#include "regions/CWaveSelection.h"
#include "regions/UnitText.h"
#include "sound/ChannelMode.h"

namespace tarkel {

class CTarkelDoc;

namespace region_cmd {
inline constexpr int kAdd = 1057;
inline constexpr int kSelect = 1056;
inline constexpr int kDelete = 1059;
inline constexpr int kOpenQueue = 1060;
inline constexpr int kSaveQueue = 1061;
inline constexpr int kChange = 1062;
inline constexpr int kPlay = 1063;
inline constexpr int kPlayAll = 1064;
inline constexpr int kMoveDown = 1101;
inline constexpr int kMoveUp = 1102;
inline constexpr int kDeleteAll = 32964;
inline constexpr int kSavePlayList = 32969;
inline constexpr int kToggleWindow = 32905;  // the main frame's "region manager on/off"
}  // namespace region_cmd

namespace region_ctl {
inline constexpr int kStart = 1052;
inline constexpr int kEnd = 1053;
inline constexpr int kLength = 1054;
inline constexpr int kUnit = 1055;
inline constexpr int kChannel = 1058;
inline constexpr int kList = 1081;
inline constexpr int kDescription = 1088;
inline constexpr int kRepeats = 1089;
inline constexpr int kAutoPlay = 1099;
}  // namespace region_ctl

inline constexpr int kRegionWindowTemplate = 145;
inline constexpr int kAddSelectionTemplate = 279;
inline constexpr const char* kRegionWindowTitle = "Play-Script/Region-Manager";
inline constexpr const char* kAddSelectionTitle = "Add Selection";
inline constexpr const char* kChangeSelectionTitle = "Selection-parameter";
inline constexpr const char* kPlacementSection = "SelectionManager_WindowPlacement";
inline constexpr const char* kVisibilityKey = "Generic_Preferences/SelectionWindowVisible";
inline constexpr const char* kCueFilter = "Cue-File (*.cue)|*.cue|All Files  (*.*)|*.*||";
inline constexpr const char* kCueExtension = "cue";
inline constexpr const char* kSavePlayListTitle = "Save the Play-List as a WAV-File";

struct RegionColumn {
  const char* title;
  int width;  // pixels
  bool rightAligned;
};
inline constexpr std::array<RegionColumn, 7> kRegionColumns = {{
    {"Name", 50, false},
    {"Repeat", 30, true},
    {"Start", 60, true},
    {"Ende", 60, true},
    {"L\u00e4nge", 60, true},
    {"Kanal", 30, false},
    {"Datei", 200, false},
}};

inline constexpr std::array<const char*, units::kUnitCount> kUnitEntries = {
    "Samples", "Sekunden", "Millisekunden", "Beats", "Bytes", "SMPTE", "Frames"};
inline constexpr std::array<const char*, 3> kChannelEntries = {"Links&Rechts", "nur Links", "nur Rechts"};

// The conversion context for positions in `doc` (no rate without a document).
units::SoundClock ClockOf(const CTarkelDoc* doc, uint16_t framesPerSecond);

// The texts of a region's row in the list, column by column.
std::array<std::string, kRegionColumns.size()> RowTexts(const CWaveSelection& region, int unit,
                                                        uint16_t framesPerSecond);

// The channel box: entry 0 both channels, 1 the left, 2 the right one.
uint16_t ChannelOfEntry(int entry);
int EntryOfChannel(ChannelMode mode);

}  // namespace tarkel
