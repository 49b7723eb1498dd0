// Pasting at the start of a very long sound against the memmove it needs, converting the
// sampling rate against libsoxr on its own, a minute of CD audio through the clipboard against
// copying its bytes twice, and the undo of a one-channel trim (the whole sound kept and put
// back) against copying the sound twice.
#include <benchmark/benchmark.h>
#include <soxr.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "sound/DocWaveAudio.h"
#include "sound/Ports.h"
#include "sound/WaveImage.h"
#include "editing/Clipboard.h"
#include "editing/EditOperations.h"
#include "editing/SampleFormatConversion.h"
#include "document/CTarkelDoc.h"
#include "document/EditCommands.h"

namespace tarkel {
namespace {

constexpr uint32_t kSoundBytes = 1u << 30;        // 1 GiB of 16-bit stereo
constexpr uint32_t kSecondBytes = 44100 * 4;      // one second of it
constexpr uint32_t kLongRate = 22050;
constexpr uint32_t kLongFrames = 10 * 60 * kLongRate;  // ten minutes

// A clipboard holding one second of 16-bit stereo at 44,100 Hz.
class SecondOnClipboard final : public ClipboardPort {
 public:
  SecondOnClipboard() : image_(kCanonicalHeaderSize + kSecondBytes, 3) {
    WriteCanonicalHeader(image_.data(), WaveFormat::Pcm(2, 44100, 16), kSecondBytes);
  }
  bool OpenClipboard() override { return true; }
  void CloseClipboard() override {}
  bool HasWave() override { return true; }
  std::vector<uint8_t> ReadWave() override { return image_; }
  bool WriteWave(std::vector<uint8_t>) override { return true; }
  void EmptyWave() override {}

 private:
  std::vector<uint8_t> image_;
};

void BM_PasteOneSecondAtTheStartOf1GiB(benchmark::State& state) {
  SecondOnClipboard clipboard;
  const Ports previous = SetPorts({nullptr, nullptr, &clipboard, nullptr});
  DocWaveAudio wave;
  wave.Format() = WaveFormat::Pcm(2, 44100, 16);
  if (!wave.AllocateData(kSoundBytes)) {
    state.SkipWithError("no memory for 1 GiB");
    SetPorts(previous);
    return;
  }
  for (auto _ : state) {
    if (InsertClip(wave, 0, 0, ChannelMode::Both) != kSecondBytes / 4) state.SkipWithError("paste failed");
    state.PauseTiming();
    wave.ResizeData(kSoundBytes);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kSoundBytes);
  SetPorts(previous);
}

void BM_MemmoveOf1GiB(benchmark::State& state) {
  auto* block = static_cast<uint8_t*>(std::malloc(size_t(kSoundBytes) + kSecondBytes));
  if (!block) {
    state.SkipWithError("no memory for 1 GiB");
    return;
  }
  std::memset(block, 0, size_t(kSoundBytes) + kSecondBytes);
  for (auto _ : state) {
    std::memmove(block + kSecondBytes, block, kSoundBytes);
    benchmark::DoNotOptimize(block);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kSoundBytes);
  std::free(block);
}

std::vector<uint8_t> LongSound() {
  std::vector<uint8_t> bytes(size_t(kLongFrames) * 4);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7);
  return bytes;
}

void BM_ConvertTenMinutes22050To44100(benchmark::State& state) {
  const std::vector<uint8_t> source = LongSound();
  DocWaveAudio wave;
  wave.Format() = WaveFormat::Pcm(2, kLongRate, 16);
  const WaveFormat target = WaveFormat::Pcm(2, 44100, 16);
  for (auto _ : state) {
    state.PauseTiming();
    wave.Format() = WaveFormat::Pcm(2, kLongRate, 16);
    wave.ResizeData(uint32_t(source.size()));
    std::memcpy(wave.Data(), source.data(), source.size());
    state.ResumeTiming();
    if (!ConvertSampleFormatTo(wave, target)) state.SkipWithError("conversion failed");
  }
}

void BM_SoxrAloneTenMinutes22050To44100(benchmark::State& state) {
  const std::vector<uint8_t> source = LongSound();
  std::vector<int16_t> out(size_t(kLongFrames) * 2 * 2 + 64);
  for (auto _ : state) {
    soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
    io.flags |= SOXR_NO_DITHER;
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    soxr_error_t error = nullptr;
    soxr_t soxr = soxr_create(kLongRate, 44100, 2, &error, &io, &quality, &runtime);
    size_t idone = 0, odone = 0, total = 0;
    soxr_process(soxr, source.data(), kLongFrames, &idone, out.data(), out.size() / 2, &odone);
    total += odone;
    soxr_process(soxr, nullptr, 0, nullptr, out.data() + total * 2, out.size() / 2 - total, &odone);
    benchmark::DoNotOptimize(out.data());
    soxr_delete(soxr);
  }
}

constexpr uint32_t kMinuteBytes = 60 * 44100 * 4;

// Copy a minute of 16-bit stereo to the clipboard and paste it into a short sound.
void BM_CopyAndPasteAMinute(benchmark::State& state) {
  DocWaveAudio source;
  source.Format() = WaveFormat::Pcm(2, 44100, 16);
  source.AllocateData(kMinuteBytes);
  for (auto _ : state) {
    DocWaveAudio target;
    target.Format() = WaveFormat::Pcm(2, 44100, 16);
    target.AllocateData(400);
    if (CopyToClipboard(source, 0, kMinuteBytes / 4 - 1, ChannelMode::Both) != kMinuteBytes / 4 ||
        InsertClip(target, 50, 50, ChannelMode::Both) != kMinuteBytes / 4)
      state.SkipWithError("copy or paste failed");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kMinuteBytes);
}

// The bare work of both: the bytes copied out (into an image, an undo copy) and back again.
void BM_TwoCopies(benchmark::State& state) {
  const size_t bytes = size_t(state.range(0));
  std::vector<uint8_t> sound(bytes, 3), copy(bytes);
  for (auto _ : state) {
    std::memcpy(copy.data(), sound.data(), bytes);
    std::memcpy(sound.data(), copy.data(), bytes);
    benchmark::DoNotOptimize(sound.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

constexpr uint32_t kTenMinuteBytes = 10 * kMinuteBytes;

// Trim a second of one channel of ten minutes of stereo (the whole sound is kept for undo),
// then undo it.
void BM_UndoOneChannelTrimOfTenMinutes(benchmark::State& state) {
  CTarkelDoc doc;
  doc.Sound().Format() = WaveFormat::Pcm(2, 44100, 16);
  doc.Sound().AllocateData(kTenMinuteBytes);
  for (auto _ : state) {
    if (!RunEditCommand(doc, EditCommand::Trim, 44100, 88199, ChannelMode::Left) || !doc.UndoLastChange())
      state.SkipWithError("trim or undo failed");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kTenMinuteBytes);
}

BENCHMARK(BM_CopyAndPasteAMinute)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_TwoCopies)->Arg(kMinuteBytes)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_UndoOneChannelTrimOfTenMinutes)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TwoCopies)->Arg(kTenMinuteBytes)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PasteOneSecondAtTheStartOf1GiB)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_MemmoveOf1GiB)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_ConvertTenMinutes22050To44100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SoxrAloneTenMinutes22050To44100)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tarkel

BENCHMARK_MAIN();
