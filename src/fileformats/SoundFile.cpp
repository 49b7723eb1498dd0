#include "fileformats/SoundFile.h"


#include "sound/Bytes.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/WaveAudio.h"
#include "fileformats/ByteStream.h"
#include "fileformats/CreativeVoice.h"
#include "fileformats/FileNames.h"
#include "fileformats/HardDiskMapping.h"
#include "fileformats/RiffWave.h"
#include "fileformats/ReplacingFile.h"
#include "fileformats/RiffChunks.h"

namespace tarkel {
namespace {

// The reader is chosen by content: RIFF WAVE, then Creative Voice ("Crea" at the start),
// anything else raw.
bool ReadByContent(WaveAudio& wave, ByteSource& in) {
  bool ok = false;
  wave.Chunks().Clear();
  if (IsRiffWave(in)) {
    ok = ReadWave(wave, in);
  } else {
    wave.SetHardDisk(false);  // only RIFF WAVE files are edited in place
    uint8_t head[kVocHeaderSize];
    const size_t got = in.Seek(0) ? in.Read(head, sizeof head) : 0;
    ok = got >= 4 && HasTag(head, "Crea") ? ReadVoc(wave, in) : ReadRaw(wave, in);
  }
  if (ok) wave.RefreshPcmCopy();
  return ok;
}

// ".WAV" in the file's name gives RIFF WAVE, else ".VOC" Creative Voice, else RIFF WAVE. Only
// the name counts, so a folder called "x.voc" does not change the format.
bool WritesVoice(const std::string& path) {
  return !FileNameContains(path, ".WAV") && FileNameContains(path, ".VOC");
}

}  // namespace

bool OpenSoundFile(WaveAudio& wave, const std::string& path, int32_t backgroundOption, bool hardDisk,
                   int32_t /*reserved*/) {
  FileSource in;
  if (!in.Open(path)) {
    ShowMessage(msg::kOpenFileError);
    return false;
  }
  // Only files named ".WAV" are edited in place; one whose header hard-disk editing cannot keep
  // (RF64, no "data" chunk) is read into memory.
  HardDiskLayout layout;
  wave.SetBackgroundOption(backgroundOption);
  wave.SetHardDisk(hardDisk && FileNameContains(path, ".WAV") && FindHardDiskLayout(path, layout));
  wave.SetFileName(path);
  return ReadByContent(wave, in);
}

bool OpenSoundMemory(WaveAudio& wave, std::span<const uint8_t> bytes) {
  MemorySource in(bytes);
  return ReadByContent(wave, in);
}

bool SaveSoundFile(WaveAudio& wave, const std::string& path, uint32_t first, uint32_t end) {
  // A hard-disk sound is its file: only the header is brought up to date in place.
  if (wave.IsHardDisk() && HardDiskMapping::Of(wave) && first == 0 && end == wave.Frames())
    return WriteHardDiskHeader(wave);
  ReplacingFile file(path);
  if (!file.Create()) {
    ShowMessage(msg::kCreateFileError);
    return false;
  }
  const bool written = WritesVoice(path) ? WriteVoc(wave, file.Sink(), first, end)
                                         : WriteWave(wave, file.Sink(), first, end);
  if (!written) return false;  // the writer has shown its message; the old file is untouched
  switch (file.Commit()) {
    case CommitResult::kDone:
      break;
    case CommitResult::kFlushFailed:
      ShowMessage(msg::kWriteOutOfSpace);
      return false;
    case CommitResult::kRenameFailed:
      ShowMessage(msg::kCreateFileError);
      return false;
  }
  wave.SetFileName(path);
  return true;
}

}  // namespace tarkel
