#pragma once
// Decoding of the sample formats the editor holds but does not edit (24- and 32-bit PCM,
// floating point, A-law, mu-law, IMA and MS ADPCM, GSM 6.10, MPEG, WAVE_FORMAT_EXTENSIBLE
// layouts of them) into the editor's own PCM, with libsndfile reading the held bytes from
// memory behind a RIFF header made from the format block.
//
// The result has 16 bits (8 when the source is 8-bit PCM) and one or two channels; more
// channels are mixed down to two (even channels left, odd channels right). Sources of 16 bits
// or fewer decode exactly as libsndfile gives them in 16 bits. Wider sources (24/32-bit PCM,
// float) lose bits and are dithered: TPDF dither of one LSB peak to peak (the mean of two
// uniform values) added before truncation, so that every result is one of the two 16-bit
// values around the exact one and digital silence stays silence. The dither sequence is fixed,
// so a conversion always gives the same result.
#include <cstdint>
#include <memory>
#include <optional>

#include "sound/WaveFormat.h"

namespace tarkel {

class ForeignDecoder {
 public:
  ForeignDecoder();
  ~ForeignDecoder();
  ForeignDecoder(const ForeignDecoder&) = delete;
  ForeignDecoder& operator=(const ForeignDecoder&) = delete;

  // Opens `bytes` bytes of sample data in `format` (with the sample count of its "fact" chunk
  // when the file had one). The data must stay in place until the decoder is gone. False when
  // libsndfile cannot decode the format.
  bool Open(const WaveFormat& format, const uint8_t* data, uint32_t bytes, std::optional<uint32_t> factSamples);
  // The format the samples decode into: PCM at the source's rate.
  const WaveFormat& DecodedFormat() const { return decoded_; }
  // The number of frames libsndfile expects to decode.
  uint64_t Frames() const;
  // Decodes up to `frames` further frames into `out` (laid out as DecodedFormat); returns the
  // frames written, 0 at the end.
  uint64_t Read(uint8_t* out, uint64_t frames);

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;
  WaveFormat decoded_;
};

}  // namespace tarkel
