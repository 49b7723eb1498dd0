#pragma once
// Changes to a sound edited in place on the hard disk survive a crash. Before a change touches
// the file, the bytes it may alter (and the file's header, length and the chunks after its
// data) are written to a journal beside the sound, ".<name>.tarkel-journal", and flushed to the
// disk; when the change has completed and the file's data and header are flushed, the journal
// is removed. Opening a sound whose journal is still there puts those bytes back first, so the
// file is always in its state before or after a change, never between.
#include <cstdint>
#include <string>

#include "document/UndoStore.h"

namespace tarkel {

class WaveAudio;
struct UndoRequest;

// The journal's name for the sound at `soundPath`: the same folder, "." + the file's own name +
// ".tarkel-journal".
std::string JournalPathFor(const std::string& soundPath);

enum class JournalRecovery {
  None,      // no journal: nothing was interrupted
  Restored,  // an interrupted change was undone
  Dropped,   // a journal cut off while it was written: the change had not started
  Failed,    // the journal could not be applied (it is kept for another try)
};
// Puts back the state before an interrupted change of the file at `soundPath` and removes the
// journal. Shows nothing.
JournalRecovery RecoverFromJournal(const std::string& soundPath);

// The sample bytes [from, to) a change may alter; bytes past the data's end need no saving
// (putting the old length back drops them).
struct JournalSpan {
  uint32_t from = 0;
  uint32_t to = 0;
};
// The span of the change an undo record describes (kind and byte positions, `aux` the other end
// of a move); a change that records nothing may alter every byte.
JournalSpan JournalSpanOf(const UndoRequest& undo, uint32_t dataSize);
JournalSpan JournalSpanOf(UndoKind kind, uint32_t start, uint32_t end, uint32_t aux, uint32_t dataSize);
// The span of a change of length to `bytes`.
JournalSpan JournalSpanOfLength(uint32_t bytes, uint32_t dataSize);

// One change of a sound, journalled when the sound is edited in place (and nothing at all
// otherwise). A change inside another change is covered by the outer one's journal.
class InPlaceChange {
 public:
  InPlaceChange(WaveAudio& wave, JournalSpan span) : wave_(wave), span_(span) {}
  ~InPlaceChange() { Finish(); }
  InPlaceChange(const InPlaceChange&) = delete;
  InPlaceChange& operator=(const InPlaceChange&) = delete;

  // Writes and flushes the journal. False after a message (the file was cut short by another
  // program, or the disk would not take the journal): the change must not run.
  bool Begin();
  // Writes the header, flushes the file and removes the journal. False after a message when the
  // file was cut short under the change or could not be flushed.
  bool Finish();

 private:
  WaveAudio& wave_;
  JournalSpan span_;
  bool active_ = false;
};

}  // namespace tarkel
