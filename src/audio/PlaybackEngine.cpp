#include "audio/PlaybackEngine.h"

#include <algorithm>

#include "audio/TransportMessages.h"
#include "sound/DocWaveAudio.h"
#include "sound/Ports.h"

namespace tarkel::audio {

PlaybackEngine::PlaybackEngine(DeviceSystem& devices, const AudioSettings& settings, std::function<void(int)> post)
    : devices_(devices), settings_(settings), post_(std::move(post)) {}

PlaybackEngine::~PlaybackEngine() { CloseAndForget(); }

bool PlaybackEngine::OpenForQuery(DocWaveAudio& wave) {
  device_ = devices_.MakeOutput(wave.PlayDevice());
  if (!device_) return false;
  switch (device_->Open(wave.Format(), true)) {
    case DeviceResult::Ok:
    case DeviceResult::Allocated: format_ = wave.Format(); return true;
    case DeviceResult::BadFormat:
      device_.reset();
      ShowText(kOutputFormatRefused);
      return false;
    default: device_.reset(); return false;
  }
}

bool PlaybackEngine::Play(DocWaveAudio& wave, uint32_t start, uint32_t end) {
  if (busy_ && !HoldsOnly(wave)) Stop();
  return QueueRange(wave, start, end);
}

bool PlaybackEngine::PlayAfter(DocWaveAudio& wave, uint32_t start, uint32_t end) {
  if (!TakesFormat(wave)) return false;
  return QueueRange(wave, start, end);
}

bool PlaybackEngine::TakesFormat(const DocWaveAudio& wave) const {
  return !busy_ || format_.SamePcmFields(wave.Format());
}

bool PlaybackEngine::Holds(const DocWaveAudio& wave) const {
  return std::any_of(requests_.begin(), requests_.end(), [&](const Request& r) { return r.wave == &wave; });
}

bool PlaybackEngine::HoldsOnly(const DocWaveAudio& wave) const {
  return std::all_of(requests_.begin(), requests_.end(), [&](const Request& r) { return r.wave == &wave; });
}

bool PlaybackEngine::QueueRange(DocWaveAudio& wave, uint32_t start, uint32_t end) {
  if (!busy_ && !OpenForQuery(wave)) return false;
  if (!device_) return false;
  const uint32_t length = wave.Frames();
  if (start >= end) {
    start = 0;
    end = length;
  }
  // Every frame up to the end of the sound can be played, the last one included.
  end = std::min(end, length);
  if (start >= end || !wave.HasData()) return false;
  Request request;
  request.start = start;
  request.frames = end - start;
  request.loops = std::max<uint32_t>(wave.RepeatCount(), 1);
  const uint32_t align = wave.BlockAlign();
  return Queue(wave, request, wave.Data() + uint64_t(start) * align, request.frames * align);
}

bool PlaybackEngine::PlayExternal(DocWaveAudio& wave, const uint8_t* data, uint32_t bytes) {
  if (busy_ && !HoldsOnly(wave)) Stop();
  if (!busy_ && !OpenForQuery(wave)) return false;
  if (!device_) return false;
  const uint32_t align = wave.BlockAlign();
  bytes -= align ? bytes % align : bytes;
  if (!data || bytes == 0) return false;
  Request request;
  request.external = true;
  // The marker stays where the block belongs: behind the document range played before it.
  request.start = requests_.empty() ? 0 : lastDocumentEnd_;
  request.frames = bytes / align;
  request.loops = std::max<uint32_t>(wave.RepeatCount(), 1);
  return Queue(wave, request, data, bytes);
}

bool PlaybackEngine::Queue(DocWaveAudio& wave, Request request, const uint8_t* data, uint32_t bytes) {
  if (!busy_) {
    playedBefore_ = 0;
    paused_ = false;
    failed_ = false;
  }
  const bool started = busy_;
  request.id = nextRequestId_++;
  request.wave = &wave;
  if (!request.external) lastDocumentEnd_ = request.start + request.frames;
  BuildPlayBlocks(data, bytes, request.id, request.loops);
  requests_.push_back(request);
  if (!WritePlayBlocks()) {
    // The device gave up: what played before has ended too.
    if (started) post_(wm::kPlayStopped);
    return false;
  }
  if (!started) post_(wm::kPlayStarted);
  return true;
}

void PlaybackEngine::BuildPlayBlocks(const uint8_t* data, uint32_t bytes, int32_t user, uint32_t loops) {
  const uint32_t size = std::max<uint32_t>(settings_.playBufferSize, 1);
  uint32_t offset = 0;
  bool first = true;
  while (offset < bytes) {
    auto b = std::make_unique<WaveBlock>();
    const bool last = uint64_t(offset) + size >= bytes;
    b->data = const_cast<uint8_t*>(data) + offset;
    b->bytes = last ? bytes - offset : size;
    b->user = user;
    b->loops = first ? loops : 1;
    b->flags = first ? block::kBeginLoop : 0;
    if (last) b->flags |= block::kEndLoop;
    if (loops == 1) b->flags |= block::kBeginLoop | block::kEndLoop;
    offset += b->bytes;
    first = false;
    blocks_.push_back(std::move(b));
  }
}

// Hands every request that is not yet in the device to it, each with all its blocks (a request
// longer than one block plays without a gap, and so does the next request behind it).
bool PlaybackEngine::WritePlayBlocks() {
  if (!device_ || requests_.empty() || blocks_.empty()) return false;
  if (!device_->IsOpen() && device_->Open(format_, false) != DeviceResult::Ok) {
    CloseAndForget();
    return false;
  }
  uint64_t base = playedBefore_;
  for (Request& request : requests_) {
    if (!request.written) {
      request.positionBase = base;
      request.written = true;
      request.wave->SetPlaying(true);
      for (auto& b : blocks_) {
        if (b->user != request.id) continue;
        if (device_->Prepare(*b) != DeviceResult::Ok || device_->Write(*b) != DeviceResult::Ok) {
          CloseAndForget();
          return false;
        }
      }
    }
    base += uint64_t(request.frames) * request.loops;
  }
  if (startHolds_ == 0 && device_->Commit() != DeviceResult::Ok) {
    CloseAndForget();
    return false;
  }
  busy_ = true;
  return true;
}

bool PlaybackEngine::ReleaseStart() {
  if (startHolds_ > 0) --startHolds_;
  if (startHolds_ > 0 || !busy_ || !device_) return true;
  if (device_->Commit() == DeviceResult::Ok) return true;
  CloseAndForget();
  post_(wm::kPlayStopped);
  return false;
}

// Frees the done blocks at the head and forgets the requests all of whose blocks are gone.
void PlaybackEngine::RetireDoneRequests() {
  while (!blocks_.empty() && blocks_.front()->IsDone()) {
    device_->Unprepare(*blocks_.front());
    blocks_.pop_front();
  }
  while (!requests_.empty() && requests_.front().written &&
         (blocks_.empty() || blocks_.front()->user != requests_.front().id)) {
    const Request done = requests_.front();
    playedBefore_ += uint64_t(done.frames) * done.loops;
    requests_.pop_front();
    // A sound none of whose requests is left is free again (it may be edited or closed).
    if (!Holds(*done.wave)) done.wave->SetPlaying(false);
  }
}

bool PlaybackEngine::PollPlayback() {
  if (!busy_ || !device_) return false;
  if (device_->HasFailed()) {
    CloseAndForget();
    failed_ = true;
    ShowText(kOutputDeviceLost);
    post_(wm::kPlayStopped);
    return true;
  }
  const size_t before = blocks_.size();
  RetireDoneRequests();
  if (!blocks_.empty()) {
    if (blocks_.size() != before && !blocks_.front()->IsPrepared() && !WritePlayBlocks()) {
      post_(wm::kPlayStopped);
      return true;
    }
    return false;
  }
  // The last frames are still in the device's buffer: closing now would cut them off.
  if (device_->Draining()) return false;
  Finish();
  return true;
}

void PlaybackEngine::Finish() {
  CloseAndForget();
  post_(wm::kPlayStopped);
}

bool PlaybackEngine::Stop() {
  if (!busy_) {
    CloseAndForget();
    return true;
  }
  if (device_ && device_->Reset() != DeviceResult::Ok) return false;
  CloseAndForget();
  finishedByStop_ = true;
  post_(wm::kPlayStopped);
  return true;
}

// Resets and closes the device (every block is done then) and frees all blocks.
void PlaybackEngine::CloseAndForget() {
  if (device_) {
    if (device_->IsOpen()) {
      device_->Reset();
      for (auto& b : blocks_)
        if (b->IsPrepared()) device_->Unprepare(*b);
      device_->Close();
    }
    device_.reset();
  }
  blocks_.clear();
  for (const Request& r : requests_) r.wave->SetPlaying(false);
  requests_.clear();
  busy_ = false;
  paused_ = false;
  playedBefore_ = 0;
}

void PlaybackEngine::PauseResume() {
  if (!busy_ || !device_) return;
  if (paused_) {
    if (device_->Restart() != DeviceResult::Ok) return;
    paused_ = false;
    post_(wm::kPlayResumed);
  } else {
    if (device_->Pause() != DeviceResult::Ok) return;
    paused_ = true;
    post_(wm::kPlayPaused);
  }
}

uint32_t PlaybackEngine::CurrentPlayFrame() {
  if (requests_.empty() || !device_ || !requests_.front().written) return 0;
  const Request& r = requests_.front();
  if (r.external || r.frames == 0) return r.start;
  const uint64_t position = device_->PositionFrames();
  uint64_t played = position > r.positionBase ? position - r.positionBase : 0;
  played = r.loops >= 2 ? played % r.frames : std::min<uint64_t>(played, r.frames - 1);
  return r.start + uint32_t(played);
}

bool PlaybackEngine::TakeFinishedByStop() {
  const bool was = finishedByStop_;
  finishedByStop_ = false;
  return was;
}

}  // namespace tarkel::audio
