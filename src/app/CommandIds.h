#pragma once
// The program's command numbers: what menu items, tool bar buttons and accelerators carry. The
// numbers of the document's own commands and of the undo store are declared beside them in the
// core and reused here under the same names.
#include "document/CTarkelDoc.h"
#include "document/UndoStore.h"

namespace tarkel::cmd {

// --- File --------------------------------------------------------------------------------------
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
// kFileSave 57603, kFileSaveAs 57604, kFileSend 57612: CTarkelDoc.h
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kRecentFile1 = 57616;  // the six entries of the recent-file list
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kContextHelp = 57669;
inline constexpr int kHelp = 57670;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kSaveAll = 32970;
inline constexpr int kCloseAll = 32971;
// kSaveSelectedArea 32916, kDeleteFile 32832, kPasteNew 32831, kChangeLength 32824,
// kHistogram 32913, kPlayLoop 32819: CTarkelDoc.h; kUndo 57643, kDisableUndo 32912: UndoStore.h

// --- Edit --------------------------------------------------------------------------------------
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kSelectAll = 57642;
inline constexpr int kPasteOver = 32825;
inline constexpr int kPasteOverExactly = 32975;
inline constexpr int kMix = 32827;
inline constexpr int kMixExactly = 32976;
inline constexpr int kCrossfadeClip = 32839;
inline constexpr int kTrim = 32826;
inline constexpr int kDelete = 32815;
inline constexpr int kErase = 32814;
inline constexpr int kSetToZero = 32914;
inline constexpr int kInsertSilence = 32886;
inline constexpr int kSpeed = 32871;
inline constexpr int kConvertFormat = 32906;
inline constexpr int kChangeFormatNoData = 32928;
inline constexpr int kAutoConvert = 32911;  // "Disable Autoconvert", checked while off

// Edit previews (played, never applied).
inline constexpr int kPreviewCut = 32833;
inline constexpr int kPreviewPaste = 32834;
inline constexpr int kPreviewPasteOver = 32835;
inline constexpr int kPreviewPasteOverExactly = 32977;
inline constexpr int kPreviewTrim = 32836;
inline constexpr int kPreviewDelete = 32907;

// --- Selection, zoom and view (the view's commands) ------------------------------------------
inline constexpr int kZoomIn = 32810;
inline constexpr int kZoomAll = 32811;
inline constexpr int kZoomOut = 32812;
inline constexpr int kZoomOneToOneStart = 32965;
inline constexpr int kZoomOneToOneEnd = 33017;
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
inline constexpr int kFreehand = 32842;
inline constexpr int kSpectralView = 32985;
inline constexpr int kTrackView = 32966;
inline constexpr int kDrawLine = 33100;

// Display units and frame rates.
inline constexpr int kUnitSamples = 32892;
inline constexpr int kUnitSeconds = 32893;
inline constexpr int kUnitMilliseconds = 32894;
inline constexpr int kUnitFrames = 32895;
inline constexpr int kUnitSmpte = 32896;
inline constexpr int kUnitBeats = 32897;
inline constexpr int kUnitBytes = 32898;
inline constexpr int kSmpte25 = 32899;
inline constexpr int kSmpte24 = 32900;
inline constexpr int kSmpte30NonDrop = 32901;
inline constexpr int kSmpte30Drop = 32903;
inline constexpr int kFps100 = 32904;

// --- Play and record ---------------------------------------------------------------------------
inline constexpr int kPause = 5200;
inline constexpr int kPlaySelection = 32816;
inline constexpr int kStop = 32817;
inline constexpr int kPlayAll = 32818;
inline constexpr int kRecordSelection = 32822;
inline constexpr int kRecordAll = 32823;
inline constexpr int kPlayStartEnd = 33014;
inline constexpr int kPlayClipboard = 32947;
inline constexpr int kRecordingPreparation = 32972;

// --- Effects (dialogs) ---------------------------------------------------------------------------
inline constexpr int kEcho = 32845;
inline constexpr int kHall = 32849;
inline constexpr int kRobotize = 32850;
inline constexpr int kVibverb = 32929;
inline constexpr int kMetal = 32958;
inline constexpr int kTube = 32959;
inline constexpr int kVibrato = 32882;
inline constexpr int kDigitalDelay = 32931;
inline constexpr int kFade = 32927;
inline constexpr int kFusion = 32962;
inline constexpr int kChannelCrossfade = 32875;
inline constexpr int kEnvelope = 32974;
inline constexpr int kAmplitude = 32869;
inline constexpr int kDcOffset = 32968;
inline constexpr int kNumericalFilter = 32978;
inline constexpr int kGraphicFilter = 32979;
inline constexpr int kEqualizer = 32991;
inline constexpr int kGraphicalFilter = 32979;
inline constexpr int kToneSynthesis = 32887;
inline constexpr int kDtmf = 32967;

// Effects without a dialog. These menu entries carry no number of their own elsewhere; they
// take numbers from a block no other command uses.
inline constexpr int kNormalize = 33150;
inline constexpr int kReverse = 33151;
inline constexpr int kInvert = 33152;
inline constexpr int kPcAmiga = 33153;
inline constexpr int kSwapChannels = 33154;
inline constexpr int kMatchChannels = 33155;

// --- Windows, bars and options -------------------------------------------------------------------
inline constexpr int kVuMeter = 32771;
inline constexpr int kSelectDevices = 32777;
inline constexpr int kPreferences = 32809;
inline constexpr int kScope = 32821;
inline constexpr int kRegionManager = 32905;
inline constexpr int kVolumeControl = 32960;
inline constexpr int kMciSynchronizer = 32961;
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kStatusBar = 59393;

inline constexpr int kEditBar = 32999;
inline constexpr int kEffectBar = 33000;
inline constexpr int kModeBar = 33001;
inline constexpr int kPlayRecBar = 33002;
inline constexpr int kPreviewBar = 33003;
inline constexpr int kSelectionBar = 33004;
inline constexpr int kToolsBar = 33005;
inline constexpr int kUnitBar = 33006;
inline constexpr int kWindowBar = 33007;
inline constexpr int kZoomBar = 33008;
inline constexpr int kToolBar = 33009;

}  // namespace tarkel::cmd
