#include "audio/FakeDevices.h"

namespace tarkel::audio {

namespace {
DeviceResult OpenResult(FakeDeviceSystem& system, bool queryOnly) {
  if (system.vanished) return DeviceResult::NoDevice;
  if (system.script.refuseFormat) return DeviceResult::BadFormat;
  ++(queryOnly ? system.queries : system.opens);
  return DeviceResult::Ok;
}

DeviceResult PrepareResult(FakeDeviceSystem& system, WaveBlock& b) {
  if (system.prepares++ == system.script.failPrepareAt) return DeviceResult::Failed;
  return PrepareBlock(b);
}
}  // namespace

// --- Output -------------------------------------------------------------------------------------

FakeOutput::~FakeOutput() {
  if (system_.output == this) system_.output = nullptr;
}

DeviceResult FakeOutput::Open(const WaveFormat& format, bool queryOnly) {
  const DeviceResult r = OpenResult(system_, queryOnly);
  if (r != DeviceResult::Ok || queryOnly) return r;
  open_ = true;
  frameBytes_ = format.BlockAlign() ? format.BlockAlign() : 1;
  player_.SetFormat(format.BitsPerSample(), format.Channels());
  player_.SetVolume(system_.OutputVolume(number_));
  return DeviceResult::Ok;
}

DeviceResult FakeOutput::Prepare(WaveBlock& b) { return PrepareResult(system_, b); }

DeviceResult FakeOutput::Write(WaveBlock& b) {
  if (!open_ || !b.IsPrepared()) return DeviceResult::Failed;
  ++system_.writes;
  player_.Queue(b);
  return DeviceResult::Ok;
}

DeviceResult FakeOutput::Pause() {
  paused_ = true;
  return DeviceResult::Ok;
}

DeviceResult FakeOutput::Restart() {
  paused_ = false;
  return DeviceResult::Ok;
}

DeviceResult FakeOutput::Reset() {
  if (system_.script.failReset) return DeviceResult::Failed;
  player_.Reset();
  return DeviceResult::Ok;
}

DeviceResult FakeOutput::Close() {
  player_.Reset();
  open_ = false;
  return DeviceResult::Ok;
}

bool FakeOutput::HasFailed() { return system_.vanished; }

void FakeOutput::Advance(uint32_t frames) {
  if (!open_ || paused_ || system_.vanished) return;
  std::vector<uint8_t> buffer(size_t(frames) * frameBytes_);
  const size_t fromBlocks = player_.Render(buffer.data(), buffer.size());
  system_.played.insert(system_.played.end(), buffer.begin(), buffer.end());
  system_.playedFromBlocks.insert(system_.playedFromBlocks.end(), buffer.begin(), buffer.begin() + std::ptrdiff_t(fromBlocks));
}

// --- Input --------------------------------------------------------------------------------------

FakeInput::~FakeInput() {
  if (system_.input == this) system_.input = nullptr;
}

DeviceResult FakeInput::Open(const WaveFormat& format, bool queryOnly) {
  const DeviceResult r = OpenResult(system_, queryOnly);
  if (r != DeviceResult::Ok || queryOnly) return r;
  open_ = true;
  filler_.SetFrameBytes(format.BlockAlign());
  return DeviceResult::Ok;
}

DeviceResult FakeInput::Prepare(WaveBlock& b) { return PrepareResult(system_, b); }

DeviceResult FakeInput::AddBuffer(WaveBlock& b) {
  if (!open_ || !b.IsPrepared()) return DeviceResult::Failed;
  filler_.Queue(b);
  return DeviceResult::Ok;
}

DeviceResult FakeInput::Start() {
  started_ = true;
  return DeviceResult::Ok;
}

DeviceResult FakeInput::Stop() {
  started_ = false;
  return DeviceResult::Ok;
}

DeviceResult FakeInput::Reset() {
  started_ = false;
  filler_.Reset();
  return DeviceResult::Ok;
}

DeviceResult FakeInput::Close() {
  filler_.Reset();
  open_ = false;
  return DeviceResult::Ok;
}

bool FakeInput::HasFailed() { return system_.vanished; }

size_t FakeInput::Deliver(const std::vector<uint8_t>& bytes) {
  if (!open_ || !started_ || system_.vanished) return 0;
  return filler_.Fill(bytes.data(), bytes.size());
}

// --- System -------------------------------------------------------------------------------------

DeviceCaps FakeDeviceSystem::OutputCaps(DeviceNumber n) {
  return {n >= script.outputs ? "Default device" : "Fake output " + std::to_string(n),
          n < script.outputFormats.size() ? script.outputFormats[n] : script.formats,
          feature::kVolume | feature::kLeftRightVolume};
}

DeviceCaps FakeDeviceSystem::InputCaps(DeviceNumber n) {
  return {n >= script.inputs ? "Default device" : "Fake input " + std::to_string(n), script.formats, 0};
}

std::unique_ptr<OutputDevice> FakeDeviceSystem::MakeOutput(DeviceNumber n) {
  if (vanished) return nullptr;
  auto device = std::make_unique<FakeOutput>(*this, n > script.outputs ? script.outputs : n);
  output = device.get();
  return device;
}

std::unique_ptr<InputDevice> FakeDeviceSystem::MakeInput(DeviceNumber n) {
  if (vanished) return nullptr;
  auto device = std::make_unique<FakeInput>(*this, n > script.inputs ? script.inputs : n);
  input = device.get();
  return device;
}

uint32_t FakeDeviceSystem::OutputVolume(DeviceNumber n) {
  return n < volumes.size() ? volumes[n] : 0xFFFFFFFFu;
}

void FakeDeviceSystem::SetOutputVolume(DeviceNumber n, uint32_t volume) {
  if (volumes.size() <= n) volumes.resize(n + 1, 0xFFFFFFFFu);
  volumes[n] = volume;
}

}  // namespace tarkel::audio
