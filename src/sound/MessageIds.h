#pragma once
// Numbers of the messages in the message table (MessageTable.cpp holds the texts).

namespace tarkel::msg {

// Editing, effects and clipboard.
inline constexpr int kNothingSelected = 1000;
inline constexpr int kCopyOutOfMemory = 1001;
inline constexpr int kReallocOutOfMemory = 1003;
inline constexpr int kTrimOutOfMemory = 1007;
inline constexpr int kDeleteOutOfMemory = 1008;
inline constexpr int kTempMemory = 1010;
inline constexpr int kAcmOpen = 1011;
inline constexpr int kAcmSize = 1012;
inline constexpr int kAcmPrepare = 1013;
inline constexpr int kAcmConvert = 1014;
inline constexpr int kAcmUnprepare = 1015;
inline constexpr int kAcmClose = 1016;
inline constexpr int kClipboardInvalid = 1018;
inline constexpr int kConvertSampleTitle = 1019;
inline constexpr int kQualityLoss = 1020;
inline constexpr int kConvertFirst = 1021;
inline constexpr int kClipboardAlloc = 1022;
inline constexpr int kPreviewError = 1023;
inline constexpr int kSelectionTooSmall = 1024;
inline constexpr int kProgressDialogError = 1026;
inline constexpr int kOnly8BitIff = 1027;
inline constexpr int kInsertError = 1028;
inline constexpr int kMoveCopyOutOfMemory = 1029;
inline constexpr int kMoveCopySameRegion = 1030;
inline constexpr int kReallocError = 1056;
inline constexpr int kClipboardAccess = 1064;
inline constexpr int kClipboardEmpty = 1066;

// Region manager.
inline constexpr int kCueFileDamaged = 2000;
inline constexpr int kPlayListConverted = 2001;
inline constexpr int kPlayListEmpty = 2002;

// Start-up and MCI.
inline constexpr int kOleInitFailed = 2200;
inline constexpr int kMciNotFound = 2201;
inline constexpr int kMciNotRegistered = 2202;
inline constexpr int kSelectionWindow = 2203;
inline constexpr int kMediaSynchronizer = 2204;

// Files and devices.
inline constexpr int kWaveAudioPtrError = 3000;
inline constexpr int kFileMappingError = 3001;
inline constexpr int kCloseMappingError = 3002;
inline constexpr int kFileChangedOutside = 3003;
inline constexpr int kJournalRestored = 3004;
inline constexpr int kGetWaveFileFormat = 3005;
inline constexpr int kInvalidWavFormat = 3006;
inline constexpr int kDataTooLarge = 3007;
inline constexpr int kDateiMapping = 3008;
inline constexpr int kGeneralErrorBang = 3009;
inline constexpr int kWriteOutOfSpace = 3010;
inline constexpr int kUnsupportedVocWrite = 3011;
inline constexpr int kVocWriteError = 3012;
inline constexpr int kVocOnlyPcm = 3013;
inline constexpr int kUnsupportedVoc = 3014;
inline constexpr int kGeneralError = 3015;
inline constexpr int kNotPossibleNow = 3016;
inline constexpr int kUnknownAcmError = 3017;
inline constexpr int kOpenFileError = 3018;
inline constexpr int kCreateFileError = 3019;

// Document commands.
inline constexpr int kBackupError = 4001;
inline constexpr int kFileWriteError = 4003;
inline constexpr int kNotEnoughMemory = 4004;
inline constexpr int kReallyDelete = 4005;
inline constexpr int kDeleteFileError = 4006;
inline constexpr int kCreateNewSample = 4007;
inline constexpr int kSampleFileFilter = 4008;

// Settings and dialogs.
inline constexpr int kResetColors = 5000;
inline constexpr int kPreferencesTitle = 5001;

}  // namespace tarkel::msg
