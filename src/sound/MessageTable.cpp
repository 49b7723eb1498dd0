// The program's numbered user messages. The texts are kept exactly as the users know them,
// spelling slips and German wording included: changing one changes what the program shows.
#include "sound/MessageTable.h"

#include <algorithm>
#include <iterator>

namespace tarkel {
namespace {

// Ascending by number; MessageText relies on that order for its binary search.
constexpr MessageRecord kMessages[] = {
    // Editing, effects and clipboard.
    {msg::kNothingSelected, "Nothing/not enough selected !"},
    {msg::kCopyOutOfMemory, "Copy-error - out of memory !"},
    {msg::kReallocOutOfMemory, "Error while reallocating sample-memory - out of mem!"},
    {msg::kTrimOutOfMemory, "Trim-error - out of memory !"},
    {msg::kDeleteOutOfMemory, "Delete-error - out of memory !"},
    {msg::kTempMemory, "Error while allocating temp-memory !"},
    {msg::kAcmOpen, "ACM-open error !"},
    {msg::kAcmSize, "ACM-error when calculating params !"},
    {msg::kAcmPrepare, "ACM-prepare error !"},
    {msg::kAcmConvert, "ACM-convert error !"},
    {msg::kAcmUnprepare, "ACM-unprepare error !"},
    {msg::kAcmClose, "ACM-close error !"},
    {msg::kClipboardInvalid, "Clipboard format is non-wave or invalid !"},
    {msg::kConvertSampleTitle, "Convert sample"},
    {msg::kQualityLoss, "WARNING: quality-loss will occur. Continue? ?"},
    {msg::kConvertFirst, "This sample-format can't be edited - convert it first (Convert Format and Data...) !"},
    {msg::kClipboardAlloc, "Error while allocation clipboard-memory !"},
    {msg::kPreviewError, "Preview error !"},
    {msg::kSelectionTooSmall, "Selection is too small!"},
    {msg::kProgressDialogError, "Progress-Dialog error !"},
    {msg::kOnly8BitIff, "Only 8bit IFF-Format is valid !"},
    {msg::kInsertError, "Insert-error !"},
    {msg::kMoveCopyOutOfMemory, "Move/Copy-error (out of memory) !"},
    {msg::kMoveCopySameRegion, "Move/copy is invalid in the same region"},
    {msg::kReallocError, "Error while reallocating sample-memory !"},
    {msg::kClipboardAccess, "Error while accessing clipboard !"},
    {msg::kClipboardEmpty, "Clipboard is empty !"},

    // Region manager.
    {msg::kCueFileDamaged, "Invalid or damaged Cue-File ! Only the regions before the damage were read."},
    {msg::kPlayListConverted, "The regions have different formats: they are converted to the format of the first region."},
    {msg::kPlayListEmpty, "The Play-List is empty !"},

    // Start-up and MCI.
    {msg::kOleInitFailed, "OLE init failed!"},
    {msg::kMciNotFound, "MCI32.OCX not found !\nMCI-Sync/CD-Player disabled !"},
    {msg::kMciNotRegistered, "MCI32.OCX could not be registered !\nMCI-Sync/CD-Player disabled !"},
    {msg::kSelectionWindow, "Selection-window could not be created!"},
    {msg::kMediaSynchronizer, "Error creating MediaSynchronizer!"},

    // Files and devices.
    {msg::kWaveAudioPtrError, "PtrError in WaveAudio-structure !"},
    {msg::kFileMappingError, "File-Mapping Error !"},
    {msg::kCloseMappingError, "Close Mapping/File error !"},
    {msg::kFileChangedOutside, "The file was cut short or removed by another program: the operation failed !"},
    {msg::kJournalRestored, "An operation on this file was interrupted: the file has been restored to its state before it."},
    {msg::kGetWaveFileFormat, "GetWaveFileFormat-error !"},
    {msg::kInvalidWavFormat, "Invalid WAV-format !"},
    {msg::kDataTooLarge, "RF64-file too large: more than 4 GB of sample-data !"},
    {msg::kDateiMapping, "Datei-Mapping error !"},
    {msg::kGeneralErrorBang, "General error!"},
    {msg::kWriteOutOfSpace, "Error while writing file ! (out of HD-space ?)"},
    {msg::kUnsupportedVocWrite, "Unsupported VOC file-format !"},
    {msg::kVocWriteError, "Error writing VOC-sctructure !"},
    {msg::kVocOnlyPcm, "Error: only PCM-format supported with VOC-files!"},
    {msg::kUnsupportedVoc, "Unsupported VOC-Format !"},
    {msg::kGeneralError, "General error"},
    {msg::kNotPossibleNow, "Not possible at the moment"},
    {msg::kUnknownAcmError, "Unknown ACM-error"},
    {msg::kOpenFileError, "Error opening the file !"},
    {msg::kCreateFileError, "Error while creating/writing the file !"},

    // Document commands.
    {msg::kBackupError, "Error while creating the backup!"},
    {msg::kFileWriteError, "File-write error !"},
    {msg::kNotEnoughMemory, "Not enough memory !"},
    {msg::kReallyDelete, "Really delete the file ?"},
    {msg::kDeleteFileError, "Error: file could not be deleted !"},
    {msg::kCreateNewSample, "Create new sample"},
    {msg::kSampleFileFilter, "Sample-Formate (*.wav;*.voc)|*.wav;*.voc|Alle Dateien (*.*)|*.*||"},

    // Settings and dialogs.
    {msg::kResetColors, "Reset colors to default ?"},
    {msg::kPreferencesTitle, "Preferences"},
};

constexpr bool IsStrictlyAscending() {
  for (std::size_t i = 1; i < std::size(kMessages); ++i) {
    if (kMessages[i - 1].number >= kMessages[i].number) return false;
  }
  return true;
}
static_assert(IsStrictlyAscending(), "message records must be in strictly ascending order");

}  // namespace

std::span<const MessageRecord> MessageTable() { return kMessages; }

const char* MessageText(uint32_t number) {
  const auto* end = std::end(kMessages);
  const auto* it = std::lower_bound(
      std::begin(kMessages), end, number,
      [](const MessageRecord& record, uint32_t n) { return record.number < n; });
  if (it == end || it->number != number) return nullptr;
  return it->text;
}

}  // namespace tarkel
