#include "editing/ConvertClip.h"

#include <cstring>

#include "sound/AppContext.h"
#include "sound/CopyAllowance.h"
#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/WaveImage.h"
#include "editing/Clipboard.h"
#include "editing/FormatConverter.h"
#include "editing/HeldConversion.h"

namespace tarkel {

int ConvertClip(DocWaveAudio& wave, ChannelMode mode, ClipPurpose purpose, uint32_t& sizeOut,
                const uint8_t** dataOut) {
  const std::vector<uint8_t>& block = wave.ClipboardBlock();
  ClipImageInfo info;
  if (CheckClipboardImage(block.data(), block.size(), &info) != 0) return msg::kClipboardInvalid;
  const uint8_t* clipData = block.data() + kCanonicalHeaderSize;

  const WaveFormat target = IsSingleChannel(mode) ? SingleChannelOf(wave.Format()) : wave.Format();
  const bool autoConvert = !App().autoConvertDisabled;
  if (!autoConvert && purpose != ClipPurpose::Preview) {
    sizeOut = info.dataBytes;
    if (dataOut) *dataOut = clipData;
    return 0;
  }
  // With automatic conversion off a preview copies the data as if it had the target format.
  const WaveFormat source = autoConvert ? info.format : target;
  if (purpose != ClipPurpose::Preview && source.SamePcmFields(target)) {
    sizeOut = info.dataBytes;
    if (dataOut) *dataOut = clipData;
    return 0;
  }

  // A clipboard in a format the editor holds but does not edit is decoded first.
  WaveFormat from = source;
  const uint8_t* fromData = clipData;
  uint32_t fromBytes = info.dataBytes;
  std::vector<uint8_t> decoded;
  if (NeedsDecoding(source)) {
    if (const int error = DecodeHeldData(source, clipData, info.dataBytes, std::nullopt, decoded, from)) return error;
    fromData = decoded.data();
    fromBytes = uint32_t(decoded.size());
  }
  FormatConverter converter;
  if (converter.Open(from, target) != 0) return msg::kAcmOpen;
  // The whole clipboard is converted. Whatever its header claims (an extreme rate ratio makes a
  // small clipboard huge), the result must fit the 32-bit sizes of a wave image and the memory
  // that can be had for it.
  const uint64_t size = converter.DestinationSize(fromBytes);
  if (size > UINT32_MAX - kWaveImageOverhead) return msg::kAcmSize;
  sizeOut = uint32_t(size);
  if (purpose == ClipPurpose::SizeOnly) return 0;

  WaveImage& work = wave.WorkImage();
  if (!CopyAllowed(size + kWaveImageOverhead) || !work.Allocate(sizeOut)) return msg::kTempMemory;
  work.WriteHeader(target);
  if (!converter.Convert(fromData, fromBytes, work.Data())) {
    work.Free();
    return msg::kAcmConvert;
  }
  if (dataOut) *dataOut = work.Data();
  return 0;
}

}  // namespace tarkel
