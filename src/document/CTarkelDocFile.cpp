// The document's files: open (with the backup copy), save, save selected area, delete, and
// releasing everything when the contents are cleared or the document closes.
#include <filesystem>
#include <system_error>

#include "sound/AppContext.h"
#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "document/EditJournal.h"
#include "fileformats/HardDiskMapping.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "fileformats/FileNames.h"
#include "fileformats/SafeOpen.h"
#include "fileformats/SoundFile.h"

namespace tarkel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWaveExtension = ".WAV";
constexpr const char* kBackupSuffix = "_copy.WAV";
constexpr const char* kPartialSuffix = ".part";

// Copies `from` to `to`, replacing an existing `to` only once the copy is complete.
bool CopyReplacing(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) return false;
  const std::string partial = to + kPartialSuffix;
  if (!CopyRegularFile(from, partial)) return false;
  fs::rename(partial, to, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(partial, ignored);
    return false;
  }
  return true;
}

}  // namespace

bool RecoverInterruptedChange(const std::string& path) {
  switch (RecoverFromJournal(path)) {
    case JournalRecovery::None:
    case JournalRecovery::Dropped: return true;
    case JournalRecovery::Restored: ShowMessage(msg::kJournalRestored); return true;
    case JournalRecovery::Failed: break;
  }
  ShowMessage(msg::kOpenFileError);
  return false;
}

bool NameHasWaveExtension(const std::string& path) { return FileNameContains(path, kWaveExtension); }

std::string BackupNameFor(const std::string& path) {
  const size_t nameStart = FileNameStart(path);
  const std::string name = UpperCase(path.substr(nameStart));
  const size_t wav = name.find(kWaveExtension);
  if (wav == std::string::npos) return {};
  return path.substr(0, nameStart) + name.substr(0, wav) + kBackupSuffix;
}

bool CTarkelDoc::MakeBackup(const std::string& path) {
  const std::string backup = BackupNameFor(path);
  if (backup.empty() || !CopyReplacing(path, backup)) {
    ShowMessage(msg::kBackupError);
    return false;
  }
  return true;
}

bool CTarkelDoc::Open(const std::string& path) {
  ClearContents();
  // A change of this file that was cut off (a crash, a kill, a power cut) is undone first.
  if (!RecoverInterruptedChange(path)) return false;
  // Only RIFF WAVE files are edited in place; the name decides, not the folders above it.
  hardDisk_ = App().hardDiskEditing != 0 && NameHasWaveExtension(path) ? 1 : 0;
  if (hardDisk_ && App().backupOnOpen) MakeBackup(path);  // a failed backup does not stop the open
  if (!OpenSoundFile(sound_, path, App().loadInBackground, hardDisk_ != 0)) return false;
  hardDisk_ = sound_.IsHardDisk() ? 1 : 0;  // a file the reader could not map was read into memory
  sound_.SetFileName(path);
  SetPathName(path);
  SetModified(false);
  return true;
}

bool CTarkelDoc::Save(const std::string& path) {
  if (sound_.IsLoading()) return false;  // the data is not all there yet
  WaitCursor wait;
  if (!SaveSoundFile(sound_, path, 0, sound_.Frames())) return false;
  sound_.SetFileName(path);
  SetPathName(path);
  SetModified(false);
  return true;
}

bool CTarkelDoc::SaveSelectedArea(const std::string& path, uint32_t first, uint32_t end) {
  if (sound_.IsLoading()) return false;
  WaitCursor wait;
  // The area is always written as an ordinary file.
  const bool hardDisk = sound_.IsHardDisk();
  sound_.SetHardDisk(false);
  const bool inRange = first <= end && end <= sound_.Frames();
  const bool written = inRange && SaveSoundFile(sound_, path, first, end);
  sound_.SetHardDisk(hardDisk);
  if (!written) ShowMessage(msg::kFileWriteError);
  return written;
}

bool CTarkelDoc::DeleteFile() {
  if (!AskMessage(msg::kReallyDelete)) return false;
  std::error_code ec;
  if (pathName_.empty() || !fs::remove(pathName_, ec)) {
    ShowMessage(msg::kDeleteFileError);
    return false;
  }
  return true;
}

void CTarkelDoc::ClearContents() {
  sound_.StopLoading();  // a background read still filling the data ends before anything else
  const DocumentHooks& hooks = TheDocumentHooks();
  if (sound_.IsPlaying() || sound_.IsRecording()) {
    if (hooks.stopAudio) hooks.stopAudio(*this);
    sound_.SetPlaying(false);
    sound_.SetRecording(false);
    App().playingDocument = nullptr;
  }
  if (App().playingDocument == this) App().playingDocument = nullptr;
  // A hard-disk document is its file: its header is brought up to date in place.
  if (sound_.IsHardDisk() && sound_.HasData()) WriteHardDiskHeader(sound_);
  if (hooks.closeSoundFiles)
    hooks.closeSoundFiles(sound_);
  else
    sound_.ReleaseData();
  sound_.SetHardDisk(false);
  sound_.Chunks().Clear();
  undoChunks_.reset();
  TheUndoStore().DropSavedOf(this);
  SetModified(false);
}

void CTarkelDoc::Close() {
  ClearContents();
  if (RegionSink* regions = TheDocumentHooks().regionSink) regions->OnDocumentCloses(*this);
}

}  // namespace tarkel
