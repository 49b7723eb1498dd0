#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/WaveAudio.h"
#include "fileformats/ByteStream.h"
#include "fileformats/SoundFile.h"

namespace tarkel {
namespace {

constexpr uint32_t kRawRate = 22050;
constexpr uint16_t kRawBits = 8;

}  // namespace

bool ReadRaw(WaveAudio& wave, ByteSource& in) {
  wave.Format() = WaveFormat::Pcm(1, kRawRate, kRawBits);
  const uint64_t size = in.Size();
  // The sample memory counts its bytes in 32 bits: a longer file cannot be held.
  uint8_t* data = size <= UINT32_MAX ? wave.AllocateDataForReading(uint32_t(size)) : nullptr;
  if (!data) {
    ShowMessage(msg::kNotEnoughMemory);
    return false;
  }
  if (!in.Seek(0) || in.Read(data, size_t(size)) != size) {
    wave.ReleaseData();
    ShowMessage(msg::kOpenFileError);
    return false;
  }
  return true;
}

}  // namespace tarkel
