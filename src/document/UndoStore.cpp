#include "document/UndoStore.h"

#include <cstring>
#include <new>

#include "sound/CopyAllowance.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "document/CTarkelDoc.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"

namespace tarkel {
namespace {

// Kinds that cannot be reversed for one channel of a stereo sound.
bool RefusedForOneChannel(UndoKind kind) {
  return kind == UndoKind::Removal || kind == UndoKind::Trim || kind == UndoKind::MoveCopy;
}

// Suspends the taking of records while a reversing operation runs, and restores the previous
// state on every way out.
class SuspendRecording {
 public:
  explicit SuspendRecording(bool& suspended) : suspended_(suspended), before_(suspended) { suspended_ = true; }
  ~SuspendRecording() { suspended_ = before_; }

 private:
  bool& suspended_;
  bool before_;
};

}  // namespace

UndoStore& TheUndoStore() {
  static UndoStore store;
  return store;
}

void UndoStore::DropSaved() {
  saved_.Release();
  savedSize_ = 0;
  owner_ = nullptr;
}

bool UndoStore::TakeCopy(const uint8_t* from, uint32_t bytes) {
  saved_.Release();
  if (!CopyAllowed(bytes) || !saved_.Allocate(bytes)) {
    copyFailed_ = true;
    return false;
  }
  saved_.AdviseHugePages();
  if (bytes) std::memcpy(saved_.Data(), from, bytes);
  savedSize_ = bytes;
  return true;
}

bool UndoStore::SaveUndo(CTarkelDoc* doc, uint32_t start, uint32_t end, ChannelMode mode, UndoKind kind,
                         uint32_t auxPosition, uint16_t auxValue, bool sourceSilenced) {
  copyFailed_ = false;
  if (!enabled_ || suspended_) return false;
  DropSaved();
  if (!doc) return false;
  // What cannot be reversed in one channel is reversed by putting the whole sound back.
  if (RefusedForOneChannel(kind) && IsSingleChannel(mode)) kind = UndoKind::Snapshot;

  const uint32_t size = doc->Sound().DataSize();
  const bool rangeInData = start <= end && end <= size && dataBase_ != nullptr;
  switch (kind) {
    case UndoKind::Removal:
    case UndoKind::Replacement:
      if (!rangeInData || !TakeCopy(dataBase_ + start, end - start)) return false;
      break;
    case UndoKind::Trim:
      if (!rangeInData || !TakeCopy(dataBase_, size)) return false;
      break;
    case UndoKind::Insertion:
      if (start > end) return false;
      break;
    case UndoKind::MoveCopy:
      break;
    case UndoKind::Snapshot:
      if ((size && !dataBase_) || !TakeCopy(dataBase_, size)) return false;
      savedFormat_ = doc->Sound().Format();
      break;
    default:
      return false;
  }
  owner_ = doc;
  kind_ = kind;
  start_ = start;
  end_ = end;
  channel_ = mode;
  auxPosition_ = auxPosition;
  auxValue_ = auxValue;
  sourceSilenced_ = sourceSilenced;
  return true;
}

bool UndoStore::Undo(CTarkelDoc* doc) {
  if (!doc || doc != owner_) return false;
  bool applied = false;
  {
    SuspendRecording suspend(suspended_);
    untouched_ = false;
    switch (kind_) {
      case UndoKind::Removal: applied = UndoRemoval(*doc); break;
      case UndoKind::Insertion: applied = UndoInsertion(*doc); break;
      case UndoKind::Replacement: applied = UndoReplacement(*doc); break;
      case UndoKind::Trim: applied = UndoTrim(*doc); break;
      case UndoKind::MoveCopy: applied = UndoMoveCopy(*doc); break;
      case UndoKind::Snapshot: applied = UndoSnapshot(*doc); break;
    }
  }
  // One step only: the record is used up, unless its reversal failed before touching the sound
  // (the user may try again once memory is free).
  if (applied || !untouched_) DropSaved();
  return applied;
}

// Grows the sound by the removed length, moves everything from start up, and puts the saved
// bytes back into the gap.
bool UndoStore::UndoRemoval(CTarkelDoc& doc) {
  DocWaveAudio& sound = doc.Sound();
  const uint32_t oldSize = sound.DataSize();
  const uint32_t length = savedSize_;
  if (start_ > oldSize || !saved_.Data()) return false;
  if (!doc.GrowBy(length)) {
    untouched_ = !trimDeleted_;
    return false;
  }
  uint8_t* data = sound.Data();
  std::memmove(data + start_ + length, data + start_, oldSize - start_);
  std::memcpy(data + start_, saved_.Data(), length);
  return true;
}

bool UndoStore::UndoInsertion(CTarkelDoc& doc) {
  DocWaveAudio& sound = doc.Sound();
  const uint32_t align = sound.BlockAlign();
  if (!align || end_ - start_ < align) return false;
  // The inserted bytes are start..end - 1: frames start / align to end / align - 1.
  if (DeleteRange(sound, start_ / align, end_ / align - 1, channel_) < 0) return false;
  if (!WorksOnOneChannel(sound, channel_)) return true;
  // An insertion into one channel grew the whole sound by its length; deleting it from that
  // channel left that many frames of silence in both channels at the end, which go again.
  const uint32_t grown = end_ - start_;
  if (grown > sound.DataSize() || !sound.ResizeData(sound.DataSize() - grown)) {
    ShowMessage(msg::kDeleteOutOfMemory);
    return false;
  }
  return true;
}

bool UndoStore::UndoReplacement(CTarkelDoc& doc) {
  DocWaveAudio& sound = doc.Sound();
  if (!saved_.Data() || start_ > sound.DataSize() || savedSize_ > sound.DataSize() - start_) return false;
  std::memcpy(sound.Data() + start_, saved_.Data(), savedSize_);
  return true;
}

// Removes the current content (the kept range) and re-inserts the saved sound whole.
bool UndoStore::UndoTrim(CTarkelDoc& doc) {
  DocWaveAudio& sound = doc.Sound();
  const uint32_t align = sound.BlockAlign();
  if (!align) return false;
  const uint32_t keptFrames = (end_ - start_) / align;
  if (keptFrames > 0 && DeleteRange(sound, 0, keptFrames - 1, channel_) < 0) return false;
  start_ = 0;
  end_ = savedSize_;
  trimDeleted_ = true;
  const bool applied = UndoRemoval(doc);
  trimDeleted_ = false;
  return applied;
}

// Puts the saved sound back whole: its format, its length and every byte.
bool UndoStore::UndoSnapshot(CTarkelDoc& doc) {
  DocWaveAudio& sound = doc.Sound();
  if (!saved_.Data()) return false;
  const WaveFormat current = sound.Format();
  sound.Format() = savedFormat_;
  // In memory the saved block itself becomes the sound again; a sound on the disk takes a copy.
  if (savedSize_ && sound.AdoptMemory(std::move(saved_), savedSize_)) {
    sound.RefreshPcmCopy();
    return true;
  }
  if (!sound.ResizeData(savedSize_)) {
    sound.Format() = current;
    sound.SetDataSize(sound.DataSize());
    ShowMessage(msg::kNotEnoughMemory);
    untouched_ = true;
    return false;
  }
  sound.RefreshPcmCopy();
  if (savedSize_) std::memcpy(sound.Data(), saved_.Data(), savedSize_);
  return true;
}

// Runs the move or copy back the other way. What the first move left behind decides which way
// it went; the reversing move itself always removes its source.
bool UndoStore::UndoMoveCopy(CTarkelDoc& doc) {
  DocWaveAudio& sound = doc.Sound();
  const uint32_t align = sound.BlockAlign();
  if (!align) return false;
  const uint64_t s = start_, e = end_, v = auxPosition_;
  const bool r = sourceSilenced_;
  uint64_t a, b, c;
  if (r) {
    // The source was silenced in place: put the range back over that silence, which lies at s
    // (destination after the source) or, shifted up by the inserted room, at e.
    a = v;
    b = e + v - s;
    c = s < v ? s : e;
  } else if (s < v) {
    a = s + v - e;
    b = v;
    c = s;
  } else {
    a = v;
    b = e + v - s;
    c = e;
  }
  if (a > UINT32_MAX || b > UINT32_MAX || c > UINT32_MAX || b < a + align) return false;
  // A move to just past its own end left the sound as it was.
  if (a / align == c / align) return true;
  const ChannelMode source = auxValue_ >= 1 && auxValue_ <= 4 ? ChannelMode(auxValue_) : channel_;
  // a..b is a byte range (b the byte after it): frames a / align to b / align - 1.
  const int64_t moved = MoveOrCopyRange(sound, uint32_t(a / align), uint32_t(b / align - 1), source,
                                        uint32_t(c / align), channel_, !r, true, nullptr, MovedSource::Removed);
  return moved >= 0;
}

}  // namespace tarkel
