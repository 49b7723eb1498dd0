// --play, --record, --device N, --input-device N and --list-devices: the editor's playback and
// recording engines on the machine's sound devices (PortAudio over ALSA), driven without a
// window: the command starts as the view's command does and the poll runs until it has ended.
#include <chrono>
#include <memory>
#include <ostream>
#include <thread>

#include "audio/AudioTransport.h"
#include "audio/DeviceFormats.h"
#include "audio/portaudio/PortAudioSystem.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "document/CTarkelDoc.h"

namespace tarkel {
namespace {

// How often the poll looks at the blocks while a command waits for the end.
constexpr std::chrono::milliseconds kPollPeriod{40};

struct CliAudio {
  audio::PortAudioSystem devices;
  audio::AudioTransport transport{devices};
};

// PortAudio starts only for the options that need it.
CliAudio& Audio() {
  static CliAudio audio;
  static const bool hooked = (audio.transport.InstallDocumentHooks(), true);
  (void)hooked;
  return audio;
}

// Device numbers given before the sound devices were started.
audio::DeviceNumber gOutput = 0;
audio::DeviceNumber gInput = 0;

void WaitWhile(audio::AudioTransport& transport, bool (audio::AudioTransport::*busy)() const) {
  while ((transport.*busy)()) {
    std::this_thread::sleep_for(kPollPeriod);
    transport.Poll();
  }
}

CliStatus Play(CliSession& session) {
  audio::AudioTransport& transport = Audio().transport;
  transport.SetOutputDevice(gOutput);
  CTarkelDoc& doc = *session.doc;
  const bool ok = session.selection.IsSet() ? transport.PlaySelection(doc, session.selection) : transport.PlayAll(doc);
  if (!ok) {
    *session.err << "tarkel-cli: --play: nothing was played\n";
    return CliStatus::Failed;
  }
  WaitWhile(transport, &audio::AudioTransport::Playing);
  return transport.Playback().LastPlayFailed() ? CliStatus::Failed : CliStatus::Ok;
}

CliStatus Record(CliSession& session) {
  audio::AudioTransport& transport = Audio().transport;
  transport.SetInputDevice(gInput);
  CTarkelDoc& doc = *session.doc;
  const bool ok = session.selection.IsSet() ? transport.RecordSelection(doc, session.selection) : transport.RecordAll(doc);
  if (!ok) {
    *session.err << "tarkel-cli: --record: nothing was recorded\n";
    return CliStatus::Failed;
  }
  WaitWhile(transport, &audio::AudioTransport::Recording);
  return transport.Recorder().LastRecordingFailed() ? CliStatus::Failed : CliStatus::Ok;
}

// One line per device number, the default device last, for playing and then for recording.
void ListDevices(std::ostream& out) {
  audio::DeviceSystem& devices = Audio().devices;
  const uint32_t outputs = devices.OutputCount();
  for (uint32_t n = 0; n <= outputs; ++n) out << "play " << audio::DeviceLine(n, devices.OutputCaps(n)) << '\n';
  const uint32_t inputs = devices.InputCount();
  for (uint32_t n = 0; n <= inputs; ++n) out << "record " << audio::DeviceLine(n, devices.InputCaps(n)) << '\n';
}

CliStatus SetDevice(CliSession& session, const CliStep& step, audio::DeviceNumber& number) {
  const std::optional<uint32_t> n = ParseUnsigned(step.value);
  if (!n) {
    *session.err << "tarkel-cli: " << (&number == &gOutput ? "--device" : "--input-device")
                 << " wants a device number, not '" << step.value << "'\n";
    return CliStatus::Usage;
  }
  number = *n;
  return CliStatus::Ok;
}

}  // namespace

CliStatus RunAudioStep(CliSession& session, const CliStep& step) {
  switch (step.kind) {
    case StepKind::Device: return SetDevice(session, step, gOutput);
    case StepKind::InputDevice: return SetDevice(session, step, gInput);
    case StepKind::ListDevices: ListDevices(*session.out); return CliStatus::Ok;
    default: break;
  }
  if (!session.doc) {
    *session.err << "tarkel-cli: no sound to work on: give FILE or --new first\n";
    return CliStatus::Usage;
  }
  return step.kind == StepKind::Play ? Play(session) : Record(session);
}

}  // namespace tarkel
