#pragma once
// The clipboard exchange: copy and cut put a canonical wave image on the clipboard; the paste
// side takes the image, checks it strictly and hands its samples, converted to the document's
// format, to the paste-type operations.
#include <cstddef>
#include <cstdint>

#include "sound/ChannelMode.h"
#include "sound/ProgressScope.h"
#include "sound/WaveFormat.h"

namespace tarkel {

class DocWaveAudio;

// What the header of a wave image says, once it has been found sound.
struct ClipImageInfo {
  WaveFormat format;       // the 16 bytes of the "fmt " chunk
  uint32_t dataBytes = 0;  // the "data" size; it fits inside the image
};

// Checks a clipboard image against its real length before any size in it is trusted: at least
// the 44 bytes of the canonical header, "RIFF", "WAVE", "fmt " and "data" at offsets 0, 8, 12
// and 36, a format chunk of 16 bytes with a non-zero block alignment, and a "data" size that
// stays inside the image. Returns 0, or msg::kClipboardInvalid.
int CheckClipboardImage(const uint8_t* image, size_t size, ClipImageInfo* info);

// Puts frames first..last, the whole range, on the clipboard; one channel of a stereo sound goes
// as a mono image. The memory for the image is had before anything else happens (message 1001
// when it cannot be), and the clipboard keeps its old content until the new image replaces it.
// Returns the frames copied, 0 on failure.
uint32_t CopyToClipboard(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);
// Copies, then removes exactly the frames that went onto the clipboard. Returns them, or -1.
int64_t CutToClipboard(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);

// Takes the clipboard's image into the wave's clipboard block and checks it. Shows 1064 (1023
// for a preview) when the clipboard cannot be opened, 1000 when it holds no wave data, 1018
// when the image is not sound. The block is released by ReleaseClipSamples.
bool LoadClipboardImage(DocWaveAudio& wave, bool forPreview);

// Clipboard samples ready for a paste: in the wave's format (for one channel: a mono format of
// its width), or, with automatic conversion off, as they stand.
struct ClipSamples {
  const uint8_t* data = nullptr;
  uint32_t bytes = 0;
};
// Loads, checks and converts; shows the failing step's message and returns false.
bool AcquireClipSamples(DocWaveAudio& wave, ChannelMode mode, bool forPreview, ClipSamples& out);
// Frees the clipboard block and a converted copy.
void ReleaseClipSamples(DocWaveAudio& wave);

// Releases the clipboard samples of a paste when it goes out of scope.
class ClipSamplesHold {
 public:
  explicit ClipSamplesHold(DocWaveAudio& wave) : wave_(wave) {}
  ~ClipSamplesHold() { ReleaseClipSamples(wave_); }
  ClipSamplesHold(const ClipSamplesHold&) = delete;
  ClipSamplesHold& operator=(const ClipSamplesHold&) = delete;

 private:
  DocWaveAudio& wave_;
};

// The clipboard laid over the sound from `first` (paste over, mix): checks the range (`needsData`:
// the sound must hold samples), takes the clipboard's samples converted to the sound's format,
// works out how many frames it covers (to the end of the sound, or of the selection when
// `exactly`) and opens the progress window. Frames() is 0 when any step failed (its message
// shown). The samples and the window are given back when the object goes.
class ClipOverlay {
 public:
  ClipOverlay(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, bool exactly, bool needsData,
              const char* caption);
  ClipOverlay(const ClipOverlay&) = delete;
  ClipOverlay& operator=(const ClipOverlay&) = delete;
  uint32_t Frames() const { return frames_; }
  const uint8_t* Samples() const { return clip_.data; }

 private:
  ClipSamplesHold hold_;
  ClipSamples clip_;
  ProgressScope progress_;
  uint32_t frames_ = 0;
};

// "Paste New": replaces the sound (format and data) by the clipboard's content as it stands.
// False (with the message shown) when the clipboard holds no usable wave data.
bool FillFromClipboard(DocWaveAudio& wave);

}  // namespace tarkel
