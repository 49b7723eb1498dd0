#include "editing/EditPreview.h"

#include <algorithm>

#include "sound/DocWaveAudio.h"
#include "sound/WaveImage.h"
#include "editing/Clipboard.h"
#include "editing/EditSupport.h"

namespace tarkel {
namespace {

// A paste preview starts the inserted data no earlier than frame 2.
constexpr uint32_t kPastePreviewFirstFrame = 2;

void Add(std::vector<PreviewRange>& ranges, uint32_t first, uint32_t end, PreviewSource source) {
  if (end > first) ranges.push_back({first, end, source});
}

// Frames of clipboard data ready for a preview, kept in the work image for the playback.
bool ClipboardFrames(DocWaveAudio& wave, ChannelMode mode, uint32_t& frames) {
  ClipSamples clip;
  if (!AcquireClipSamples(wave, mode, true, clip)) return false;
  // The preview plays the converted copy in the work image; the clipboard block is not needed.
  wave.ReleaseClipboardBlock();
  frames = ClipFramesOf(wave, clip.bytes, mode);
  return true;
}

}  // namespace

std::vector<PreviewRange> BuildPreview(DocWaveAudio& wave, PreviewKind kind, uint32_t first, uint32_t last,
                                       ChannelMode mode, bool& ok) {
  std::vector<PreviewRange> ranges;
  ok = CheckRange(wave, first, last, false);
  if (!ok) return ranges;
  last = LimitLast(wave, last);
  const uint32_t total = wave.Frames();
  uint32_t clipFrames = 0;
  switch (kind) {
    case PreviewKind::Cut:
    case PreviewKind::Delete:
      Add(ranges, 0, first, PreviewSource::Document);
      Add(ranges, last + 1, total, PreviewSource::Document);
      break;
    case PreviewKind::Trim:
      Add(ranges, first, last + 1, PreviewSource::Document);
      break;
    case PreviewKind::Paste: {
      ok = ClipboardFrames(wave, mode, clipFrames);
      if (!ok) return ranges;
      const uint32_t a = std::min(std::max(first, kPastePreviewFirstFrame), total);
      Add(ranges, 0, a, PreviewSource::Document);
      Add(ranges, 0, clipFrames, PreviewSource::Clipboard);
      Add(ranges, a, total, PreviewSource::Document);
      break;
    }
    case PreviewKind::PasteOver: {
      ok = ClipboardFrames(wave, mode, clipFrames);
      if (!ok) return ranges;
      const uint32_t n = std::min(clipFrames, total - first);
      Add(ranges, 0, first, PreviewSource::Document);
      Add(ranges, 0, n, PreviewSource::Clipboard);
      Add(ranges, first + n, total, PreviewSource::Document);
      break;
    }
    case PreviewKind::PasteOverExactly: {
      ok = ClipboardFrames(wave, mode, clipFrames);
      if (!ok) return ranges;
      const uint32_t n = std::min(clipFrames, last - first + 1);
      Add(ranges, 0, first, PreviewSource::Document);
      Add(ranges, 0, n, PreviewSource::Clipboard);
      Add(ranges, last + 1, total, PreviewSource::Document);
      break;
    }
  }
  return ranges;
}

}  // namespace tarkel
