#include "audio/RecordEngine.h"

#include <algorithm>

#include "audio/TransportMessages.h"
#include "sound/DocWaveAudio.h"
#include "sound/Ports.h"

namespace tarkel::audio {

RecordEngine::RecordEngine(DeviceSystem& devices, const AudioSettings& settings, Hooks hooks)
    : devices_(devices), settings_(settings), hooks_(std::move(hooks)) {}

RecordEngine::~RecordEngine() { Release(); }

bool RecordEngine::Record(DocWaveAudio& wave, uint32_t a, uint32_t b) {
  std::unique_ptr<InputDevice> device = devices_.MakeInput(wave.RecordDevice());
  if (!device) return false;
  switch (device->Open(wave.Format(), true)) {
    case DeviceResult::Ok:
    case DeviceResult::Allocated: break;
    case DeviceResult::BadFormat: ShowText(kInputFormatRefused); return false;
    default: return false;
  }
  b = std::min(b, wave.Frames());
  if (a >= b || !wave.HasData()) return false;
  if (settings_.showPrepareRecordingDlg && !(hooks_.confirm && hooks_.confirm(kPrepareRecordingQuestion)))
    return false;
  if (recording_)
    Stop();
  else if (hooks_.stopPlayback)
    hooks_.stopPlayback();

  if (device->Open(wave.Format(), false) != DeviceResult::Ok) return false;
  device_ = std::move(device);
  wave_ = &wave;
  rangeStart_ = a;
  rangeEnd_ = b;
  const uint32_t align = wave.BlockAlign();
  BuildRecordBlocks(wave.Data() + uint64_t(a) * align, (b - a) * align);
  if (!KeepTwoQueued() || device_->Start() != DeviceResult::Ok) {
    Release();
    return false;
  }
  recording_ = true;
  failed_ = false;
  wave.SetRecording(true);
  hooks_.post(wm::kRecordStarted);
  return true;
}

void RecordEngine::BuildRecordBlocks(uint8_t* data, uint32_t bytes) {
  // Whole frames in every block, so that no frame is split between two of them.
  const uint32_t align = std::max<uint32_t>(wave_->BlockAlign(), 1);
  uint32_t size = std::max<uint32_t>(settings_.recordBufferSize, 1);
  size = std::max(size - size % align, align);
  for (uint32_t offset = 0; offset < bytes;) {
    auto blk = std::make_unique<WaveBlock>();
    blk->data = data + offset;
    blk->bytes = std::min(size, bytes - offset);
    offset += blk->bytes;
    blocks_.push_back(std::move(blk));
  }
}

// Hands the first block that is not yet with the device to it.
bool RecordEngine::QueueRecordBlock() {
  auto next = std::find_if(blocks_.begin(), blocks_.end(), [](const auto& blk) { return !blk->IsPrepared(); });
  if (next == blocks_.end()) return false;
  if (device_->Prepare(**next) != DeviceResult::Ok) return false;
  return device_->AddBuffer(**next) == DeviceResult::Ok;
}

bool RecordEngine::KeepTwoQueued() {
  size_t queued = 0;
  for (const auto& blk : blocks_) queued += blk->IsPrepared() && !blk->IsDone();
  bool ok = true;
  while (queued < 2 && ok && std::any_of(blocks_.begin(), blocks_.end(), [](const auto& blk) { return !blk->IsPrepared(); })) {
    ok = QueueRecordBlock();
    ++queued;
  }
  return ok;
}

bool RecordEngine::Poll() {
  if (!recording_ || !device_) return false;
  if (device_->HasFailed()) {
    Stop();
    failed_ = true;
    ShowText(kInputDeviceLost);
    return true;
  }
  while (!blocks_.empty() && blocks_.front()->IsDone()) {
    device_->Unprepare(*blocks_.front());
    blocks_.pop_front();
  }
  if (blocks_.empty()) {
    Stop();
    return true;
  }
  if (!KeepTwoQueued()) {
    Stop();
    return true;
  }
  return false;
}

void RecordEngine::Stop() {
  if (!device_ && !recording_) return;
  const bool was = recording_;
  Release();
  if (was) hooks_.post(wm::kRecordStopped);
}

void RecordEngine::Release() {
  if (device_) {
    device_->Stop();
    device_->Reset();
    for (auto& blk : blocks_)
      if (blk->IsPrepared()) device_->Unprepare(*blk);
    device_->Close();
    device_.reset();
  }
  blocks_.clear();
  if (wave_) wave_->SetRecording(false);
  wave_ = nullptr;
  recording_ = false;
}

uint32_t RecordEngine::CurrentRecordFrame() {
  if (!recording_ || !device_ || rangeEnd_ <= rangeStart_) return 0;
  const uint64_t position = device_->PositionFrames();
  return uint32_t(std::min<uint64_t>(rangeStart_ + position, rangeEnd_ - 1));
}

}  // namespace tarkel::audio
