#include "EditTestSupport.h"

#include <cstring>

#include "sound/WaveImage.h"

namespace tarkel::test {

std::vector<Layout> AllLayouts() {
  return {
      {1, 8, ChannelMode::Mono, "Mono8"},      {1, 16, ChannelMode::Mono, "Mono16"},
      {2, 8, ChannelMode::Both, "Both8"},      {2, 16, ChannelMode::Both, "Both16"},
      {2, 8, ChannelMode::Left, "Left8"},      {2, 16, ChannelMode::Left, "Left16"},
      {2, 8, ChannelMode::Right, "Right8"},    {2, 16, ChannelMode::Right, "Right16"},
  };
}

void MakeStaircase(DocWaveAudio& wave, const Layout& layout, uint32_t frames, int base) {
  Channels ch(layout.channels, std::vector<int>(frames));
  for (uint32_t f = 0; f < frames; ++f)
    for (int c = 0; c < layout.channels; ++c) {
      const int i = int(f) * layout.channels + c + base;
      ch[c][f] = layout.bits == 8 ? i % 256 : i + 1000 * c;
    }
  SetChannels(wave, layout.channels, layout.bits, ch);
}

Channels FallingStaircase(const Layout& layout, uint32_t frames) {
  const int channels = IsSingleChannel(layout.mode) ? 1 : layout.channels;
  Channels ch(channels, std::vector<int>(frames));
  for (uint32_t f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c) {
      const int i = int(f) * channels + c;
      ch[c][f] = layout.bits == 8 ? 250 - i % 200 : -3000 - i - 500 * c;
    }
  return ch;
}

Channels ChannelsOf(const WaveAudio& wave) {
  const int channels = wave.Channels();
  const uint32_t width = wave.BitsPerSample() / 8;
  const uint32_t frames = wave.DataSize() / (channels * width);
  Channels ch(channels, std::vector<int>(frames));
  for (uint32_t f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c) {
      const uint8_t* p = wave.Data() + (f * channels + c) * width;
      ch[c][f] = width == 1 ? int(*p) : int(int16_t(p[0] | (p[1] << 8)));
    }
  return ch;
}

std::vector<uint8_t> BytesOf(const Channels& ch, uint16_t bits) {
  const size_t channels = ch.size();
  const size_t frames = channels ? ch[0].size() : 0;
  const size_t width = bits / 8;
  std::vector<uint8_t> bytes(frames * channels * width);
  for (size_t f = 0; f < frames; ++f)
    for (size_t c = 0; c < channels; ++c) {
      uint8_t* p = bytes.data() + (f * channels + c) * width;
      if (width == 1) {
        *p = uint8_t(ch[c][f]);
      } else {
        p[0] = uint8_t(ch[c][f]);
        p[1] = uint8_t(ch[c][f] >> 8);
      }
    }
  return bytes;
}

void SetChannels(DocWaveAudio& wave, uint16_t channels, uint16_t bits, const Channels& values) {
  wave.Format() = WaveFormat::Pcm(channels, 22050, bits);
  wave.RefreshPcmCopy();
  const std::vector<uint8_t> bytes = BytesOf(values, bits);
  uint8_t* data = wave.HasData() ? wave.ResizeData(uint32_t(bytes.size())) : wave.AllocateData(uint32_t(bytes.size()));
  if (data && !bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
}

std::vector<int> TouchedChannels(const Layout& layout) {
  switch (layout.mode) {
    case ChannelMode::Left: return {0};
    case ChannelMode::Right: return {1};
    case ChannelMode::Both: return {0, 1};
    case ChannelMode::Mono: return {0};
  }
  return {};
}

std::vector<uint8_t> WaveImageOf(uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> image(kCanonicalHeaderSize + data.size());
  WriteCanonicalHeader(image.data(), WaveFormat::Pcm(channels, rate, bits), uint32_t(data.size()));
  if (!data.empty()) std::memcpy(image.data() + kCanonicalHeaderSize, data.data(), data.size());
  return image;
}

}  // namespace tarkel::test
