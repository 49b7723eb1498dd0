#include "editing/Clipboard.h"

#include <cstring>
#include <new>
#include <vector>

#include "sound/Bytes.h"
#include "sound/CopyAllowance.h"
#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/WaveImage.h"
#include "editing/ConvertClip.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"
#include "editing/TransferSamples.h"
#include "fileformats/HeldFormat.h"

namespace tarkel {

namespace {
constexpr uint32_t kFmtChunkOffset = 12;
constexpr uint32_t kFmtSizeOffset = 16;
constexpr uint32_t kFormatOffset = 20;
constexpr uint32_t kDataChunkOffset = 36;
constexpr uint32_t kDataSizeOffset = 40;

// Room for a wave image of `dataBytes` sample bytes; false when the memory cannot be had or the
// image would not fit its 32-bit sizes (with the spare bytes of a converted copy).
bool AllocateImage(std::vector<uint8_t>& image, uint64_t dataBytes) {
  if (dataBytes > UINT32_MAX - kWaveImageOverhead || !CopyAllowed(dataBytes + kCanonicalHeaderSize)) return false;
  try {
    image.resize(size_t(dataBytes) + kCanonicalHeaderSize);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
}  // namespace

int CheckClipboardImage(const uint8_t* image, size_t size, ClipImageInfo* info) {
  if (!image || size < kCanonicalHeaderSize) return msg::kClipboardInvalid;
  if (!HasTag(image, "RIFF") || !HasTag(image + 8, "WAVE") || !HasTag(image + kFmtChunkOffset, "fmt ") ||
      !HasTag(image + kDataChunkOffset, "data"))
    return msg::kClipboardInvalid;
  if (GetLE32(image + kFmtSizeOffset) != kPcmFormatSize) return msg::kClipboardInvalid;
  const uint32_t dataBytes = GetLE32(image + kDataSizeOffset);
  if (dataBytes > size - kCanonicalHeaderSize) return msg::kClipboardInvalid;
  WaveFormat format;
  format.AssignFrom(image + kFormatOffset, kPcmFormatSize);
  if (format.BlockAlign() == 0 || format.Channels() == 0) return msg::kClipboardInvalid;
  if (info) {
    info->format = format;
    info->dataBytes = dataBytes;
  }
  return 0;
}

uint32_t CopyToClipboard(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  if (!CheckRange(wave, first, last, true)) return 0;
  last = LimitLast(wave, last);
  const bool single = IsSingleChannel(mode) && wave.Channels() == 2;
  // A 16-byte format record cannot hold an extensible layout: the plain tag it stands for.
  const WaveFormat plain = WithoutExtensible(wave.Format());
  const WaveFormat clipFormat = single ? SingleChannelOf(plain) : plain;
  const uint32_t frames = last - first + 1;
  // The whole range goes, however long: the memory for its image is had first, and the sizes
  // of the image's header must hold it.
  const uint64_t clipBytes = uint64_t(frames) * clipFormat.BlockAlign();
  std::vector<uint8_t> image;
  if (!AllocateImage(image, clipBytes)) {
    ShowMessage(msg::kCopyOutOfMemory);
    return 0;
  }

  ProgressScope progress(wave, frames, mode, caption::kCopying);
  if (!progress.Ok()) return 0;

  WriteCanonicalHeader(image.data(), clipFormat, uint32_t(clipBytes));
  const uint8_t* source = wave.Data() + wave.FramesToBytes(first) + (single ? ChannelOffset(wave, mode) : 0);
  if (!TransferSamples(wave, single ? mode : ChannelMode::Both, wave.FramesToBytes(frames), TransferKind::CopyForward,
                       source, image.data() + kCanonicalHeaderSize))
    return 0;

  // The clipboard keeps what it held until the new image replaces it.
  ClipboardPort& clipboard = *CurrentPorts().clipboard;
  if (!clipboard.OpenClipboard()) {
    ShowMessage(msg::kCopyOutOfMemory);
    return 0;
  }
  const bool written = clipboard.WriteWave(std::move(image));
  clipboard.CloseClipboard();
  if (!written) {
    ShowMessage(msg::kCopyOutOfMemory);
    return 0;
  }
  return frames;
}

int64_t CutToClipboard(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  if (!CheckRange(wave, first, last, true)) return -1;
  ProgressScope progress(wave, 2 * uint64_t(LimitLast(wave, last) - first + 1), mode, caption::kCutting);
  if (!progress.Ok()) return -1;
  const uint32_t copied = CopyToClipboard(wave, first, last, mode);
  if (copied == 0) return -1;
  // Remove exactly what went onto the clipboard.
  return RemoveFrames(wave, first, copied, mode);
}

bool LoadClipboardImage(DocWaveAudio& wave, bool forPreview) {
  ClipboardPort& clipboard = *CurrentPorts().clipboard;
  if (!clipboard.OpenClipboard()) {
    ShowMessage(forPreview ? msg::kPreviewError : msg::kClipboardAccess);
    return false;
  }
  if (!clipboard.HasWave()) {
    clipboard.CloseClipboard();
    ShowMessage(msg::kNothingSelected);
    return false;
  }
  wave.ClipboardBlock() = clipboard.ReadWave();
  clipboard.CloseClipboard();
  const std::vector<uint8_t>& block = wave.ClipboardBlock();
  if (CheckClipboardImage(block.data(), block.size(), nullptr) != 0) {
    wave.ReleaseClipboardBlock();
    ShowMessage(msg::kClipboardInvalid);
    return false;
  }
  return true;
}

bool AcquireClipSamples(DocWaveAudio& wave, ChannelMode mode, bool forPreview, ClipSamples& out) {
  out = {};
  if (!LoadClipboardImage(wave, forPreview)) return false;
  uint32_t size = 0;
  const uint8_t* data = nullptr;
  const int result = ConvertClip(wave, mode, forPreview ? ClipPurpose::Preview : ClipPurpose::Paste, size, &data);
  if (result != 0) {
    ReleaseClipSamples(wave);
    ShowMessage(result);
    return false;
  }
  out.data = data;
  out.bytes = size;
  return true;
}

void ReleaseClipSamples(DocWaveAudio& wave) {
  wave.ReleaseClipboardBlock();
  wave.WorkImage().Free();
}

bool FillFromClipboard(DocWaveAudio& wave) {
  if (!LoadClipboardImage(wave, false)) return false;
  ClipSamplesHold hold(wave);
  ClipImageInfo info;
  CheckClipboardImage(wave.ClipboardBlock().data(), wave.ClipboardBlock().size(), &info);
  const WaveFormat previous = wave.Format();
  wave.Format() = info.format;
  wave.RefreshPcmCopy();
  const uint32_t bytes = info.dataBytes - info.dataBytes % info.format.BlockAlign();
  if (bytes == 0) {
    ShowMessage(msg::kNothingSelected);
    return false;
  }
  uint8_t* data = wave.HasData() ? wave.ResizeData(bytes) : wave.AllocateData(bytes);
  if (!data) {
    wave.Format() = previous;
    wave.RefreshPcmCopy();
    wave.SetDataSize(wave.DataSize());
    ShowMessage(msg::kNotEnoughMemory);
    return false;
  }
  std::memcpy(data, wave.ClipboardBlock().data() + kCanonicalHeaderSize, bytes);
  return true;
}

ClipOverlay::ClipOverlay(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, bool exactly,
                         bool needsData, const char* caption)
    : hold_(wave), progress_(wave) {
  if (!CheckRange(wave, first, last, needsData)) return;
  last = LimitLast(wave, last);
  if (!AcquireClipSamples(wave, mode, false, clip_)) return;
  const uint32_t frames = FramesOverFrom(wave, clip_.bytes, first, last, mode, exactly);
  if (frames == 0 || !progress_.Open(frames, mode, caption)) return;
  frames_ = frames;
}

}  // namespace tarkel
