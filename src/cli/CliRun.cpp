#include <optional>
#include <ostream>

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliPorts.h"
#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "document/UndoStore.h"
#include "fileformats/HeldFormat.h"
#include "sound/Ports.h"

namespace tarkel {
namespace {

constexpr uint32_t kDefaultNewFrames = 661500;

CliStatus NoSound(CliSession& session, const CliStep& step) {
  (void)step;
  *session.err << "tarkel-cli: no sound to work on: give FILE or --new first\n";
  return CliStatus::Usage;
}

CliStatus Result(bool ok) { return ok ? CliStatus::Ok : CliStatus::Failed; }

// The session's sound gives way to another: the region manager drops its regions (1124).
void ReplaceDocument(CliSession& session, std::unique_ptr<CTarkelDoc> doc) {
  if (RegionSink* regions = TheDocumentHooks().regionSink; regions && session.doc) regions->OnDocumentCloses(*session.doc);
  session.doc = std::move(doc);
}

void PrintInfo(const CliSession& session) {
  const DocWaveAudio& w = session.doc->Sound();
  std::ostream& out = *session.out;
  out << "format-tag: " << w.FormatTag() << '\n'
      << "channels: " << w.Channels() << '\n'
      << "rate: " << w.Rate() << '\n'
      << "avg-bytes: " << w.AvgBytesPerSec() << '\n'
      << "block-align: " << w.BlockAlign() << '\n'
      << "bits: " << w.BitsPerSample() << '\n'
      << "extra-size: " << w.Format().ExtraSize() << '\n'
      << "frames: " << SampleFramesOf(w) << '\n'
      << "data-bytes: " << w.DataSize() << '\n'
      << "length: " << LengthText(session) << '\n';
}

CliStatus RunNew(CliSession& session, FixedFormatChooser& chooser, const std::string& value) {
  const auto f = SplitFields(value);
  const WaveFormat format = WaveFormat::Make(uint16_t(*ParseUnsigned(f[0])), uint16_t(*ParseUnsigned(f[1])),
                                             *ParseUnsigned(f[2]), uint16_t(*ParseUnsigned(f[3])));
  const uint32_t frames = f.size() > 4 ? *ParseUnsigned(f[4]) : kDefaultNewFrames;
  auto doc = std::make_unique<CTarkelDoc>();
  // New asks the format chooser and then the change-length dialog: both answer from the option.
  chooser.Set(format);
  auto& hooks = TheDocumentHooks();
  const auto askLength = hooks.askLength;
  hooks.askLength = [frames](CTarkelDoc&, uint32_t) { return std::optional<uint32_t>(frames); };
  const bool ok = doc->New();
  hooks.askLength = askLength;
  chooser.Clear();
  if (!ok) return CliStatus::Failed;
  ReplaceDocument(session, std::move(doc));
  session.selection.Clear();
  return CliStatus::Ok;
}

}  // namespace

CliStatus RunOpen(CliSession& session, const std::string& path) {
  auto doc = std::make_unique<CTarkelDoc>();
  if (!doc->Open(path)) return CliStatus::Failed;
  ReplaceDocument(session, std::move(doc));
  session.selection.Clear();
  return CliStatus::Ok;
}

namespace {

void SetChannel(CliSession& session, const std::string& value) {
  session.selection.SetChannel(value == "left" ? ChannelChoice::Left : value == "right" ? ChannelChoice::Right : ChannelChoice::Both);
}

}  // namespace

CliStatus RunStep(CliSession& session, FixedFormatChooser& chooser, const CliStep& step) {
  switch (step.kind) {
    case StepKind::Open: return RunOpenStep(session, step);
    case StepKind::New: return RunNew(session, chooser, step.value);
    case StepKind::Select: return RunSelectOption(session, step.value);
    case StepKind::Unit:
    case StepKind::Fps: return RunUnitOption(session, step);
    case StepKind::Channel: SetChannel(session, step.value); return CliStatus::Ok;
    case StepKind::Clipboard: session.clipboardFile = step.value; return CliStatus::Ok;
    case StepKind::Answer: session.answerYes = step.value == "yes"; return CliStatus::Ok;
    case StepKind::UndoOff: TheUndoStore().SetEnabled(false); return CliStatus::Ok;
    case StepKind::PresetDir:
    case StepKind::ListPresets:
    case StepKind::SavePreset: return RunPresetStep(session, step);
    case StepKind::Region: case StepKind::LoadCue: case StepKind::SaveCue: case StepKind::ListRegions:
    case StepKind::ExportPlayList: return RunRegionOption(session, step);
    case StepKind::Device:
    case StepKind::InputDevice:
    case StepKind::ListDevices:
    case StepKind::Play:
    case StepKind::Record: return RunAudioStep(session, step);
    default: break;
  }
  if (!session.doc) return NoSound(session, step);
  switch (step.kind) {
    case StepKind::Info: PrintInfo(session); return CliStatus::Ok;
    case StepKind::Undo:
      if (!session.doc->CanUndo()) {
        ShowText("There is no change to undo");
        return CliStatus::Failed;
      }
      return Result(session.doc->UndoLastChange());
    case StepKind::Save: return Result(session.doc->Save(step.value));
    case StepKind::SaveSelection: {
      // The selection's last frame is inclusive; the writer takes the frame after it.
      const uint32_t frames = session.doc->Sound().Frames();
      const uint32_t end = session.Last() + 1 < frames ? session.Last() + 1 : frames;
      return Result(session.doc->SaveSelectedArea(step.value, session.First(), end));
    }
    case StepKind::Edit:
      return IsPresetReference(step.value) ? RunEditPresetOption(session, step.value) : RunEditOption(session, step.value);
    case StepKind::Effect: return RunEffectOption(session, step.value);
    case StepKind::Preview: return RunPreviewOption(session, step.value, step.value2);
    default: return CliStatus::Usage;
  }
}

}  // namespace tarkel
