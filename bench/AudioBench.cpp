// Playback through PortAudio into ALSA's file plugin (a configuration written here):
//   - PlayCommandToFirstFrame: from the play command's device calls (query, open, prepare,
//     write, start) to the moment the first frame is handed to ALSA (a one-frame first block
//     is marked done by the callback);
//   - EngineQueueing: the engine's own part of a play command (blocks built over a 10 s stereo
//     sound and handed to a device that does nothing);
//   - MarkerLag: the reported play frame against the frames an ALSA "file" reader has taken
//     from a FIFO at real-time pace (the audible position), sampled every timer period.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "audio/AudioTransport.h"
#include "audio/FakeDevices.h"
#include "audio/portaudio/PortAudioSystem.h"
#include "document/CTarkelDoc.h"

namespace {

using namespace tarkel;
using Clock = std::chrono::steady_clock;

std::filesystem::path Scratch() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("tarkel-audio-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

// The ALSA configuration: the default device writes into `file`.
void UseFileDevice(const std::filesystem::path& file) {
  const auto config = Scratch() / "asound.conf";
  std::ofstream(config) << "pcm.!default {\n type file\n slave.pcm { type null }\n file \"" << file.string()
                        << "\"\n format \"raw\"\n truncate true\n}\n";
  ::setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
}

audio::PortAudioSystem& Devices() {
  static audio::PortAudioSystem* system = [] {
    const auto fifo = Scratch() / "fifo";
    ::mkfifo(fifo.c_str(), 0600);
    UseFileDevice(fifo);
    return new audio::PortAudioSystem;
  }();
  return *system;
}

// Reads the FIFO, at 176,400 bytes a second (16-bit stereo at 44.1 kHz) when `paced`, else as
// fast as it comes, and counts the bytes from the first one that is not silence. Opened for
// reading and writing, the FIFO never reports an end when the plugin closes it.
struct FifoReader {
  explicit FifoReader(bool paced) : paced(paced) {}
  bool paced;
  std::atomic<bool> quit{false};
  std::atomic<int64_t> soundBytes{-1};
  std::thread thread;
  void Start() {
    thread = std::thread([this] {
      const int fd = ::open((Scratch() / "fifo").c_str(), O_RDWR | O_NONBLOCK);
      ::fcntl(fd, F_SETPIPE_SZ, 4096);
      uint8_t chunk[1764];  // 10 ms
      int64_t total = -1;
      auto next = Clock::now();
      while (!quit) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) {
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
          continue;
        }
        if (total < 0) {
          for (ssize_t i = 0; i < n; ++i)
            if (chunk[i] != 0) {
              total = n - i;
              break;
            }
        } else {
          total += n;
        }
        soundBytes = total;
        if (!paced) continue;
        next = std::max(next, Clock::now() - std::chrono::milliseconds(20)) + std::chrono::microseconds(n * 1000000 / 176400);
        std::this_thread::sleep_until(next);
      }
      ::close(fd);
    });
  }
  ~FifoReader() {
    quit = true;
    if (thread.joinable()) thread.join();
  }
};

void PlayCommandToFirstFrame(benchmark::State& state) {
  audio::DeviceSystem& devices = Devices();
  FifoReader reader(false);  // the file plugin opens the FIFO for writing: someone must read it
  reader.Start();
  std::vector<uint8_t> frames(4 * 44100, 1);
  const WaveFormat format = WaveFormat::Pcm(2, 44100, 16);
  for (auto _ : state) {
    audio::WaveBlock first, rest;
    first.data = frames.data();
    first.bytes = 4;
    first.flags = audio::block::kBeginLoop | audio::block::kEndLoop;
    rest.data = frames.data() + 4;
    rest.bytes = uint32_t(frames.size() - 4);
    rest.flags = first.flags;
    const auto start = Clock::now();
    auto device = devices.MakeOutput(devices.OutputCount());
    device->Open(format, true);
    device->Open(format, false);
    device->Prepare(first);
    device->Write(first);
    device->Prepare(rest);
    device->Write(rest);
    device->Commit();
    while (!first.IsDone()) std::this_thread::yield();
    const auto end = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    device->Reset();
    device->Close();
  }
}
BENCHMARK(PlayCommandToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void EngineQueueing(benchmark::State& state) {
  audio::FakeDeviceSystem devices;
  audio::AudioTransport transport(devices);
  CTarkelDoc doc;
  doc.Sound().Format() = WaveFormat::Pcm(2, 44100, 16);
  doc.Sound().AllocateData(10 * 44100 * 4);
  for (auto _ : state) {
    transport.PlayAll(doc);
    transport.Stop(&doc);
  }
}
BENCHMARK(EngineQueueing)->Unit(benchmark::kMicrosecond);

void MarkerLag(benchmark::State& state) {
  audio::PortAudioSystem& devices = Devices();
  for (auto _ : state) {
    FifoReader reader(true);
    reader.Start();
    audio::AudioTransport transport(devices);
    CTarkelDoc doc;
    doc.Sound().Format() = WaveFormat::Pcm(2, 44100, 16);
    doc.Sound().AllocateData(4 * 44100 * 4);
    std::fill(doc.Sound().Data(), doc.Sound().Data() + doc.Sound().DataSize(), uint8_t(1));
    transport.PlayAll(doc);
    double sum = 0, worst = 0;
    int samples = 0;
    for (int tick = 0; tick < 40; ++tick) {  // 3.2 s of 80 ms ticks
      std::this_thread::sleep_for(std::chrono::milliseconds(80));
      const double heard = double(reader.soundBytes.load()) / 4;
      const double marker = transport.CurrentTransportFrame();
      transport.Tick();
      if (heard <= 0) continue;
      const double lagMs = (marker - heard) / 44.1;  // positive: the marker runs ahead
      sum += lagMs;
      worst = std::max(worst, std::abs(lagMs));
      ++samples;
    }
    transport.Stop(&doc);
    state.counters["mean_lag_ms"] = samples ? sum / samples : 0;
    state.counters["worst_lag_ms"] = worst;
  }
}
BENCHMARK(MarkerLag)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
