#pragma once
// The program's command numbers: what menu items, tool bar buttons and accelerators carry. The
// numbers of the document's own commands, of the undo store and of the waveform view are
// declared beside them and reused here.
#include "document/CTarkelDoc.h"
#include "document/UndoStore.h"
#include "view/ViewCommandIds.h"

namespace tarkel::cmd {

// --- File --------------------------------------------------------------------------------------
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
// kFileSave 57603, kFileSaveAs 57604, kFileSend 57612: CTarkelDoc.h
inline constexpr int kPrintSetup = 57606;
using viewcmd::kPrint;
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
using viewcmd::kCopy;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
using viewcmd::kSelectAll;
inline constexpr int kPasteOver = 32825;
inline constexpr int kPasteOverExactly = 32975;
inline constexpr int kMix = 32827;
inline constexpr int kMixExactly = 32976;
inline constexpr int kCrossfadeClip = 32839;
inline constexpr int kTrim = 32826;
using viewcmd::kDelete;
using viewcmd::kErase;
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
using viewcmd::kZoomIn;
using viewcmd::kZoomAll;
using viewcmd::kZoomOut;
inline constexpr int kZoomOneToOneStart = viewcmd::kOneToOneAtStart;
inline constexpr int kZoomOneToOneEnd = viewcmd::kOneToOneAtEnd;
using viewcmd::kSelectFromStart;
using viewcmd::kSelectToEnd;
using viewcmd::kEndPlusOne;
using viewcmd::kEndPlusTen;
using viewcmd::kStartPlusOne;
using viewcmd::kStartPlusTen;
using viewcmd::kEndMinusOne;
using viewcmd::kEndMinusTen;
using viewcmd::kStartMinusOne;
using viewcmd::kStartMinusTen;
using viewcmd::kSnapToZero;
using viewcmd::kFreehand;
using viewcmd::kSpectralView;
using viewcmd::kTrackView;
using viewcmd::kDrawLine;

// Display units and frame rates.
using viewcmd::kUnitSamples;
using viewcmd::kUnitSeconds;
using viewcmd::kUnitMilliseconds;
using viewcmd::kUnitFrames;
using viewcmd::kUnitSmpte;
using viewcmd::kUnitBeats;
using viewcmd::kUnitBytes;
inline constexpr int kSmpte25 = viewcmd::kFps25;
inline constexpr int kSmpte24 = viewcmd::kFps24;
inline constexpr int kSmpte30NonDrop = viewcmd::kFps30;
inline constexpr int kSmpte30Drop = viewcmd::kFps30Drop;
using viewcmd::kFps100;

// --- Play and record ---------------------------------------------------------------------------
inline constexpr int kPause = 5200;
using viewcmd::kPlaySelection;
inline constexpr int kStop = 32817;
inline constexpr int kPlayAll = 32818;
using viewcmd::kRecordSelection;
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
inline constexpr int kGraphicalFilter = kGraphicFilter;
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
