#pragma once
// The preview commands play what an edit would produce without changing the samples. Each
// builds the sequence of ranges it would play; the playback engine queues them.
#include <cstdint>
#include <vector>

#include "sound/ChannelMode.h"

namespace tarkel {

class DocWaveAudio;

enum class PreviewSource { Document, Clipboard };

// Frames first up to, not including, end of the document's sound or of the clipboard's data
// (converted to the document's format; the wave's work image holds it while the preview runs).
struct PreviewRange {
  uint32_t first = 0;
  uint32_t end = 0;
  PreviewSource source = PreviewSource::Document;
  bool operator==(const PreviewRange&) const = default;
};

enum class PreviewKind { Cut, Delete, Trim, Paste, PasteOver, PasteOverExactly };

// The ranges of the preview, empty ones left out. `ok` is false (with the message shown) when
// the range is not usable or the clipboard cannot be used (1023 when it cannot be opened).
// The clipboard previews leave the converted clipboard data in the wave's work image.
std::vector<PreviewRange> BuildPreview(DocWaveAudio& wave, PreviewKind kind, uint32_t first, uint32_t last,
                                       ChannelMode mode, bool& ok);

}  // namespace tarkel
