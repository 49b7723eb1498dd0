#pragma once
// The one level of undo of the whole program. Before an edit, effect or recording changes a
// document's sound, the document's edit wrapper tells the store what is about to happen; the
// store copies the bytes the change will destroy, or only notes the positions when the change
// can be reversed without them. Undo on the same document reverses that one change; any later
// record of any document replaces it.
#include <cstdint>
#include <memory>

#include "sound/ChannelMode.h"
#include "sound/SampleMemory.h"
#include "sound/WaveFormat.h"

namespace tarkel {

class CTarkelDoc;

// What the recorded change does. Byte positions start..end (end: the byte after the range).
enum class UndoKind : int32_t {
  Removal = 0,      // start..end will be removed; its bytes are saved
  Insertion = 1,    // start..end will be inserted; nothing saved
  Replacement = 2,  // start..end will be changed in place; its bytes are saved
  Trim = 3,         // the whole sound will be replaced by start..end; the whole sound is saved
  MoveCopy = 4,     // a drag-and-drop move or copy; positions only
  // The whole sound, its format included, is saved and put back whole: the record of changes
  // the kinds above cannot reverse (removals, trims and moves in one channel of a stereo sound,
  // a new length).
  Snapshot = 5,
};

// Commands of the undo store.
namespace cmd {
inline constexpr int kUndo = 57643;
inline constexpr int kDisableUndo = 32912;
}  // namespace cmd

class UndoStore {
 public:
  UndoStore() = default;
  UndoStore(const UndoStore&) = delete;
  UndoStore& operator=(const UndoStore&) = delete;

  // The document's current sample data; called before every SaveUndo.
  void SetDataBase(const uint8_t* data) { dataBase_ = data; }

  // Takes a record for the change about to be made to `doc`. False when no record was taken
  // (undo off, a reversing operation running, bad range, or no memory for the copy: then
  // CopyFailed()). A kind that cannot be reversed in one channel of a stereo sound (removal,
  // trim, move) records a snapshot of the whole sound instead.
  // `sourceSilenced`: a move that leaves silence where its source was.
  bool SaveUndo(CTarkelDoc* doc, uint32_t start, uint32_t end, ChannelMode mode, UndoKind kind,
                uint32_t auxPosition = 0, uint16_t auxValue = 0, bool sourceSilenced = false);
  // True when the last SaveUndo took no record because the memory for its copy could not be had.
  bool CopyFailed() const { return copyFailed_; }
  // Reverses the recorded change when `doc` owns the record; true when it was applied.
  bool Undo(CTarkelDoc* doc);
  // True when `doc` is not null and owns the record (enables the Undo command).
  bool HasUndo(const CTarkelDoc* doc) const { return doc && owner_ == doc; }
  // Frees the saved bytes and forgets the record.
  void DropSaved();
  // DropSaved when `doc` owns the record (a document clearing its contents or going away).
  void DropSavedOf(const CTarkelDoc* doc) {
    if (doc && owner_ == doc) DropSaved();
  }

  // The global switch (command 32912 "Disable Undo" toggles it; checked while undo is off).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }
  void ToggleEnabled() { enabled_ = !enabled_; }
  bool DisableUndoChecked() const { return !enabled_; }
  // True while a reversing operation runs (records are not taken then).
  bool Suspended() const { return suspended_; }

  // The record, for inspection.
  const CTarkelDoc* Owner() const { return owner_; }
  UndoKind Kind() const { return kind_; }
  uint32_t Start() const { return start_; }
  uint32_t End() const { return end_; }
  ChannelMode Channel() const { return channel_; }
  uint32_t AuxPosition() const { return auxPosition_; }
  uint16_t AuxValue() const { return auxValue_; }
  bool SourceSilenced() const { return sourceSilenced_; }
  uint32_t SavedSize() const { return savedSize_; }
  const uint8_t* SavedBytes() const { return saved_.Data(); }

 private:
  bool TakeCopy(const uint8_t* from, uint32_t bytes);
  bool UndoRemoval(CTarkelDoc& doc);
  bool UndoInsertion(CTarkelDoc& doc);
  bool UndoReplacement(CTarkelDoc& doc);
  bool UndoTrim(CTarkelDoc& doc);
  bool UndoMoveCopy(CTarkelDoc& doc);
  bool UndoSnapshot(CTarkelDoc& doc);

  bool enabled_ = true;
  bool suspended_ = false;
  UndoKind kind_ = UndoKind::Removal;
  uint32_t start_ = 0;
  uint32_t end_ = 0;
  ChannelMode channel_ = ChannelMode::Mono;
  uint32_t auxPosition_ = 0;
  uint16_t auxValue_ = 0;
  bool sourceSilenced_ = false;
  const uint8_t* dataBase_ = nullptr;
  SampleMemory saved_;
  uint32_t savedSize_ = 0;
  WaveFormat savedFormat_;  // the format of a snapshot's sound
  bool copyFailed_ = false;
  CTarkelDoc* owner_ = nullptr;
  // Set by a reversal that failed before it changed the sound.
  bool untouched_ = false;
  bool trimDeleted_ = false;
};

// The store of the process.
UndoStore& TheUndoStore();

}  // namespace tarkel
