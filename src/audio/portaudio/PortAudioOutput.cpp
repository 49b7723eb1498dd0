#include <algorithm>
#include <chrono>

#include "audio/portaudio/PortAudioDevices.h"

namespace tarkel::audio::pa {
int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
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

Output::~Output() { Close(); }

DeviceResult Output::Open(const WaveFormat& format, bool queryOnly) {
  if (stream_) return queryOnly ? DeviceResult::Ok : DeviceResult::Allocated;
  PaStreamParameters params;
  if (!StreamParameters(device_, format, true, params)) return DeviceResult::BadFormat;
  if (queryOnly) {
    return QueryResult(Pa_IsFormatSupported(nullptr, &params, format.SamplesPerSec()));
  }
  const PaError e = Pa_OpenStream(&stream_, nullptr, &params, format.SamplesPerSec(), paFramesPerBufferUnspecified,
                                  paClipOff | paDitherOff, &Output::Callback, this);
  if (e != paNoError) {
    stream_ = nullptr;
    return ResultOf(e);
  }
  Pa_SetStreamFinishedCallback(stream_, &Output::Finished);
  frameBytes_ = format.BlockAlign();
  rate_ = format.SamplesPerSec();
  player_.SetFormat(format.BitsPerSample(), format.Channels());
  const PaStreamInfo* info = Pa_GetStreamInfo(stream_);
  latencyFrames_ = info ? uint64_t(info->outputLatency * rate_) : 0;
  latency_ = std::chrono::nanoseconds(info ? int64_t(info->outputLatency * 1e9) : 0);
  started_ = false;
  paused_ = false;
  finished_ = false;
  framesPlayed_ = 0;
  return DeviceResult::Ok;
}

DeviceResult Output::Write(WaveBlock& b) {
  if (!stream_ || !b.IsPrepared()) return DeviceResult::Failed;
  {
    std::lock_guard<std::mutex> hold(lock_);
    player_.Queue(b);
    emptySinceNs_ = 0;
  }
  return DeviceResult::Ok;
}

DeviceResult Output::Commit() {
  if (!stream_) return DeviceResult::Failed;
  if (!started_) {
    stopping_ = false;
    finished_ = false;
    const PaError e = Pa_StartStream(stream_);
    if (e != paNoError) return ResultOf(e);
    started_ = true;
    lastCallbacks_ = callbacks_.load();
    lastProgress_ = std::chrono::steady_clock::now();
  }
  return DeviceResult::Ok;
}

int Output::Callback(const void*, void* out, unsigned long frames, const PaStreamCallbackTimeInfo*,
                     PaStreamCallbackFlags, void* self) {
  return static_cast<Output*>(self)->Render(static_cast<uint8_t*>(out), frames);
}

int Output::Render(uint8_t* out, unsigned long frames) {
  callbacks_.fetch_add(1, std::memory_order_relaxed);
  const size_t bytes = size_t(frames) * frameBytes_;
  std::lock_guard<std::mutex> hold(lock_);
  if (paused_.load(std::memory_order_relaxed)) {
    // Silence; the blocks stay where they are.
    player_.FillSilence(out, bytes);
    return paContinue;
  }
  player_.SetVolume(volume_.load(std::memory_order_relaxed));
  if (player_.Render(out, bytes) < bytes && emptySinceNs_.load(std::memory_order_relaxed) == 0)
    emptySinceNs_.store(NowNs(), std::memory_order_relaxed);
  framesPlayed_.store(player_.FramesPlayed(), std::memory_order_relaxed);
  return paContinue;
}

void Output::Finished(void* self) {
  Output* o = static_cast<Output*>(self);
  if (!o->stopping_.load()) o->finished_ = true;
}

uint64_t Output::PositionFrames() {
  const uint64_t played = framesPlayed_.load(std::memory_order_relaxed);
  return played > latencyFrames_ ? played - latencyFrames_ : 0;
}

DeviceResult Output::Pause() {
  paused_ = true;
  return DeviceResult::Ok;
}

DeviceResult Output::Restart() {
  paused_ = false;
  return DeviceResult::Ok;
}

DeviceResult Output::Reset() {
  if (stream_ && started_) {
    stopping_ = true;
    Pa_AbortStream(stream_);
    started_ = false;
  }
  std::lock_guard<std::mutex> hold(lock_);
  player_.Reset();
  framesPlayed_ = 0;
  paused_ = false;
  return DeviceResult::Ok;
}

DeviceResult Output::Close() {
  if (!stream_) return DeviceResult::Ok;
  Reset();
  Pa_CloseStream(stream_);
  stream_ = nullptr;
  return DeviceResult::Ok;
}

bool Output::Draining() {
  if (!stream_ || !started_) return false;
  const int64_t since = emptySinceNs_.load();
  return since == 0 || NowNs() - since < latency_.count();
}

bool Output::HasFailed() {
  if (!stream_ || !started_) return false;
  if (finished_.load() || Pa_IsStreamActive(stream_) != 1) return true;
  const auto now = std::chrono::steady_clock::now();
  const uint64_t calls = callbacks_.load();
  if (calls != lastCallbacks_ || paused_.load()) {
    lastCallbacks_ = calls;
    lastProgress_ = now;
    return false;
  }
  return now - lastProgress_ > std::chrono::nanoseconds(kStallLimitNs);
}

}  // namespace tarkel::audio::pa
