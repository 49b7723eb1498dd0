#include "audio/portaudio/PortAudioSystem.h"

#include <portaudio.h>

#include "audio/DeviceFormats.h"
#include "audio/portaudio/PortAudioDevices.h"
#include "audio/portaudio/QuietStart.h"

namespace tarkel::audio {
namespace {

// The twelve standard formats a device is asked about.
uint32_t ProbeFormats(int device, bool output) {
  if (device < 0) return 0;
  uint32_t formats = 0;
  for (uint16_t bits : {8, 16})
    for (uint16_t channels : {1, 2})
      for (uint32_t rate : kStandardRates) {
        PaStreamParameters params;
        if (!pa::StreamParameters(device, WaveFormat::Pcm(channels, rate, bits), output, params)) continue;
        const PaError e = output ? Pa_IsFormatSupported(nullptr, &params, rate) : Pa_IsFormatSupported(&params, nullptr, rate);
        if (e == paFormatIsSupported) formats |= StandardFormatBit(bits, channels, rate);
      }
  return formats;
}

std::string NameOf(int device) {
  const PaDeviceInfo* info = device >= 0 ? Pa_GetDeviceInfo(device) : nullptr;
  return info && info->name ? info->name : "none";
}

}  // namespace

PortAudioSystem::PortAudioSystem() {
  for (auto& v : volumes_) v = 0xFFFFFFFFu;
}

PortAudioSystem::~PortAudioSystem() {
  // A stream that was given up may still be in PortAudio's hands: terminating would wait for it.
  if (available_ && pa::AbandonedStreams() == 0) Pa_Terminate();
}

bool PortAudioSystem::Start() {
  if (started_) return available_;
  started_ = true;
  if (pa::QuietInitialize() != paNoError) return false;
  available_ = true;
  const PaHostApiIndex alsa = Pa_HostApiTypeIdToHostApiIndex(paALSA);
  if (alsa < 0) return true;
  const PaHostApiInfo* host = Pa_GetHostApiInfo(alsa);
  for (int i = 0; i < Pa_GetDeviceCount(); ++i) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
    if (!info || info->hostApi != alsa) continue;
    if (info->maxOutputChannels > 0) outputs_.push_back(i);
    if (info->maxInputChannels > 0) inputs_.push_back(i);
  }
  defaultOutput_ = host ? host->defaultOutputDevice : -1;
  defaultInput_ = host ? host->defaultInputDevice : -1;
  return true;
}

bool PortAudioSystem::Available() { return Start(); }

uint32_t PortAudioSystem::OutputCount() {
  Start();
  return uint32_t(outputs_.size());
}

uint32_t PortAudioSystem::InputCount() {
  Start();
  return uint32_t(inputs_.size());
}

int PortAudioSystem::OutputIndex(DeviceNumber n) {
  Start();
  return n < outputs_.size() ? outputs_[n] : defaultOutput_;
}

int PortAudioSystem::InputIndex(DeviceNumber n) {
  Start();
  return n < inputs_.size() ? inputs_[n] : defaultInput_;
}

// The default-device line shows the name of the device ALSA uses by default.
std::string PortAudioSystem::OutputName(DeviceNumber n) {
  const int index = OutputIndex(n);
  return n < outputs_.size() ? NameOf(index) : "Default device (" + NameOf(index) + ")";
}

std::string PortAudioSystem::InputName(DeviceNumber n) {
  const int index = InputIndex(n);
  return n < inputs_.size() ? NameOf(index) : "Default device (" + NameOf(index) + ")";
}

DeviceCaps PortAudioSystem::OutputCaps(DeviceNumber n) {
  const int index = OutputIndex(n);
  DeviceCaps caps;
  caps.name = OutputName(n);
  caps.formats = ProbeFormats(index, true);
  // Volume and balance are a gain of our own in the output callback.
  caps.features = index >= 0 ? feature::kVolume | feature::kLeftRightVolume : 0;
  return caps;
}

DeviceCaps PortAudioSystem::InputCaps(DeviceNumber n) {
  const int index = InputIndex(n);
  DeviceCaps caps;
  caps.name = InputName(n);
  caps.formats = ProbeFormats(index, false);
  return caps;
}

std::unique_ptr<OutputDevice> PortAudioSystem::MakeOutput(DeviceNumber n) {
  const int index = OutputIndex(n);
  if (index < 0) return nullptr;
  return std::make_unique<pa::Output>(index, VolumeOf(n >= outputs_.size() ? 0 : n));
}

std::unique_ptr<InputDevice> PortAudioSystem::MakeInput(DeviceNumber n) {
  const int index = InputIndex(n);
  if (index < 0) return nullptr;
  return std::make_unique<pa::Input>(index);
}

std::atomic<uint32_t>& PortAudioSystem::VolumeOf(DeviceNumber n) {
  return volumes_[n < volumes_.size() ? n : volumes_.size() - 1];
}

uint32_t PortAudioSystem::OutputVolume(DeviceNumber n) { return VolumeOf(n).load(); }

void PortAudioSystem::SetOutputVolume(DeviceNumber n, uint32_t volume) { VolumeOf(n).store(volume); }

}  // namespace tarkel::audio
