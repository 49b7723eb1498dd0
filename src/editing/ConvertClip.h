#pragma once
// Conversion of the clipboard's samples to a document's format.
#include <cstdint>

#include "sound/ChannelMode.h"

namespace tarkel {

class DocWaveAudio;

enum class ClipPurpose : int {
  Paste = 0,    // the clipboard data itself when it has the target format, else a converted copy
  SizeOnly = 1, // only the size in bytes that the data will have
  Preview = 2,  // always a converted copy (the paste previews)
};

// Works on the image in wave.ClipboardBlock(), which has passed CheckClipboardImage. Target
// format: the wave's, made mono for one channel. `sizeOut` receives the size of the data to
// use; `dataOut` (purposes 0 and 2) its start: inside the clipboard block, or inside the wave's
// work image that holds the converted copy (freed by ReleaseClipSamples). With automatic
// conversion switched off the data is used as it stands (a preview still copies it). The whole
// clipboard is converted; data that would not fit a wave image's 32-bit sizes is refused (1012),
// and so is a converted copy whose memory cannot be had (1010).
// Returns 0 or the number of the message to show.
int ConvertClip(DocWaveAudio& wave, ChannelMode mode, ClipPurpose purpose, uint32_t& sizeOut,
                const uint8_t** dataOut);

}  // namespace tarkel
