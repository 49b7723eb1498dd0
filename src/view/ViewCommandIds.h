#pragma once
// The command numbers the waveform view handles (menus, tool bars, keys and its context menu).
// The program's command list (app/CommandIds.h) takes the view's numbers from here.
#include "document/CTarkelDoc.h"
#include "document/UndoStore.h"

namespace tarkel::viewcmd {

// Zoom.
inline constexpr int kZoomIn = 32810;
inline constexpr int kZoomAll = 32811;
inline constexpr int kZoomOut = 32812;
inline constexpr int kOneToOneAtStart = 32965;
inline constexpr int kOneToOneAtEnd = 33017;

// Selection.
inline constexpr int kSelectAll = 57642;
inline constexpr int kSelectFromStart = 33012;
inline constexpr int kSelectToEnd = 33013;
inline constexpr int kEndPlusOne = 32917;
inline constexpr int kEndPlusTen = 32918;
inline constexpr int kStartPlusOne = 32919;
inline constexpr int kStartPlusTen = 32920;
inline constexpr int kEndMinusOne = 32921;
inline constexpr int kEndMinusTen = 32922;
inline constexpr int kStartMinusOne = 32923;
inline constexpr int kStartMinusTen = 32924;
inline constexpr int kSnapToZero = 32973;

// Modes.
inline constexpr int kFreehand = 32842;
inline constexpr int kSpectralView = 32985;
inline constexpr int kTrackView = 32966;  // the view follows the play position
inline constexpr int kDrawLine = 33100;   // a marker line is drawn instead

// Display units.
inline constexpr int kUnitSamples = 32892;
inline constexpr int kUnitSeconds = 32893;
inline constexpr int kUnitMilliseconds = 32894;
inline constexpr int kUnitFrames = 32895;
inline constexpr int kUnitSmpte = 32896;
inline constexpr int kUnitBeats = 32897;
inline constexpr int kUnitBytes = 32898;

// Frame rates.
inline constexpr int kFps25 = 32899;
inline constexpr int kFps24 = 32900;
inline constexpr int kFps30 = 32901;
inline constexpr int kFps30Drop = 32903;  // counted plainly at 29
inline constexpr int kFps100 = 32904;

// Printing.
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;

// Commands of the context menu that other parts of the program handle.
inline constexpr int kUndo = cmd::kUndo;
inline constexpr int kPlaySelection = 32816;
inline constexpr int kRecordSelection = 32822;
inline constexpr int kSave = cmd::kFileSave;
inline constexpr int kSaveSelectedArea = cmd::kSaveSelectedArea;
inline constexpr int kCopy = 57634;
inline constexpr int kErase = 32814;
inline constexpr int kDelete = 32815;

// Private window message: redraw the time axis band.
inline constexpr int kRefreshTimeAxis = 1524;

}  // namespace tarkel::viewcmd
