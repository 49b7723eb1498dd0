#pragma once
// Enabled and checked states of the transport commands, as pure functions of what the
// transport and the active document are doing.
namespace tarkel::audio {

struct TransportState {
  bool hasSound = false;          // there is an active document and its sound holds data
  bool playing = false;           // output busy
  bool recording = false;
  bool paused = false;
  bool loopOn = false;            // the active document's repeat count is above 1
  bool clipboardHasWave = false;
  bool prepareRecording = false;  // "ShowPrepareRecordingDlg"
};

// Play all, selected area, start & end: every play command stops what plays first.
inline bool CanPlay(const TransportState& s) { return s.hasSound; }
inline bool CanPlayClipboard(const TransportState& s) { return s.hasSound && s.clipboardHasWave; }
inline bool CanStop(const TransportState& s) { return s.playing || s.recording; }
inline bool CanPause(const TransportState& s) { return s.playing; }
inline bool PauseChecked(const TransportState& s) { return s.paused; }
// Play-Loop: not while output is busy; checked while the repeat count is above 1.
inline bool CanToggleLoop(const TransportState& s) { return s.hasSound && !s.playing; }
inline bool LoopChecked(const TransportState& s) { return s.loopOn; }
inline bool CanRecord(const TransportState& s) { return s.hasSound; }
inline bool PrepareRecordingChecked(const TransportState& s) { return s.prepareRecording; }

}  // namespace tarkel::audio
