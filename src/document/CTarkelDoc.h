#pragma once
// The document: one open sound. It owns the sound, creates it for New, fills it from a file for
// Open, writes it for Save and Save selected area, deletes its file on request and releases
// everything when it closes. Every edit and effect runs through RunEdit, which records undo data,
// runs the operation, tells the region manager and the views, and marks the document modified.
// Views are told through DocumentObserver; the region manager and the other outside services
// through DocumentHooks.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sound/ChannelMode.h"
#include "sound/DocWaveAudio.h"
#include "document/DocumentObserver.h"
#include "document/UndoStore.h"

namespace tarkel {

// Commands the document handles.
namespace cmd {
inline constexpr int kPlayLoop = 32819;
inline constexpr int kChangeLength = 32824;
inline constexpr int kPasteNew = 32831;
inline constexpr int kDeleteFile = 32832;
inline constexpr int kHistogram = 32913;
inline constexpr int kSaveSelectedArea = 32916;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFileSend = 57612;
}  // namespace cmd

// Length proposed for a new sample: 30 seconds at 22050 frames per second.
inline constexpr uint32_t kNewSampleFrames = 661500;

// What RunEdit records for undo before the operation runs. Byte positions.
struct UndoRequest {
  bool take = false;
  UndoKind kind = UndoKind::Replacement;
  uint32_t startByte = 0;
  uint32_t endByte = 0;  // the byte after the range
  uint32_t auxPosition = 0;
  uint16_t auxValue = 0;
  // The channel the record is for, when it is not the edit's own (a copy into the other channel).
  std::optional<ChannelMode> channel;
  // A move that leaves silence where its source was (reversed differently from one that removes it).
  bool sourceSilenced = false;

  static UndoRequest None() { return {}; }
  static UndoRequest Of(UndoKind kind, uint32_t startByte, uint32_t endByte, uint32_t auxPosition = 0,
                        uint16_t auxValue = 0) {
    return {true, kind, startByte, endByte, auxPosition, auxValue, std::nullopt, false};
  }
};

// What an operation run by RunEdit reports.
struct EditOutcome {
  bool success = false;
  // The sound may have changed (set for every success; a failure that left partial changes sets
  // it too): the document is then marked modified.
  bool changed = false;
  // Sent to the region manager (message 1075) when set.
  std::optional<RegionNotice> notice;
  // The changes of length, in order, that the positions kept from the file follow.
  std::vector<FrameSplice> splices;

  static EditOutcome Failed() { return {}; }
  static EditOutcome FailedAfterChange() { return {false, true, std::nullopt, {}}; }
  // Success without a notice to the region manager.
  static EditOutcome Done() { return {true, true, std::nullopt, {}}; }
  // Success that removed or changed frames first..last (cut, delete, trim, move, effects):
  // restore flag 1.
  static EditOutcome Changed(uint32_t first, uint32_t last, ChannelMode mode) {
    return {true, true, RegionNotice{first, last, mode, 1}, {}};
  }
  // Success that inserted frames start..end (paste): restore flag 0.
  static EditOutcome Inserted(uint32_t start, uint32_t end, ChannelMode mode) {
    return {true, true, RegionNotice{start, end, mode, 0}, {}};
  }
};

// Which engine reported the end of its run on this document.
enum class AudioEnd { Play, Record };

class CTarkelDoc {
 public:
  CTarkelDoc();
  virtual ~CTarkelDoc();
  CTarkelDoc(const CTarkelDoc&) = delete;
  CTarkelDoc& operator=(const CTarkelDoc&) = delete;

