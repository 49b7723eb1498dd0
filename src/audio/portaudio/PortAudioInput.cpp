#include <vector>

#include "audio/portaudio/PortAudioDevices.h"

namespace tarkel::audio::pa {
namespace {

// Frames the reader asks for at a time (at most the room left in the block being filled).
constexpr uint32_t kReadFrames = 2048;

}  // namespace

Input::~Input() { Close(); }

DeviceResult Input::Open(const WaveFormat& format, bool queryOnly) {
  if (state_->stream) return queryOnly ? DeviceResult::Ok : DeviceResult::Allocated;
  PaStreamParameters params;
  if (!StreamParameters(device_, format, false, params)) return DeviceResult::BadFormat;
  if (queryOnly) return QueryResult(Pa_IsFormatSupported(&params, nullptr, format.SamplesPerSec()));
  // No callback: the reader thread reads the stream.
  PaStream* stream = nullptr;
  const PaError e = Pa_OpenStream(&stream, &params, nullptr, format.SamplesPerSec(), paFramesPerBufferUnspecified,
                                  paClipOff | paDitherOff, nullptr, nullptr);
  if (e != paNoError) return ResultOf(e);
  state_->stream = stream;
  state_->frameBytes = format.BlockAlign();
  state_->filler.SetFrameBytes(format.BlockAlign());
  state_->failed = false;
  state_->framesRecorded = 0;
  return DeviceResult::Ok;
}

DeviceResult Input::AddBuffer(WaveBlock& b) {
  if (!state_->stream || !b.IsPrepared()) return DeviceResult::Failed;
  {
    std::lock_guard<std::mutex> hold(state_->lock);
    state_->filler.Queue(b);
  }
  state_->wake.notify_one();
  return DeviceResult::Ok;
}

DeviceResult Input::Start() {
  if (!state_->stream) return DeviceResult::Failed;
  if (reader_.joinable()) return DeviceResult::Ok;
  const PaError e = Pa_StartStream(state_->stream);
  if (e != paNoError) return ResultOf(e);
  state_->quit = false;
  state_->lastProgressNs = NowNs();
  reader_ = std::thread(&Input::ReadLoop, state_);
  return DeviceResult::Ok;
}

// Reads into a buffer of its own and copies into the blocks only under the lock and only while
// not told to quit: a read that returns late never touches a block that was given back.
void Input::ReadLoop(std::shared_ptr<InputState> state) {
  InputState& s = *state;
  std::vector<uint8_t> buffer(size_t(kReadFrames) * s.frameBytes);
  for (;;) {
    size_t room = 0;
    {
      std::unique_lock<std::mutex> hold(s.lock);
      s.wake.wait(hold, [&s] { return s.quit || !s.filler.Empty(); });
      if (s.quit) break;
      room = s.filler.Room();
    }
    s.lastProgressNs = NowNs();
    const unsigned long frames = std::min<unsigned long>(kReadFrames, room / s.frameBytes ? room / s.frameBytes : 1);
    const PaError e = Pa_ReadStream(s.stream, buffer.data(), frames);
    // An overflow only means that frames were lost while no block was queued.
    if (e != paNoError && e != paInputOverflowed) {
      s.failed = true;
      break;
    }
    std::lock_guard<std::mutex> hold(s.lock);
    if (s.quit) break;
    s.filler.Fill(buffer.data(), size_t(frames) * s.frameBytes);
    s.framesRecorded.store(s.filler.FramesRecorded());
  }
  std::lock_guard<std::mutex> hold(s.lock);
  if (s.abandoned) {
    Pa_AbortStream(s.stream);
    Pa_CloseStream(s.stream);
    --AbandonedStreams();
  }
}

bool Input::HasFailed() {
  if (state_->failed.load() || stalled_) return true;
  // A reader stuck in a read that never returns: the device has stopped delivering.
  std::lock_guard<std::mutex> hold(state_->lock);
  const int64_t since = state_->lastProgressNs.load();
  stalled_ = reader_.joinable() && !state_->filler.Empty() && since != 0 && NowNs() - since > kStallLimitNs;
  return stalled_;
}

DeviceResult Input::Stop() {
  {
    std::lock_guard<std::mutex> hold(state_->lock);
    state_->quit = true;
    // A reader stuck in its read is left to close the stream when (if ever) the read returns.
    if (stalled_ && reader_.joinable()) {
      state_->abandoned = true;
      ++AbandonedStreams();
    }
  }
  state_->wake.notify_one();
  if (reader_.joinable()) {
    if (state_->abandoned) {
      reader_.detach();
      std::lock_guard<std::mutex> hold(state_->lock);
      state_->filler.Reset();
      auto fresh = std::make_shared<InputState>();
      state_ = fresh;
      return DeviceResult::Ok;
    }
    reader_.join();
  }
  if (state_->stream && Pa_IsStreamStopped(state_->stream) == 0) Pa_AbortStream(state_->stream);
  return DeviceResult::Ok;
}

DeviceResult Input::Reset() {
  Stop();
  std::lock_guard<std::mutex> hold(state_->lock);
  state_->filler.Reset();
  state_->framesRecorded = 0;
  return DeviceResult::Ok;
}

DeviceResult Input::Close() {
  Reset();
  if (!state_->stream) return DeviceResult::Ok;
  Pa_CloseStream(state_->stream);
  state_->stream = nullptr;
  return DeviceResult::Ok;
}

}  // namespace tarkel::audio::pa
