#include "regions/RegionList.h"

#include <algorithm>
#include <optional>

#include "document/CTarkelDoc.h"
#include "fileformats/ReplacingFile.h"
#include "fileformats/SafeOpen.h"
#include "regions/CueFile.h"
#include "regions/DocumentOpener.h"
#include "regions/RegionFollow.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"

namespace tarkel {

size_t RegionList::Append(CWaveSelection region) {
  if (region.document) NoteLength(*region.document);
  regions_.push_back(std::move(region));
  Changed();
  return regions_.size() - 1;
}

bool RegionList::Change(size_t index, const std::string& name, uint32_t repeats) {
  if (index >= regions_.size()) return false;
  regions_[index].name = name;
  regions_[index].repeats = repeats;
  Changed();
  return true;
}

bool RegionList::MoveUp(size_t index) {
  if (index == 0 || index >= regions_.size()) return false;
  std::swap(regions_[index - 1], regions_[index]);
  Changed();
  return true;
}

bool RegionList::MoveDown(size_t index) {
  if (index + 1 >= regions_.size()) return false;
  std::swap(regions_[index], regions_[index + 1]);
  Changed();
  return true;
}

bool RegionList::Remove(size_t index) {
  if (index >= regions_.size()) return false;
  regions_.erase(regions_.begin() + std::ptrdiff_t(index));
  ForgetLengthsOfMissingDocuments();
  Changed();
  return true;
}

void RegionList::Clear() {
  regions_.clear();
  knownFrames_.clear();
  Changed();
}

bool RegionList::SaveCueFile(const std::string& path) const {
  const std::vector<uint8_t> bytes = WriteCueBytes(regions_);
  ReplacingFile file(path);
  if (!file.Create() || !file.Sink().Write(bytes.data(), bytes.size()) || file.Commit() != CommitResult::kDone) {
    ShowMessage(msg::kCreateFileError);
    return false;
  }
  return true;
}

bool RegionList::LoadCueFile(const std::string& path, DocumentOpener& opener) {
  std::vector<uint8_t> bytes;
  bool ok = true;
  if (!ReadRegularFile(path, bytes)) {  // a pipe or device is refused without waiting on it
    ShowMessage(msg::kOpenFileError);
    ok = false;
  } else {
    CueReadResult read = ReadCueBytes(bytes);
    if (!read.complete) {
      ShowMessage(msg::kCueFileDamaged);
      ok = false;
    }
    for (CWaveSelection& region : read.regions) regions_.push_back(std::move(region));
  }
  // Every region of the list gets the next running number; the new ones their documents.
  std::vector<CWaveSelection> kept;
  kept.reserve(regions_.size());
  for (CWaveSelection& region : regions_) {
    region.number = TakeNumber();
    if (!region.document) region.document = opener.OpenDocument(region.filePath);
    if (!region.document) continue;
    if (!knownFrames_.count(region.document)) NoteLength(*region.document);
    kept.push_back(std::move(region));
  }
  regions_ = std::move(kept);
  Changed();
  return ok;
}

void RegionList::OnRegionChanged(const RegionNotice& notice, CTarkelDoc& doc) {
  const auto known = knownFrames_.find(&doc);
  if (known == knownFrames_.end()) return;  // no region of this document
  const uint32_t framesBefore = known->second;
  const uint32_t framesAfter = doc.Sound().Frames();
  const UndoStore& undo = TheUndoStore();
  // The document drops an older record when a change takes none, so a record it owns now is
  // the record of this change.
  const std::optional<UndoKind> undoKind = undo.HasUndo(&doc) ? std::optional(undo.Kind()) : std::nullopt;
  const FrameChange change = ClassifyChange(notice, framesBefore, framesAfter, undoKind);
  std::vector<CWaveSelection> kept;
  kept.reserve(regions_.size());
  for (CWaveSelection& region : regions_) {
    if (region.document == &doc) {
      if (!FollowChange(change, region.start, region.end)) continue;
      // Whatever the change, a region never reaches past the sound.
      if (region.start >= framesAfter) continue;
      region.end = std::min(region.end, framesAfter - 1);
    }
    kept.push_back(std::move(region));
  }
  regions_ = std::move(kept);
  known->second = framesAfter;
  ForgetLengthsOfMissingDocuments();
  Changed();
}

void RegionList::OnDocumentCloses(CTarkelDoc& doc) {
  const auto before = regions_.size();
  std::erase_if(regions_, [&](const CWaveSelection& region) { return region.document == &doc; });
  knownFrames_.erase(&doc);
  if (regions_.size() != before) Changed();
}

void RegionList::NoteLength(const CTarkelDoc& doc) { knownFrames_[&doc] = doc.Sound().Frames(); }

void RegionList::Changed() {
  if (changed) changed();
}

void RegionList::ForgetLengthsOfMissingDocuments() {
  std::erase_if(knownFrames_, [&](const auto& entry) {
    return std::none_of(regions_.begin(), regions_.end(),
                        [&](const CWaveSelection& region) { return region.document == entry.first; });
  });
}

}  // namespace tarkel
