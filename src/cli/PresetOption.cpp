// The preset options of tarkel-cli: effects and the clipboard crossfade run with the values of a
// dialog's named preset, converted into the record exactly as the dialog's OK converts them, and
// the preset files listed and extended from the command line.
//   --effect NAME@PRESET (dtmf@PRESET:DIGITS)   --edit crossfade@PRESET
//   --preset-dir DIR   --list-presets NAME   --save-preset NAME@PRESET:V1,V2,...
#include <optional>
#include <ostream>
#include <string>

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliSession.h"
#include "dialogs/DialogCommand.h"
#include "dialogs/PresetList.h"
#include "document/CTarkelDoc.h"
#include "effects/EffectIds.h"

namespace tarkel {
namespace {

CliStatus Usage(CliSession& session, const std::string& reason) {
  if (session.err) *session.err << "tarkel-cli: " << reason << '\n';
  return CliStatus::Usage;
}

std::string Folder(const CliSession& session) {
  return session.presetDir.empty() ? DefaultPresetFolder() : session.presetDir;
}

// The dialog of NAME, when it keeps presets.
const DialogDecl* PresetDialog(std::string_view name) {
  const DialogDecl* entry = FindDialogByName(name);
  return entry && entry->presetFile ? entry : nullptr;
}

std::string PathOf(const CliSession& session, const DialogDecl& entry) {
  return PresetPath(Folder(session), entry.presetFile);
}

// The dialog's values after applying the preset `preset` (the last of that name), as the dialog
// shows them after picking it in the combo box.
std::optional<DialogValues> PresetValues(CliSession& session, const DialogDecl& entry, const std::string& preset) {
  const std::string path = PathOf(session, entry);
  PresetList list(entry.PresetValueCount());
  list.Load(path);
  const CEffectPreset* found = list.Find(preset);
  if (!found) {
    Usage(session, "no preset '" + preset + "' in " + path);
    return std::nullopt;
  }
  DialogValues values(entry);
  values.ApplyPresetValues(found->values);
  return values;
}

// The check the dialog's OK makes (the offset against the sample width): false after a usage
// message when it refuses the values.
bool Accepted(CliSession& session, const DialogValues& values) {
  const auto rejected = values.Validate(session.doc->Sound().BitsPerSample());
  if (rejected) Usage(session, std::string(values.Entry().name) + ": " + *rejected);
  return !rejected;
}

CliStatus RunCommand(CliSession& session, DialogValues& values) {
  if (!Accepted(session, values)) return CliStatus::Usage;
  DialogCommand command = BuildDialogCommand(values);
  return RunDialogCommand(*session.doc, command, session.First(), session.Last(), session.Mode()) ? CliStatus::Ok
                                                                                                  : CliStatus::Failed;
}

CliStatus ListPresets(CliSession& session, const std::string& name) {
  const DialogDecl* entry = PresetDialog(name);
  if (!entry) return Usage(session, "--list-presets: no effect dialog named '" + name + "'");
  PresetList list(entry->PresetValueCount());
  list.Load(PathOf(session, *entry));
  for (const CEffectPreset& p : list.Presets()) {
    *session.out << p.name << '\t';
    for (size_t i = 0; i < p.values.size(); ++i) *session.out << (i ? "," : "") << p.values[i];
    *session.out << '\n';
  }
  return CliStatus::Ok;
}

CliStatus SavePreset(CliSession& session, const std::string& arg) {
  const std::string usage = "--save-preset wants NAME@PRESET:V1,V2,... not '" + arg + "'";
  const size_t at = arg.find('@');
  const size_t colon = arg.rfind(':');
  if (at == std::string::npos || colon == std::string::npos || colon < at) return Usage(session, usage);
  const DialogDecl* entry = PresetDialog(arg.substr(0, at));
  if (!entry) return Usage(session, "--save-preset: no effect dialog named '" + arg.substr(0, at) + "'");
  const std::vector<std::string> fields = SplitFields(std::string_view(arg).substr(colon + 1));
  if (fields.size() != entry->PresetValueCount())
    return Usage(session, std::string(entry->name) + " presets hold " + std::to_string(entry->PresetValueCount()) +
                              " values, not " + std::to_string(fields.size()));
  std::vector<int32_t> values;
  size_t field = 0;
  for (const ParamDecl& param : entry->params) {
    if (!param.InPresets()) continue;
    const std::optional<int32_t> v = ParsePresetValue(param, fields[field++]);
    if (!v) return Usage(session, usage);
    values.push_back(*v);
  }
  const std::string path = PathOf(session, *entry);
  PresetList list(entry->PresetValueCount());
  list.Load(path);
  list.Save(arg.substr(at + 1, colon - at - 1), values);
  if (!list.Store(path)) {
    *session.err << "tarkel-cli: cannot write " << path << '\n';
    return CliStatus::Failed;
  }
  return CliStatus::Ok;
}

}  // namespace

bool IsPresetReference(std::string_view arg) {
  const size_t at = arg.find('@');
  return at != std::string_view::npos && at < arg.find(':');
}

std::optional<EffectRequest> PresetEffectRequest(CliSession& session, std::string_view arg) {
  const size_t at = arg.find('@');
  const std::string name(arg.substr(0, at));
  std::string preset(arg.substr(at + 1));
  const DialogDecl* entry = PresetDialog(name);
  if (!entry || entry->operation != DialogOperation::Effect) {
    Usage(session, "--effect: no effect dialog with presets named '" + name + "'");
    return std::nullopt;
  }
  std::string digits;
  if (entry->effectId == effect::kDtmf) {
    const size_t colon = preset.rfind(':');
    if (colon == std::string::npos) {
      Usage(session, "dtmf wants dtmf@PRESET:DIGITS");
      return std::nullopt;
    }
    digits = preset.substr(colon + 1);
    preset.resize(colon);
  }
  std::optional<DialogValues> values = PresetValues(session, *entry, preset);
  if (!values || (session.doc && !Accepted(session, *values))) return std::nullopt;
  values->SetText(digits);
  EffectRequest request = BuildDialogCommand(*values).request;
  request.Bind();
  return request;
}

CliStatus RunEditPresetOption(CliSession& session, std::string_view arg) {
  const size_t at = arg.find('@');
  const DialogDecl* entry = PresetDialog(arg.substr(0, at));
  if (!entry || entry->operation != DialogOperation::ClipCrossfade)
    return Usage(session, "--edit: only crossfade@PRESET takes a preset");
  std::optional<DialogValues> values = PresetValues(session, *entry, std::string(arg.substr(at + 1)));
  return values ? RunCommand(session, *values) : CliStatus::Usage;
}

CliStatus RunPresetStep(CliSession& session, const CliStep& step) {
  switch (step.kind) {
    case StepKind::PresetDir: session.presetDir = step.value; return CliStatus::Ok;
    case StepKind::ListPresets: return ListPresets(session, step.value);
    case StepKind::SavePreset: return SavePreset(session, step.value);
    default: return CliStatus::Usage;
  }
}

}  // namespace tarkel
