#include <vector>

#include "audio/portaudio/PortAudioDevices.h"

namespace tarkel::audio::pa {
namespace {

// Frames the reader asks for at a time (at most the room left in the block being filled).
constexpr uint32_t kReadFrames = 2048;

}  // namespace

Input::~Input() { Close(); }

DeviceResult Input::Open(const WaveFormat& format, bool queryOnly) {
  if (stream_) return queryOnly ? DeviceResult::Ok : DeviceResult::Allocated;
  PaStreamParameters params;
  if (!StreamParameters(device_, format, false, params)) return DeviceResult::BadFormat;
  if (queryOnly) {
    return QueryResult(Pa_IsFormatSupported(&params, nullptr, format.SamplesPerSec()));
  }
  // No callback: the reader thread reads the stream.
  const PaError e = Pa_OpenStream(&stream_, &params, nullptr, format.SamplesPerSec(), paFramesPerBufferUnspecified,
                                  paClipOff | paDitherOff, nullptr, nullptr);
  if (e != paNoError) {
    stream_ = nullptr;
    return ResultOf(e);
  }
  frameBytes_ = format.BlockAlign();
  filler_.SetFrameBytes(frameBytes_);
  failed_ = false;
  framesRecorded_ = 0;
  return DeviceResult::Ok;
}

DeviceResult Input::AddBuffer(WaveBlock& b) {
  if (!stream_ || !b.IsPrepared()) return DeviceResult::Failed;
  {
    std::lock_guard<std::mutex> hold(lock_);
    filler_.Queue(b);
  }
  wake_.notify_one();
  return DeviceResult::Ok;
}

DeviceResult Input::Start() {
  if (!stream_) return DeviceResult::Failed;
  if (reader_.joinable()) return DeviceResult::Ok;
  const PaError e = Pa_StartStream(stream_);
  if (e != paNoError) return ResultOf(e);
  quit_ = false;
  lastProgressNs_ = NowNs();
  reader_ = std::thread([this] { ReadLoop(); });
  return DeviceResult::Ok;
}

void Input::ReadLoop() {
  std::vector<uint8_t> buffer(size_t(kReadFrames) * frameBytes_);
  for (;;) {
    size_t room = 0;
    {
      std::unique_lock<std::mutex> hold(lock_);
      wake_.wait(hold, [this] { return quit_ || !filler_.Empty(); });
      if (quit_) return;
      room = filler_.Room();
    }
    lastProgressNs_ = NowNs();
    const unsigned long frames = std::min<unsigned long>(kReadFrames, room / frameBytes_ ? room / frameBytes_ : 1);
    const PaError e = Pa_ReadStream(stream_, buffer.data(), frames);
    // An overflow only means that frames were lost while no block was queued.
    if (e != paNoError && e != paInputOverflowed) {
      failed_ = true;
      return;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (quit_) return;
    filler_.Fill(buffer.data(), size_t(frames) * frameBytes_);
    framesRecorded_.store(filler_.FramesRecorded());
  }
}

bool Input::HasFailed() {
  if (failed_.load()) return true;
  // A reader stuck in a read that never returns: the device has stopped delivering.
  std::lock_guard<std::mutex> hold(lock_);
  const int64_t since = lastProgressNs_.load();
  return reader_.joinable() && !filler_.Empty() && since != 0 && NowNs() - since > kStallLimitNs;
}

DeviceResult Input::Stop() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    quit_ = true;
  }
  wake_.notify_one();
  if (reader_.joinable()) reader_.join();
  if (stream_ && Pa_IsStreamStopped(stream_) == 0) Pa_AbortStream(stream_);
  return DeviceResult::Ok;
}

DeviceResult Input::Reset() {
  Stop();
  std::lock_guard<std::mutex> hold(lock_);
  filler_.Reset();
  framesRecorded_ = 0;
  return DeviceResult::Ok;
}

DeviceResult Input::Close() {
  if (!stream_) return DeviceResult::Ok;
  Reset();
  Pa_CloseStream(stream_);
  stream_ = nullptr;
  return DeviceResult::Ok;
}

}  // namespace tarkel::audio::pa
