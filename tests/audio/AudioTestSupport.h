#pragma once
// A transport over scripted devices, documents holding staircases, and a listener that keeps
// the transport messages in order.
#include <memory>
#include <vector>

#include "audio/AudioTransport.h"
#include "audio/FakeDevices.h"
#include "document/CTarkelDoc.h"
#include "sound/WaveImage.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel::test {

struct MessageLog final : audio::TransportListener {
  void OnTransportMessage(int message) override { messages.push_back(message); }
  void OnTransportPosition(CTarkelDoc&, uint32_t frame) override { positions.push_back(frame); }
  std::vector<int> messages;
  std::vector<uint32_t> positions;
};

// A 16-bit stereo document of `frames` frames: sample i holds i + 1 (never silence).
inline std::unique_ptr<CTarkelDoc> StereoDoc(uint32_t frames, uint32_t rate = 44100) {
  auto doc = std::make_unique<CTarkelDoc>();
  std::vector<uint8_t> bytes = Staircase16(frames * 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const uint16_t v = uint16_t(bytes[i] | (bytes[i + 1] << 8)) + 1;
    bytes[i] = uint8_t(v & 0xFF);
    bytes[i + 1] = uint8_t(v >> 8);
  }
  Fill(doc->Sound(), 2, rate, 16, bytes);
  return doc;
}

// The bytes of frames first up to, not including, end.
inline std::vector<uint8_t> FrameBytes(const CTarkelDoc& doc, uint32_t first, uint32_t end) {
  const uint32_t align = doc.Sound().BlockAlign();
  const uint8_t* data = doc.Sound().Data();
  return std::vector<uint8_t>(data + first * align, data + end * align);
}

// A canonical wave image (the clipboard's shape) of `data` in `format`.
inline std::vector<uint8_t> WaveImageOf(const WaveFormat& format, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> image(kCanonicalHeaderSize);
  WriteCanonicalHeader(image.data(), format, uint32_t(data.size()));
  image.insert(image.end(), data.begin(), data.end());
  return image;
}

inline std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace tarkel::test