  // --- The sound and the document's state ---------------------------------------------------
  DocWaveAudio& Sound() { return sound_; }
  const DocWaveAudio& Sound() const { return sound_; }
  bool IsModified() const { return modified_; }
  void SetModified(bool modified = true) { modified_ = modified; }
  // The document's own hard-disk flag: it edits its file in place.
  bool IsHardDisk() const { return hardDisk_ != 0; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  const std::string& PathName() const { return pathName_; }
  // Sets the path and the title (the file's own name).
  void SetPathName(const std::string& path);
  const RegionNotice& LastRegionNotice() const { return regionNotice_; }

  // --- Views ----------------------------------------------------------------------------------
  void AddObserver(DocumentObserver* view);
  void RemoveObserver(DocumentObserver* view);
  const std::vector<DocumentObserver*>& Observers() const { return observers_; }
  void UpdateAllViews(uint32_t updateHint = hint::kAll);
  // Every view resets its visible range and selection to the new length.
  void ResetViewsToLength();
  // Every view refreshes its frame's title.
  void RefreshTitle();

  // --- Lifecycle (each shows its own message on failure) --------------------------------------
  // New: format from the format chooser (title 4007), then the change-length procedure with the
  // proposal of 661500 frames; or, when the "Paste New" marker is set, NewFromClipboard. False:
  // discard the document.
  bool New();
  // "Paste New": the new document's sound is the clipboard's content (DocumentHooks::pasteAsNew
  // when installed). Modified from the start. False: discard the document.
  bool NewFromClipboard();
  // Open the file at `path` (backup copy first in hard-disk mode when asked for).
  bool Open(const std::string& path);
  // Write the whole sound to `path`; the writer is chosen by the name. Clears the modified flag
  // and takes `path` as the document's path on success only.
  bool Save(const std::string& path);
  // Write frames `first` up to, not including, `end` to `path` as an ordinary file, also for a
  // hard-disk document. Message 4003 on failure.
  bool SaveSelectedArea(const std::string& path, uint32_t first, uint32_t end);
  // Ask 4005 and delete the document's file; 4006 on failure. The document stays open. True
  // when the file was deleted.
  bool DeleteFile();
  // Clear the contents: stop audio, write a hard-disk header in place, release the sound, drop
  // the undo data of this document, clear the modified flag.
  void ClearContents();
  // Close: clear the contents and tell the region manager (message 1124).
  void Close();
  // Whether closing must ask the framework's save question first (never in hard-disk mode).
  bool NeedsSaveQuestion() const { return !IsHardDisk() && IsModified(); }

  // --- Length ---------------------------------------------------------------------------------
  // Command 32824: the change-length dialog (DocumentHooks::askLength) with the current length
  // (0 for a sound that never held data), then SetLength. False when cancelled or failed.
  bool ChangeLength();
  // SetLength as an edit of its own: a snapshot of the sound is kept for undo first.
  bool ChangeLengthTo(uint32_t frames);
  // The change-length procedure without the dialog: resize to `frames` (new bytes are silence),
  // reset the views to the length, redraw, refresh the title, set modified. 4004 on failure.
  bool SetLength(uint32_t frames);
  // The same, growing the sound by `bytes` bytes.
  bool GrowBy(uint32_t bytes);

  // --- Edits ----------------------------------------------------------------------------------
  // The wrapper of every edit and effect: wait cursor; undo record for `undo` (none when
  // undo.take is false); `op` on the sound; the outcome's region notice to the region manager;
  // all views redrawn; modified set when the outcome says the sound changed. Returns the
  // outcome's success. `mode` is the ChannelMode of the change.
  bool RunEdit(const UndoRequest& undo, ChannelMode mode, const std::function<EditOutcome(DocWaveAudio&)>& op);
  // Fill the region notice and send it (message 1075) without an edit.
  void NotifyRegions(uint32_t start, uint32_t end, ChannelMode mode, int32_t restore);
  // Command 57643: reverse the last change of this document. True when applied.
  bool UndoLastChange();
  bool CanUndo() const { return TheUndoStore().HasUndo(this); }

  // --- Play -----------------------------------------------------------------------------------
  // Start playback (DocumentHooks::play); on success this is the playing document.
  bool PlayRange(uint32_t first, uint32_t last);
  bool PlayAll();
  // Frames 0 to first - 1, then last + 1 to the end.
  bool PlayLeadInOut(uint32_t first, uint32_t last);
  // Command 32819: the repeat count switches between 1 and 32000.
  void TogglePlayLoop();
  bool PlayLoopEnabled() const;                                  // no sound is playing
  bool PlayLoopChecked() const { return sound_.RepeatCount() > 1; }
  // The audio engine reports that a play or recording of this sound has ended.
  void OnAudioStopped(AudioEnd what, bool scrollToPlayRecMarker = false);

  // --- Command enabling -----------------------------------------------------------------------
  bool CanSave() const { return !IsHardDisk(); }        // Save, Save as
  bool CanDeleteFile() const { return !IsHardDisk(); }  // Delete (the file)

 private:
  bool ResizeTo(uint64_t bytes);
  // What every New starts with: an empty sound that never lives on disk.
  void StartNew();
  bool ChooseNewFormat();
  // The change-length dialog starting from `proposedFrames`, then SetLength (ChangeLengthTo
  // `withUndo`; a new sound's first length is no change that could be undone).
  bool ChangeLengthFrom(uint32_t proposedFrames, bool withUndo);
  bool MakeBackup(const std::string& path);
  void SendRegionNotice();

  RegionNotice regionNotice_;
  // The file's kept chunks as they were before the change that the undo record reverses.
  std::optional<FileChunks> undoChunks_;
  int32_t hardDisk_ = 0;
  DocWaveAudio sound_;
  bool modified_ = false;
  std::string title_;
  std::string pathName_;
  std::vector<DocumentObserver*> observers_;
};

// The backup name of `path`: the same folder; the file's own name in upper case up to its first
// ".WAV", followed by "_copy.WAV". Empty when the name holds no ".WAV".
std::string BackupNameFor(const std::string& path);
// Whether the file's own name contains ".WAV", compared without regard to case.
bool NameHasWaveExtension(const std::string& path);
// Undoes a change of the file at `path` that a crash cut off, saying so (3004). False after
// message 3018 when its journal could not be applied.
bool RecoverInterruptedChange(const std::string& path);

}  // namespace tarkel
