#pragma once
// "Convert Format and Data" for a sound in a format the editor holds but does not edit: its
// samples are decoded (ForeignDecoder) and then taken to the chosen format by the format
// converter's channel and rate steps.
#include <cstdint>
#include <optional>
#include <vector>

#include "sound/WaveFormat.h"

namespace tarkel {

class DocWaveAudio;

enum class HeldConversionResult { kDone, kDeclined, kFailed };

// True when the format converter cannot take `format` as it stands and the decoder must.
bool NeedsDecoding(const WaveFormat& format);
// Decodes `bytes` bytes of data in the held format `source` into `decoded`, whose format goes
// to `decodedFormat` (ForeignDecoder). 0, or the number of the message to show.
int DecodeHeldData(const WaveFormat& source, const uint8_t* data, uint32_t bytes, std::optional<uint32_t> factSamples,
                   std::vector<uint8_t>& decoded, WaveFormat& decodedFormat);
// Converts the samples of `wave`, which are in `source`, into the format now in its record.
// Asks the quality-loss question (1020) when the data shrinks; shows its own message on
// failure. Unless kDone, the sample data is unchanged (the caller restores the format).
HeldConversionResult ConvertHeldSamples(DocWaveAudio& wave, const WaveFormat& source);

}  // namespace tarkel
