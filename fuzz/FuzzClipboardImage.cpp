// libFuzzer target: the check of clipboard wave images and the paste path behind it. Whatever
// the bytes, the check must not read past them, and an image it accepts must paste (converted
// when needed) into a small sound without reading or writing out of bounds.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sound/AppContext.h"
#include "sound/DocWaveAudio.h"
#include "sound/Ports.h"
#include "editing/Clipboard.h"
#include "editing/EditOperations.h"

namespace {

// A clipboard holding the fuzzer's bytes.
class BytesClipboard final : public tarkel::ClipboardPort {
 public:
  explicit BytesClipboard(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  bool OpenClipboard() override { return true; }
  void CloseClipboard() override {}
  bool HasWave() override { return true; }
  std::vector<uint8_t> ReadWave() override { return bytes_; }
  bool WriteWave(std::vector<uint8_t>) override { return true; }
  void EmptyWave() override {}

 private:
  std::vector<uint8_t> bytes_;
};

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarkel;
  // A copy of exactly `size` bytes, so that the sanitizer sees any read past the image.
  const std::vector<uint8_t> image(data, data + size);
  ClipImageInfo info;
  const bool accepted = CheckClipboardImage(image.data(), image.size(), &info) == 0;
  if (!accepted) return 0;
  Require(info.dataBytes <= size - 44);

  BytesClipboard clipboard(image);
  const Ports previous = SetPorts({nullptr, nullptr, &clipboard, nullptr});
  for (const bool autoConvert : {true, false}) {
    App().autoConvertDisabled = !autoConvert;
    DocWaveAudio wave;
    wave.Format() = WaveFormat::Pcm(2, 22050, 16);
    if (!wave.AllocateData(64)) break;
    const int64_t frames = InsertClip(wave, 4, 4, ChannelMode::Right);
    Require(frames < 0 || wave.DataSize() == 64 + uint64_t(frames) * 4);
  }
  App().autoConvertDisabled = false;
  SetPorts(previous);
  return 0;
}
