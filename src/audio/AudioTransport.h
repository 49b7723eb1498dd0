#pragma once
// What the menu commands, the main window's timer and the effect dialogs call to play and
// record: one object for the program, holding the chosen device numbers, the playback and
// recording engines and the listeners of the transport messages. Qt-free: the shell and
// tarkel-cli drive the same object.
//
// Wiring in a program:
//   - one PortAudioSystem and one AudioTransport over it for the program's lifetime, created
//     before the first document and destroyed after the last; Settings() filled from the
//     settings store; InstallDocumentHooks() once, so CTarkelDoc::PlayRange, PlayLeadInOut and
//     closing a document go through this transport;
//   - commands (active view's document and selection): 32818 PlayAll, 32816 PlaySelection,
//     33014 PlayStartEnd, 32947 PlayClipboard, 32817 Stop(activeDoc), 5200 Pause, 32819
//     ToggleLoop, the edit previews PlayEditPreview, effect dialogs' Preview PlayPreviewBlock,
//     32823 RecordAll, 32822 RecordSelection, 32972 TogglePrepareRecording, 32777
//     SelectSoundDevices (audio/ui/DeviceSheet.h); enabled and checked states from
//     State(activeDoc, clipboardHasWave) and the functions of TransportCommands.h;
//   - a timer of Settings().globalTimeSliceMs calls Tick(): the views of the playing document
//     get hint::kPosition on every tick (they ask CurrentTransportFrame() for the marker), the
//     poll runs on every second tick (on every tick while a play script waits for the device);
//   - the main window (transport tool bar, position read-out) and an open effect dialog (its
//     preview ended: 1034) are TransportListeners;
//   - an edit that resizes the sample memory of a document that Holds() must stop it first
//     (Stop): the blocks point into that memory.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "audio/AudioSettings.h"
#include "audio/PlaybackEngine.h"
#include "audio/RecordEngine.h"
#include "audio/TransportCommands.h"
#include "audio/TransportMessages.h"
#include "audio/WaveDevice.h"
#include "editing/EditPreview.h"

namespace tarkel {
class CTarkelDoc;
class Selection;
class WaveImage;
}  // namespace tarkel

namespace tarkel::audio {

// The last frame to play or record, exclusive, for a selection whose last (inclusive, even)
// frame is `last`: the even frame itself, or the end of the sound when the selection reaches
// its last frame (so the last frame of a sound is played too).
uint32_t SelectionEnd(uint32_t last, uint32_t frames);

class AudioTransport {
 public:
  explicit AudioTransport(DeviceSystem& devices);
  ~AudioTransport();
  AudioTransport(const AudioTransport&) = delete;
  AudioTransport& operator=(const AudioTransport&) = delete;

  AudioSettings& Settings() { return settings_; }
  DeviceSystem& Devices() { return devices_; }
  // The device numbers of the device sheet (both 0 at start; count = the default device).
  DeviceNumber OutputDevice() const { return outputDevice_; }
  DeviceNumber InputDevice() const { return inputDevice_; }
  void SetOutputDevice(DeviceNumber n) { outputDevice_ = n; }
  void SetInputDevice(DeviceNumber n) { inputDevice_ = n; }

  void AddListener(TransportListener* listener);
  void RemoveListener(TransportListener* listener);
  // The OK/Cancel question before a recording ("ShowPrepareRecordingDlg"); unset: asked through
  // the user-interface port's Yes/No box.
  std::function<bool(const std::string& text)> confirmRecording;

  // Makes CTarkelDoc::PlayRange, PlayLeadInOut and closing a document use this transport.
  void InstallDocumentHooks();

