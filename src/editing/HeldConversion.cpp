#include "editing/HeldConversion.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "editing/ForeignDecoder.h"
#include "editing/FormatConverter.h"
#include "fileformats/HeldFormat.h"

namespace tarkel {
namespace {

std::unique_ptr<uint8_t[]> Uninitialised(uint64_t bytes) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size_t(std::max<uint64_t>(bytes, 1))]);
}

HeldConversionResult Fail(int message) {
  ShowMessage(message);
  return HeldConversionResult::kFailed;
}

}  // namespace

bool NeedsDecoding(const WaveFormat& format) {
  FormatConverter probe;
  return probe.Open(format, format) != 0;
}

int DecodeHeldData(const WaveFormat& source, const uint8_t* data, uint32_t bytes, std::optional<uint32_t> factSamples,
                   std::vector<uint8_t>& decoded, WaveFormat& decodedFormat) {
  ForeignDecoder decoder;
  if (!decoder.Open(source, data, bytes, factSamples)) return msg::kAcmOpen;
  decodedFormat = decoder.DecodedFormat();
  const uint64_t decodedBytes = decoder.Frames() * decodedFormat.BlockAlign();
  if (decodedBytes > UINT32_MAX) return msg::kAcmSize;
  try {
    decoded.resize(size_t(decodedBytes));
  } catch (const std::bad_alloc&) {
    return msg::kTempMemory;
  }
  decoded.resize(size_t(decoder.Read(decoded.data(), decoder.Frames()) * decodedFormat.BlockAlign()));
  return 0;
}

HeldConversionResult ConvertHeldSamples(DocWaveAudio& wave, const WaveFormat& source) {
  // Blocked formats count their samples in the "fact" chunk; libsndfile reads it from there.
  const std::optional<uint32_t> fact = IsBlockedFormat(source) ? wave.Chunks().factSamples : std::nullopt;
  ForeignDecoder decoder;
  if (!decoder.Open(source, wave.Data(), wave.DataSize(), fact)) return Fail(msg::kAcmOpen);
  FormatConverter converter;
  if (converter.Open(decoder.DecodedFormat(), wave.Format()) != 0) return Fail(msg::kAcmOpen);

  const uint32_t decodedAlign = decoder.DecodedFormat().BlockAlign();
  const uint64_t decodedBytes = decoder.Frames() * decodedAlign;
  if (decodedBytes > UINT32_MAX || converter.DestinationSize(uint32_t(decodedBytes)) > UINT32_MAX)
    return Fail(msg::kAcmSize);
  if (converter.DestinationSize(uint32_t(decodedBytes)) < wave.DataSize() && !AskMessage(msg::kQualityLoss))
    return HeldConversionResult::kDeclined;

  // Decoded pieces go straight into the channel and rate steps: no copy of the whole sound.
  std::vector<uint8_t> piece;
  uint64_t decodedFrames = 0;
  const FormatConverter::SourcePieces fromDecoder = [&](uint64_t maxFrames, uint64_t& frames) {
    piece.resize(size_t(maxFrames) * decodedAlign);
    frames = decoder.Read(piece.data(), maxFrames);
    decodedFrames += frames;
    return piece.data();
  };
  const std::unique_ptr<uint8_t[]> converted = Uninitialised(converter.DestinationSize(uint32_t(decodedBytes)));
  if (!converted) return Fail(msg::kTempMemory);
  if (!converter.ConvertPieces(fromDecoder, decoder.Frames(), converted.get())) return Fail(msg::kAcmConvert);
  // A decoder that gave fewer frames than it expected: what they convert to is the sound.
  const uint64_t size = converter.DestinationSize(uint32_t(decodedFrames * decodedAlign));
  if (!wave.ResizeData(uint32_t(size))) return Fail(msg::kReallocOutOfMemory);
  if (size) std::memcpy(wave.Data(), converted.get(), size_t(size));
  wave.Chunks().factSamples.reset();  // the "fact" count belonged to the old format
  return HeldConversionResult::kDone;
}

}  // namespace tarkel
