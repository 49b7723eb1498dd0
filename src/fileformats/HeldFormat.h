#pragma once
// Formats the editor holds without editing them. Some of them (ADPCM, GSM, MPEG) pack many
// samples into each block, so a block is not a frame: their data is saved whole and their
// length in samples comes from the file's "fact" chunk.
#include <cstdint>

#include "sound/WaveFormat.h"

namespace tarkel {

class WaveAudio;

inline constexpr uint16_t kFormatTagExtensible = 0xFFFE;
inline constexpr uint32_t kExtensibleExtraSize = 22;

// True when the format's block alignment is not one frame of whole-byte samples.
bool IsBlockedFormat(const WaveFormat& format);
// The sound's length in sample frames: the "fact" count for a blocked format that had one,
// else the frame count.
uint32_t SampleFramesOf(const WaveAudio& wave);
// The "fact" count of a file holding only blocks `first` up to, not including, `end` of a
// blocked format: the samples those blocks hold where the format block says how many one
// holds (IMA and MS ADPCM, GSM 6.10), else the number of blocks.
uint32_t FactForBlocks(const WaveAudio& wave, uint32_t first, uint32_t end);
// The format with the tag of its sub-format where it is WAVE_FORMAT_EXTENSIBLE (PCM, float,
// A-law, mu-law) and without its extra bytes: what a 16-byte format record (a clipboard image)
// can say of it. Other formats are returned as they are.
WaveFormat WithoutExtensible(const WaveFormat& format);
// WAVE_FORMAT_EXTENSIBLE with PCM samples in 8 or 16 bits and one or two channels is the plain
// PCM format it describes: `format` becomes that plain format. False (unchanged) otherwise.
bool PlainPcmFromExtensible(WaveFormat& format);

}  // namespace tarkel
