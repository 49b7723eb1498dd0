#include <algorithm>
#include <chrono>
#include <thread>

#include "audio/portaudio/PortAudioDevices.h"

namespace tarkel::audio::pa {

int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::atomic<int>& AbandonedStreams() {
  static std::atomic<int> count{0};
  return count;
}

bool StreamParameters(int device, const WaveFormat& format, bool output, PaStreamParameters& params) {
  if (!format.IsPcm() || (format.BitsPerSample() != 8 && format.BitsPerSample() != 16) ||
      (format.Channels() != 1 && format.Channels() != 2) || format.SamplesPerSec() == 0 ||
      format.BlockAlign() != format.Channels() * format.BitsPerSample() / 8)
    return false;
  const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
  if (!info) return false;
  params = {};
  params.device = device;
  params.channelCount = format.Channels();
  params.sampleFormat = format.BitsPerSample() == 8 ? paUInt8 : paInt16;
  // The high latency: fewer wake-ups (the load stays low); the marker subtracts the latency.
  params.suggestedLatency = output ? info->defaultHighOutputLatency : info->defaultHighInputLatency;
  params.hostApiSpecificStreamInfo = nullptr;
  return true;
}

DeviceResult ResultOf(PaError error) {
  switch (error) {
    case paNoError: return DeviceResult::Ok;
    case paInvalidDevice: return DeviceResult::NoDevice;
    case paDeviceUnavailable: return DeviceResult::Allocated;
    case paInvalidChannelCount:
    case paInvalidSampleRate:
    case paSampleFormatNotSupported: return DeviceResult::BadFormat;
    default: return DeviceResult::Failed;
  }
}

DeviceResult QueryResult(PaError e) {
  if (e == paFormatIsSupported) return DeviceResult::Ok;
  // Anything else than a missing or busy device means the format is not taken.
  const DeviceResult r = ResultOf(e);
  return r == DeviceResult::Failed ? DeviceResult::BadFormat : r;
}

Output::Output(int device, std::atomic<uint32_t>& volume) : device_(device), state_(std::make_shared<OutputState>()) {
  state_->volume = &volume;
}

Output::~Output() { Close(); }

DeviceResult Output::Open(const WaveFormat& format, bool queryOnly) {
  if (stream_) return queryOnly ? DeviceResult::Ok : DeviceResult::Allocated;
  PaStreamParameters params;
  if (!StreamParameters(device_, format, true, params)) return DeviceResult::BadFormat;
  if (queryOnly) return QueryResult(Pa_IsFormatSupported(nullptr, &params, format.SamplesPerSec()));
  const PaError e = Pa_OpenStream(&stream_, nullptr, &params, format.SamplesPerSec(), paFramesPerBufferUnspecified,
                                  paClipOff | paDitherOff, &Output::Callback, state_.get());
  if (e != paNoError) {
    stream_ = nullptr;
    return ResultOf(e);
  }
  Pa_SetStreamFinishedCallback(stream_, &Output::Finished);
  state_->frameBytes = format.BlockAlign();
  state_->player.SetFormat(format.BitsPerSample(), format.Channels());
  const PaStreamInfo* info = Pa_GetStreamInfo(stream_);
  const double latency = info ? info->outputLatency : 0;
  latencyFrames_ = uint64_t(latency * format.SamplesPerSec());
  latency_ = std::chrono::nanoseconds(int64_t(latency * 1e9));
  started_ = false;
  failed_ = false;
  state_->paused = false;
  state_->finished = false;
  state_->framesPlayed = 0;
  return DeviceResult::Ok;
}

DeviceResult Output::Write(WaveBlock& b) {
  if (!stream_ || !b.IsPrepared()) return DeviceResult::Failed;
  std::lock_guard<std::mutex> hold(state_->lock);
  state_->player.Queue(b);
  state_->emptySinceNs = 0;
  return DeviceResult::Ok;
}

DeviceResult Output::Commit() {
  if (!stream_) return DeviceResult::Failed;
  if (!started_) {
    state_->stopping = false;
    state_->finished = false;
    const PaError e = Pa_StartStream(stream_);
    if (e != paNoError) return ResultOf(e);
    started_ = true;
    lastCallbacks_ = state_->callbacks.load();
    lastProgress_ = std::chrono::steady_clock::now();
  }
  return DeviceResult::Ok;
}

int Output::Callback(const void*, void* out, unsigned long frames, const PaStreamCallbackTimeInfo*,
                     PaStreamCallbackFlags, void* opaque) {
  OutputState& s = *static_cast<OutputState*>(opaque);
  s.callbacks.fetch_add(1, std::memory_order_relaxed);
  uint8_t* bytes = static_cast<uint8_t*>(out);
  const size_t n = size_t(frames) * s.frameBytes;
  std::lock_guard<std::mutex> hold(s.lock);
  if (s.abandoned.load(std::memory_order_relaxed)) {
    s.player.FillSilence(bytes, n);
    return paAbort;
  }
  if (s.paused.load(std::memory_order_relaxed)) {
    // Silence; the blocks stay where they are.
    s.player.FillSilence(bytes, n);
    return paContinue;
  }
  s.player.SetVolume(s.volume->load(std::memory_order_relaxed));
  if (s.player.Render(bytes, n) < n && s.emptySinceNs.load(std::memory_order_relaxed) == 0)
    s.emptySinceNs.store(NowNs(), std::memory_order_relaxed);
  s.framesPlayed.store(s.player.FramesPlayed(), std::memory_order_relaxed);
  return paContinue;
}

void Output::Finished(void* opaque) {
  OutputState& s = *static_cast<OutputState*>(opaque);
  if (!s.stopping.load()) s.finished = true;
}

uint64_t Output::PositionFrames() {
  const uint64_t played = state_->framesPlayed.load(std::memory_order_relaxed);
  return played > latencyFrames_ ? played - latencyFrames_ : 0;
}

DeviceResult Output::Pause() {
  state_->paused = true;
  return DeviceResult::Ok;
}

DeviceResult Output::Restart() {
  state_->paused = false;
  return DeviceResult::Ok;
}

DeviceResult Output::Reset() {
  if (failed_ && stream_) {
    Abandon();
    return DeviceResult::Ok;
  }
  if (stream_ && started_) {
    state_->stopping = true;
    Pa_AbortStream(stream_);
    started_ = false;
  }
  std::lock_guard<std::mutex> hold(state_->lock);
  state_->player.Reset();
  state_->framesPlayed = 0;
  state_->paused = false;
  return DeviceResult::Ok;
}

void Output::Abandon() {
  {
    std::lock_guard<std::mutex> hold(state_->lock);
    state_->abandoned = true;
    state_->stopping = true;
    state_->player.Reset();  // every block done: the poll may free them now
  }
  ++AbandonedStreams();
  std::thread([stream = stream_, keep = state_] {
    Pa_AbortStream(stream);
    Pa_CloseStream(stream);
    --AbandonedStreams();
  }).detach();
  stream_ = nullptr;
  started_ = false;
  std::atomic<uint32_t>* volume = state_->volume;
  state_ = std::make_shared<OutputState>();
  state_->volume = volume;
}

DeviceResult Output::Close() {
  if (!stream_) return DeviceResult::Ok;
  Reset();
  if (stream_) Pa_CloseStream(stream_);
  stream_ = nullptr;
  return DeviceResult::Ok;
}

bool Output::Draining() {
  if (!stream_ || !started_) return false;
  const int64_t since = state_->emptySinceNs.load();
  return since == 0 || NowNs() - since < latency_.count();
}

bool Output::HasFailed() {
  if (failed_) return true;
  if (!stream_ || !started_) return false;
  const auto now = std::chrono::steady_clock::now();
  const uint64_t calls = state_->callbacks.load();
  if (state_->finished.load() || Pa_IsStreamActive(stream_) != 1) {
    failed_ = true;
  } else if (calls != lastCallbacks_ || state_->paused.load()) {
    lastCallbacks_ = calls;
    lastProgress_ = now;
  } else if (now - lastProgress_ > std::chrono::nanoseconds(kStallLimitNs)) {
    // No callback for that long while it should be playing: the stream no longer moves.
    failed_ = true;
  }
  return failed_;
}

}  // namespace tarkel::audio::pa
