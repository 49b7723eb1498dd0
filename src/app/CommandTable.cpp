#include "app/CommandTable.h"

#include <algorithm>
#include <array>

#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "app/EffectDialogWiring.h"
#include "app/Preferences.h"
#include "app/TransportWiring.h"

namespace tarkel::app {
namespace {

using namespace cmd;

// The active view did not claim the command: nothing else runs it.
CommandState ViewOnlyState(const CommandContext&, int) { return {}; }

#define DOC(id, text, key, icon) {id, text, key, icon, Target::Document, false, &DocumentCommandState, &RunDocumentCommand}
#define DOC_CHECK(id, text, key, icon) {id, text, key, icon, Target::Document, true, &DocumentCommandState, &RunDocumentCommand}
#define FRAME(id, text, key, icon) {id, text, key, icon, Target::Frame, false, &FrameCommandState, &RunFrameCommand}
#define FRAME_CHECK(id, text, key, icon) {id, text, key, icon, Target::Frame, true, &FrameCommandState, &RunFrameCommand}
#define TRANSPORT(id, text, key, icon) {id, text, key, icon, Target::Transport, false, &TransportCommandState, &RunTransportCommand}
#define TRANSPORT_CHECK(id, text, key, icon) {id, text, key, icon, Target::Transport, true, &TransportCommandState, &RunTransportCommand}
#define VIEW(id, text, key, icon) {id, text, key, icon, Target::View, false, &ViewOnlyState, nullptr}
#define EFFECT(id, text, key, icon) {id, text, key, icon, Target::Document, false, &EffectCommandState, &RunEffectCommand}
#define VIEW_CHECK(id, text, key, icon) {id, text, key, icon, Target::View, true, &ViewOnlyState, nullptr}

const CommandRow kRows[] = {
    // File
    DOC(kFileNew, "&New...", "Ctrl+N", "New"),
    DOC(kFileOpen, "&Open...", "Ctrl+O", "Opn"),
    FRAME(kFileClose, "&Close", "", "Cls"),
    DOC(kFileSave, "&Save", "Ctrl+S", "Sav"),
    DOC(kFileSaveAs, "Save &as...", "Ctrl+U", "As"),
    DOC(kSaveSelectedArea, "Save selected a&rea...", "Ctrl+M", "SvA"),
    FRAME(kSaveAll, "Save A&ll", "", "SvL"),
    FRAME(kCloseAll, "Close all &Files", "Ctrl+Q", "ClA"),
    DOC(kDeleteFile, "&Delete File...", "", "Del"),
    VIEW(kPrint, "&Print...", "Ctrl+P", "Prn"),
    FRAME(kPrintSetup, "P&rinter Setup...", "", "PrS"),
    DOC(kFileSend, "Sen&d...", "", "Snd"),
    FRAME(kAppExit, "&Quit", "Alt+F4", "Ext"),
    // Edit
    DOC(kUndo, "&Undo", "Ctrl+Z", "Und"),
    DOC(kCut, "&Cut", "Ctrl+X", "Cut"),
    DOC(kCopy, "Co&py", "Ctrl+C", "Cpy"),
    DOC(kPaste, "&Paste", "Ctrl+V", "Pst"),
    DOC(kPasteNew, "Paste Ne&w", "Ins", "PNw"),
    DOC(kPasteOver, "Paste &Over", "", "POv"),
    DOC(kPasteOverExactly, "Paste Over exactly", "", "POx"),
    DOC(kMix, "&Mix", "", "Mix"),
    DOC(kMixExactly, "Mix exactly", "", "Mx="),
    EFFECT(kCrossfadeClip, "&Crossfade", "", "XfC"),
    DOC(kTrim, "&Trim", "Ctrl+T", "Trm"),
    DOC(kDelete, "&Delete", "Ctrl+Del", "Dlt"),
    DOC(kErase, "&Erase (Silence)", "Del", "Ers"),
    DOC(kSetToZero, "Set to &Zero", "", "0"),
    DOC(kInsertSilence, "Insert &Silence...", "", "InS"),
    DOC(kChangeLength, "Change &Length...", "Ctrl+L", "Len"),
    EFFECT(kSpeed, "&Speed...", "", "Spd"),
    DOC(kConvertFormat, "&Convert Format and Data...", "", "Cnv"),
    DOC(kChangeFormatNoData, "Change Format w/o Data", "", "Fmt"),
    DOC_CHECK(kAutoConvert, "Disable &Autoconvert", "", "!AC"),
    DOC_CHECK(kDisableUndo, "Disable &Undo", "", "!Un"),
    TRANSPORT(kPreviewCut, "&Cut", "", "pCt"),
    TRANSPORT(kPreviewPaste, "&Paste", "", "pPs"),
    TRANSPORT(kPreviewPasteOver, "Paste &Over", "", "pPO"),
    TRANSPORT(kPreviewPasteOverExactly, "Paste Over exactly", "", "pPx"),
    TRANSPORT(kPreviewTrim, "&Trim", "", "pTr"),
    TRANSPORT(kPreviewDelete, "&Delete", "", "pDl"),
    // Selection and zoom
    VIEW(kSelectAll, "Select &All", "Ctrl+A", "All"),
    VIEW(kSelectFromStart, "From &Start", "", "|<"),
    VIEW(kSelectToEnd, "To &End", "", ">|"),
    VIEW(kEndPlusOne, "End +1 Column", "Right", "E+"),
    VIEW(kEndPlusTen, "End +10 Columns", "Shift+Right", "E++"),
    VIEW(kEndMinusOne, "End -1 Column", "Left", "E-"),
    VIEW(kEndMinusTen, "End -10 Columns", "Shift+Left", "E--"),
    VIEW(kStartPlusOne, "Start +1 Column", "Up", "S+"),
    VIEW(kStartPlusTen, "Start +10 Columns", "Shift+Up", "S++"),
    VIEW(kStartMinusOne, "Start -1 Column", "Down", "S-"),
    VIEW(kStartMinusTen, "Start -10 Columns", "Shift+Down", "S--"),
    VIEW(kZoomIn, "Zoom &In", "+", "+"),
    VIEW(kZoomOut, "Zoom &Out", "-", "-"),
    VIEW(kZoomAll, "Zoom &All", "Shift+A", "<>"),
    VIEW(kZoomOneToOneStart, "&1:1 at Selection Start", "", "1:1"),
    VIEW(kZoomOneToOneEnd, "1:1 at Selection &End", "", "1:E"),
    VIEW_CHECK(kFreehand, "&Freehand Drawing", "", "Drw"),
    VIEW_CHECK(kSpectralView, "&Spektral-View", "", "Spk"),
    FRAME_CHECK(kSnapToZero, "Select at &Zero-Crossing", "", "0x"),
    FRAME_CHECK(kTrackView, "&Track View", "", "Trk"),
    FRAME_CHECK(kDrawLine, "&Draw Line", "", "Lin"),
    // Units and frame rates
    FRAME_CHECK(kUnitSamples, "S&amples", "", "Smp"),
    FRAME_CHECK(kUnitSeconds, "&Seconds", "", "Sec"),
    FRAME_CHECK(kUnitMilliseconds, "&Milliseconds", "", "ms"),
    FRAME_CHECK(kUnitFrames, "&Frames", "", "Frm"),
    FRAME_CHECK(kUnitSmpte, "SM&PTE", "", "SMP"),
    FRAME_CHECK(kUnitBeats, "&Beats", "", "Bt"),
    FRAME_CHECK(kUnitBytes, "B&ytes", "", "Byt"),
    FRAME_CHECK(kSmpte25, "SMPTE 25 EBU", "", "25"),
    FRAME_CHECK(kSmpte24, "SMPTE 24 Film Sync", "", "24"),
    FRAME_CHECK(kSmpte30NonDrop, "SMPTE 30 Non-Drop", "", "30"),
    FRAME_CHECK(kSmpte30Drop, "SMPTE 30 Drop", "", "30D"),
    FRAME_CHECK(kFps100, "100 FPS (FRAMES=MS)", "", "100"),
    // Play and record
    TRANSPORT(kPlayAll, "Play &all", "Space", "Ply"),
    TRANSPORT(kPlaySelection, "Play &selected area", "Shift+P", "PlS"),
    TRANSPORT(kPlayStartEnd, "Play selection s&tart && end", "", "PSE"),
    TRANSPORT(kPlayClipboard, "&Clipboard", "", "PCb"),
    TRANSPORT(kStop, "S&top", "Shift+S", "Stp"),
    TRANSPORT_CHECK(kPause, "&Pause", "Shift+H", "Pau"),
    TRANSPORT_CHECK(kPlayLoop, "Play-&Loop", "R", "Lp"),
    TRANSPORT(kRecordAll, "&Record all", "", "Rec"),
    TRANSPORT(kRecordSelection, "R&ecord selected area", "Shift+R", "RcS"),
    TRANSPORT_CHECK(kRecordingPreparation, "Recording-&Preparation", "", "RcP"),
    // Effects with dialogs
    EFFECT(kHall, "&Hall...", "", "Hal"),
    EFFECT(kEcho, "&Echo...", "", "Ech"),
    EFFECT(kVibverb, "&Vibverb...", "", "VbV"),
    EFFECT(kRobotize, "&Robotize...", "", "Rob"),
    EFFECT(kMetal, "&Metal...", "", "Mtl"),
    EFFECT(kTube, "&Tube...", "", "Tub"),
    EFFECT(kVibrato, "Vi&brato...", "", "Vib"),
    EFFECT(kDigitalDelay, "Digital-&Delay...", "", "DDl"),
    EFFECT(kFade, "Fade...", "", "Fad"),
    EFFECT(kFusion, "&Fusion...", "", "Fus"),
    EFFECT(kChannelCrossfade, "Channel &Crossfade/Mix...", "", "ChX"),
    EFFECT(kEnvelope, "Graphic &Envelope ...", "", "Env"),
    EFFECT(kAmplitude, "&Change...", "", "Amp"),
    EFFECT(kDcOffset, "Change DC-&Offset...", "", "DC"),
    EFFECT(kNumericalFilter, "&Numerical...", "", "Flt"),
    EFFECT(kGraphicFilter, "&Graphical...", "", "GFl"),
    EFFECT(kEqualizer, "&Equalizer...", "", "EQ"),
    EFFECT(kToneSynthesis, "Sound-&Synthesis...", "", "Syn"),
    EFFECT(kDtmf, "DTMF-ToneDialing...", "", "DTM"),
    // Effects without a dialog
    DOC(kNormalize, "&Normalize", "", "Nrm"),
    DOC(kReverse, "&Revers", "", "Rev"),
    DOC(kInvert, "&Invert", "", "Inv"),
    DOC(kPcAmiga, "PC <> &Amiga", "", "P/A"),
    DOC(kSwapChannels, "&Swap Channels", "", "L/R"),
    DOC(kMatchChannels, "&Match Channels", "", "L=R"),
    // Windows, bars, options
    FRAME(kPreferences, "&Preferences...", "", "Prf"),
    TRANSPORT(kSelectDevices, "&Select Sound-Devices", "", "Dev"),
    FRAME_CHECK(kVuMeter, "&VU-Meter...", "", "VU"),
    FRAME_CHECK(kScope, "S&cope...", "", "Scp"),
    FRAME_CHECK(kRegionManager, "&Region-Manager...", "", "Rgn"),
    FRAME(kMciSynchronizer, "&Audio-Player (MCI)...", "", "MCI"),
    FRAME(kVolumeControl, "Vol&ume-Control", "", "Vol"),
    FRAME(kHistogram, "&Histogram...", "", "Hst"),
    FRAME(kWindowCascade, "&Cascade", "", "Csc"),
    FRAME(kWindowTile, "&Tile", "", "Til"),
    FRAME(kWindowArrange, "&Arrange Icons", "", "Arr"),
    FRAME(kNextPane, "&Next Window", "F6", "Nxt"),
    FRAME(kPrevPane, "&Previous Window", "Shift+F6", "Prv"),
    FRAME_CHECK(kToolBar, "&File", "", "TB"),
    FRAME_CHECK(kPlayRecBar, "Audio-&Transport", "", "TB"),
    FRAME_CHECK(kZoomBar, "&Zoom", "", "TB"),
    FRAME_CHECK(kModeBar, "&Mode", "", "TB"),
    FRAME_CHECK(kWindowBar, "&Windows", "", "TB"),
    FRAME_CHECK(kUnitBar, "&Units", "", "TB"),
    FRAME_CHECK(kEditBar, "&Edit", "", "TB"),
    FRAME_CHECK(kPreviewBar, "&Preview", "", "TB"),
    FRAME_CHECK(kSelectionBar, "&Selection", "", "TB"),
    FRAME_CHECK(kToolsBar, "T&ools", "", "TB"),
    FRAME_CHECK(kEffectBar, "Eff&ects", "", "TB"),
    FRAME_CHECK(kStatusBar, "Status &Bar", "", "SB"),
    // Help
    FRAME(kHelp, "&Help Topics", "F1", "?"),
    FRAME(kContextHelp, "&What's This?", "Shift+F1", "?>"),
    FRAME(kAppAbout, "&Info...", "", "i"),
};

#undef DOC
#undef DOC_CHECK
#undef FRAME
#undef FRAME_CHECK
#undef VIEW
#undef VIEW_CHECK

MenuNode Item(int id) { return MenuNode{id, nullptr, {}}; }
MenuNode Sep() { return MenuNode{0, nullptr, {}}; }
MenuNode Sub(const char* title, std::vector<MenuNode> items) { return MenuNode{0, title, std::move(items)}; }

std::vector<MenuNode> Items(std::initializer_list<int> ids) {
  std::vector<MenuNode> items;
  for (int id : ids) items.push_back(Item(id));
  return items;
}

}  // namespace

std::span<const CommandRow> CommandTable() { return kRows; }

const CommandRow* FindCommand(int id) {
  const auto it = std::find_if(std::begin(kRows), std::end(kRows), [id](const CommandRow& r) { return r.id == id; });
  return it == std::end(kRows) ? nullptr : &*it;
}

const std::vector<MenuNode>& MenuBarLayout() {
  static const std::vector<MenuNode> layout = {
      Sub("&File", Items({kFileNew, kFileOpen, kFileClose, kFileSave, kFileSaveAs, kSaveSelectedArea, kSaveAll,
                          kCloseAll, 0, kDeleteFile, 0, kPrint, kPrintSetup, kFileSend, 0, kRecentFile1, 0,
                          kAppExit})),
      Sub("&Edit",
          {Item(kUndo), Sep(), Item(kCut), Item(kCopy), Item(kPaste), Item(kPasteNew),
           Sub("Paste &Special", Items({kPasteOver, kPasteOverExactly, kMix, kMixExactly, kCrossfadeClip})), Sep(),
           Item(kTrim), Item(kDelete), Item(kErase), Item(kSetToZero), Item(kInsertSilence), Sep(),
           Sub("&Select", Items({kSelectAll, kSelectFromStart, kSelectToEnd, 0, kStartPlusOne, kStartPlusTen,
                                 kStartMinusOne, kStartMinusTen, kEndPlusOne, kEndPlusTen, kEndMinusOne,
                                 kEndMinusTen})),
           Sub("Pre&view", Items({kPreviewCut, kPreviewPaste, kPreviewPasteOver, kPreviewPasteOverExactly,
                                  kPreviewTrim, kPreviewDelete})),
           Sep(), Item(kChangeLength)}),
      Sub("&View",
          {Sub("&Zoom", Items({kZoomIn, kZoomOut, kZoomAll, kZoomOneToOneStart, kZoomOneToOneEnd})),
           Sub("&Units", Items({kUnitSamples, kUnitSeconds, kUnitMilliseconds, kUnitFrames, kUnitSmpte, kUnitBeats,
                                kUnitBytes, 0, kSmpte25, kSmpte24, kSmpte30NonDrop, kSmpte30Drop, kFps100})),
           Sep(), Item(kSpectralView), Item(kFreehand), Item(kSnapToZero), Item(kTrackView), Item(kDrawLine), Sep(),
           Sub("&Toolbars", Items({kToolBar, kPlayRecBar, kZoomBar, kModeBar, kUnitBar, kEditBar, kSelectionBar,
                                   kPreviewBar, kEffectBar, kToolsBar, kWindowBar})),
           Item(kStatusBar)}),
      Sub("&Play", Items({kPlayAll, kPlaySelection, kPlayStartEnd, kPlayClipboard, 0, kStop, kPause, kPlayLoop, 0,
                          kRecordAll, kRecordSelection, kRecordingPreparation})),
      Sub("Effe&cts",
          {Sub("&Effects", Items({kHall, kEcho, kVibverb, kRobotize, kMetal, kTube, kVibrato, kDigitalDelay})),
           Sub("&Fade/Mix", Items({kFade, kFusion, kChannelCrossfade, kEnvelope})),
           Sub("&Amplitude", Items({kAmplitude, kNormalize, kInvert, kReverse})),
           Sub("C&hannels", Items({kSwapChannels, kMatchChannels})),
           Sub("F&ilter", Items({kNumericalFilter, kGraphicFilter, kEqualizer})),
           Sub("&Synthesis", Items({kToneSynthesis, kDtmf})),
           Sub("C&onvert", Items({kConvertFormat, kChangeFormatNoData, kSpeed, kDcOffset, kPcAmiga}))}),
      Sub("&Options", Items({kPreferences, kSelectDevices, 0, kDisableUndo, kAutoConvert})),
      Sub("&Window", Items({kWindowCascade, kWindowTile, kWindowArrange, kNextPane, kPrevPane, 0, kVuMeter, kScope,
                            kRegionManager, kMciSynchronizer, kVolumeControl, kHistogram})),
      Sub("&Help", Items({kHelp, kContextHelp, 0, kAppAbout})),
  };
  return layout;
}

namespace {

struct BarEntry {
  const char* title;
  int toggle;
  std::vector<int> buttons;
};

// By Bar: Effect, Edit, Mode, Window, Unit, Tool, PlayRec, Preview, Selection, Tools, Zoom.
const std::array<BarEntry, kBarCount>& Bars() {
  static const std::array<BarEntry, kBarCount> bars = {{
      {"Effects", kEffectBar,
       {kHall, kEcho, kVibverb, kRobotize, kMetal, kTube, kVibrato, kDigitalDelay, 0, kFade, kFusion,
        kChannelCrossfade, kEnvelope, kAmplitude, 0, kNumericalFilter, kEqualizer, kToneSynthesis, kDtmf}},
      {"Edit", kEditBar,
       {kPasteNew, kPasteOver, kPasteOverExactly, kMix, kMixExactly, kCrossfadeClip, 0, kTrim, kDelete, kErase,
        kInsertSilence}},
      {"Mode", kModeBar, {kTrackView, kDrawLine, kSnapToZero, kFreehand, 0, kDisableUndo, kAutoConvert}},
      {"Windows", kWindowBar, {kVuMeter, kScope, kRegionManager, kMciSynchronizer, 0, kWindowCascade, kWindowTile}},
      {"Units", kUnitBar, {kUnitSamples, kUnitSeconds, kUnitMilliseconds, kUnitFrames, kUnitSmpte, kUnitBeats, kUnitBytes}},
      {"File", kToolBar,
       {kFileNew, kFileOpen, kFileSave, kSaveAll, kCloseAll, 0, kCut, kCopy, kPaste, kUndo, 0, kPrint, kPreferences,
        kAppAbout}},
      {"Audio-Transport", kPlayRecBar,
       {kPlayAll, kPlaySelection, kPlayStartEnd, kPlayLoop, kPause, kStop, 0, kRecordSelection, kRecordAll}},
      {"Preview", kPreviewBar,
       {kPreviewCut, kPreviewPaste, kPreviewPasteOver, kPreviewPasteOverExactly, kPreviewTrim, kPreviewDelete}},
      {"Selection", kSelectionBar,
       {kSelectAll, kSelectFromStart, kSelectToEnd, 0, kStartMinusOne, kStartPlusOne, kEndMinusOne, kEndPlusOne}},
      {"Tools", kToolsBar,
       {kNormalize, kReverse, kInvert, kPcAmiga, kSwapChannels, kMatchChannels, 0, kConvertFormat,
        kChangeFormatNoData, kSpeed, kDcOffset, kChangeLength}},
      {"Zoom", kZoomBar, {kZoomIn, kZoomOut, kZoomAll, kZoomOneToOneStart, kZoomOneToOneEnd}},
  }};
  return bars;
}

}  // namespace

const std::vector<int>& ToolBarButtons(int bar) { return Bars()[bar].buttons; }
const char* ToolBarTitle(int bar) { return Bars()[bar].title; }
int ToolBarToggle(int bar) { return Bars()[bar].toggle; }

}  // namespace tarkel::app