  // --- Play commands: each stops the transport document first -------------------------------
  bool PlayAll(CTarkelDoc& doc);                                   // 32818
  bool PlaySelection(CTarkelDoc& doc, const Selection& selection); // 32816
  bool PlayStartEnd(CTarkelDoc& doc, const Selection& selection);  // 33014
  bool PlayClipboard(CTarkelDoc& doc);                             // 32947
  // An effect dialog's Preview: the processed copy in `image` (all its data bytes), and then,
  // when `thenFrom` is given, the document from that frame to its end.
  bool PlayPreviewBlock(CTarkelDoc& doc, const WaveImage& image, std::optional<uint32_t> thenFrom = {});
  // A play script: frames start up to, not including, end of a document, `loops` times, piece
  // after piece. Pieces in the device's format (of any document) go to the device at once and
  // follow each other without a gap; a piece in another format waits until the device has
  // played out and is opened anew for it. A stop, or closing or editing a document of the
  // script, ends the whole script.
  struct ScriptPiece {
    CTarkelDoc* doc = nullptr;
    uint32_t start = 0;
    uint32_t end = 0;
    uint32_t loops = 1;
  };
  bool PlayScript(const std::vector<ScriptPiece>& pieces);
  // An edit's preview command (32833 and its neighbours): plays what the edit would make of
  // the selection, the clipboard's part from the converted copy in the work image.
  bool PlayEditPreview(CTarkelDoc& doc, PreviewKind kind, const Selection& selection);
  // 32817: stops the transport document, or `doc` when none plays.
  void Stop(CTarkelDoc* doc);
  void Pause();                                                    // 5200
  void ToggleLoop(CTarkelDoc& doc);                                // 32819

  // --- Record commands ----------------------------------------------------------------------
  bool RecordAll(CTarkelDoc& doc);                                   // 32823
  bool RecordSelection(CTarkelDoc& doc, const Selection& selection); // 32822
  void TogglePrepareRecording() { settings_.showPrepareRecordingDlg = !settings_.showPrepareRecordingDlg; }  // 32972

  // --- Timer --------------------------------------------------------------------------------
  // Every timer period: the marker on every tick, the poll on every second one, or on every
  // one while a play script waits for the device to play out.
  void Tick();
  // The poll alone (tarkel-cli waits with it). True when playback or recording just ended.
  bool Poll();

  // --- State --------------------------------------------------------------------------------
  CTarkelDoc* TransportDocument() const;
  // Whether the transport plays, records or is about to play (a waiting piece of a play
  // script) from `doc`'s sample memory: its memory must stay where it is until Stop(&doc).
  bool Holds(const CTarkelDoc& doc) const;
  bool Playing() const { return play_.Busy(); }
  bool Recording() const { return record_.Recording(); }
  bool Paused() const { return play_.Paused(); }
  bool Idle() const { return !Playing() && !Recording(); }
  // Whether the last playback ran to its end (not stopped by a command).
  bool LastPlayRanOut() const { return lastPlayRanOut_; }
  // The frame heard or recorded now; 0 when idle.
  uint32_t CurrentTransportFrame();
  // What the command enablers need, for the active document `doc` (may be null).
  TransportState State(const CTarkelDoc* doc, bool clipboardHasWave) const;

  // Left/right volume of output device `n` (the default-device entry counts as device 0):
  // 0..0xFFFF.
  uint16_t Volume(DeviceNumber n, bool right);
  void SetVolume(DeviceNumber n, bool right, uint16_t value);

  PlaybackEngine& Playback() { return play_; }
  RecordEngine& Recorder() { return record_; }

 private:
  bool BeginPlayCommand(CTarkelDoc& doc);
  bool EndPlayCommand(CTarkelDoc& doc, bool ok);
  bool PlayRange(CTarkelDoc& doc, uint32_t start, uint32_t end);
  bool QueueScript();
  bool InScript(const CTarkelDoc& doc) const;
  bool PlaysScript() const;
  void MarkScriptDocuments();
  void DropScript();
  void FollowPlayingDocument();
  void StopDocument(CTarkelDoc& doc);
  void StopTransportDocument();
  bool StartRecording(CTarkelDoc& doc, uint32_t a, uint32_t b, bool saveUndo);
  void Post(int message) { pending_.push_back(message); }
  void Flush();

  DeviceSystem& devices_;
  AudioSettings settings_;
  PlaybackEngine play_;
  RecordEngine record_;
  DeviceNumber outputDevice_ = 0;
  DeviceNumber inputDevice_ = 0;
  CTarkelDoc* playDoc_ = nullptr;
  CTarkelDoc* recordDoc_ = nullptr;
  std::vector<CTarkelDoc*> heldDocs_;      // documents with requests in the playback engine
  std::deque<ScriptPiece> script_;         // pieces waiting for the device to play out
  std::vector<TransportListener*> listeners_;
  std::vector<int> pending_;
  bool flushing_ = false;
  bool hooksInstalled_ = false;
  int tick_ = 0;
  bool lastPlayRanOut_ = false;
};

}  // namespace tarkel::audio
