#pragma once
// The play script: the one ordered list of regions of the program, with the running number that
// names new regions, the cue file commands and the following of document changes. The window
// and tarkel-cli both work through it; it is the region manager documents report to.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "document/DocumentObserver.h"
#include "regions/CWaveSelection.h"

namespace tarkel {

class DocumentOpener;

class RegionList final : public RegionSink {
 public:
  const std::vector<CWaveSelection>& Regions() const { return regions_; }
  size_t Size() const { return regions_.size(); }
  bool Empty() const { return regions_.empty(); }
  const CWaveSelection& At(size_t index) const { return regions_.at(index); }

  // --- The running number -------------------------------------------------------------------
  int32_t RunningNumber() const { return runningNumber_; }
  // Add starts by taking the next number (the dialog proposes it as the name) ...
  int32_t TakeNumber() { return ++runningNumber_; }
  // ... and gives it back when the dialog is cancelled.
  void GiveBackNumber() { --runningNumber_; }

  // --- Editing the list ---------------------------------------------------------------------
  // Appends `region` (its number as given). Returns its index.
  size_t Append(CWaveSelection region);
  // Name and repeats of region `index`; false for an index outside the list.
  bool Change(size_t index, const std::string& name, uint32_t repeats);
  // Moves region `index` one place up or down; false (nothing changes) for the first region up,
  // the last one down, or an index outside the list.
  bool MoveUp(size_t index);
  bool MoveDown(size_t index);
  bool Remove(size_t index);
  void Clear();

  // --- Cue files ----------------------------------------------------------------------------
  // Writes the list to `path` through a temporary file; 3019 on failure.
  bool SaveCueFile(const std::string& path) const;
  // Appends the regions of the cue file at `path`; then every region of the list gets the next
  // running number, and every region without a document gets the document `opener` opens for
  // its path, or is dropped silently when there is none. A file that cannot be opened shows
  // 3018; a damaged one 2000, keeping the regions read before the damage. False after either.
  bool LoadCueFile(const std::string& path, DocumentOpener& opener);

  // --- Following the documents (see RegionFollow.h for the rule) -----------------------------
  void OnRegionChanged(const RegionNotice& notice, CTarkelDoc& doc) override;
  void OnDocumentCloses(CTarkelDoc& doc) override;
  // Takes note of the document's length (when a view of it reports its selection): the next
  // notice about it is read against that length.
  void NoteLength(const CTarkelDoc& doc);

  // Called after every change of the list (the window rebuilds its view).
  std::function<void()> changed;

 private:
  void Changed();
  void ForgetLengthsOfMissingDocuments();

  std::vector<CWaveSelection> regions_;
  int32_t runningNumber_ = 0;
  // The length of each document with regions as last seen.
  std::map<const CTarkelDoc*, uint32_t> knownFrames_;
};

}  // namespace tarkel
