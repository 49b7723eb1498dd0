// The edit options of tarkel-cli: clipboard edits, range edits, moves, format conversion,
// "Paste New", the automatic-conversion switch and the edit previews.
#include <charconv>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliSession.h"
#include "sound/AppContext.h"
#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "sound/Ports.h"
#include "editing/Clipboard.h"
#include "document/EditCommands.h"
#include "editing/EditPreview.h"
#include "editing/SampleFormatConversion.h"

namespace tarkel {
namespace {

std::vector<std::string_view> SplitArgs(std::string_view args) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t comma = args.find(',', start);
    parts.push_back(args.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return parts;
}

template <class T>
bool ParseNumber(std::string_view text, T& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

CliStatus Usage(CliSession& session, const std::string& reason) {
  if (session.err) *session.err << "usage: " << reason << '\n';
  return CliStatus::Usage;
}

// The chooser of convert/reformat: returns the format given on the command line.
class GivenFormatChooser final : public FormatChooserPort {
 public:
  explicit GivenFormatChooser(const WaveFormat& format) : format_(format) {}
  int Choose(const std::string&, WaveFormat& format) override {
    format = format_;
    return kChooseOk;
  }

 private:
  WaveFormat format_;
};

// Installs a format chooser for the lifetime of the object.
class ChooserInstalled {
 public:
  explicit ChooserInstalled(FormatChooserPort& chooser) {
    Ports ports = CurrentPorts();
    ports.formatChooser = &chooser;
    previous_ = SetPorts(ports);
  }
  ~ChooserInstalled() { SetPorts(previous_); }
  ChooserInstalled(const ChooserInstalled&) = delete;
  ChooserInstalled& operator=(const ChooserInstalled&) = delete;

 private:
  Ports previous_;
};

struct NamedCommand {
  std::string_view name;
  EditCommand command;
};

constexpr NamedCommand kRangeCommands[] = {
    {"copy", EditCommand::Copy},
    {"cut", EditCommand::Cut},
    {"paste", EditCommand::Paste},
    {"paste-over", EditCommand::PasteOver},
    {"paste-over-exactly", EditCommand::PasteOverExactly},
    {"mix", EditCommand::Mix},
    {"mix-exactly", EditCommand::MixExactly},
    {"trim", EditCommand::Trim},
    {"delete", EditCommand::Delete},
    {"erase", EditCommand::Erase},
};

struct NamedPreview {
  std::string_view name;
  PreviewKind kind;
};

constexpr NamedPreview kPreviews[] = {
    {"cut", PreviewKind::Cut},
    {"paste", PreviewKind::Paste},
    {"paste-over", PreviewKind::PasteOver},
    {"paste-over-exactly", PreviewKind::PasteOverExactly},
    {"trim", PreviewKind::Trim},
    {"delete", PreviewKind::Delete},
};

CliStatus Run(CliSession& session, EditCommand command, const EditArgs& args = {}) {
  EditCommandResult result;
  if (!RunEditCommand(*session.doc, command, session.First(), session.Last(), session.Mode(), args, &result))
    return CliStatus::Failed;
  if (result.newSelection) session.Select(result.selFirst, result.selLast, result.selMode);
  return CliStatus::Ok;
}

// "DEST[,left|right|both]": the destination frame and channel (the selection's channel when
// none is given).
bool ParseDestination(CliSession& session, std::string_view text, EditArgs& args) {
  const std::vector<std::string_view> parts = SplitArgs(text);
  if (parts.size() > 2 || !ParseNumber(parts[0], args.destination)) return false;
  args.destinationMode = session.Mode();
  if (parts.size() == 2) {
    const bool mono = session.Mode() == ChannelMode::Mono;
    if (parts[1] == "left")
      args.destinationMode = mono ? ChannelMode::Mono : ChannelMode::Left;
    else if (parts[1] == "right")
      args.destinationMode = mono ? ChannelMode::Mono : ChannelMode::Right;
    else if (parts[1] == "both")
      args.destinationMode = mono ? ChannelMode::Mono : ChannelMode::Both;
    else
      return false;
  }
  return true;
}

// "TAG,CH,RATE,BITS".
bool ParseFormat(std::string_view text, WaveFormat& format) {
  const std::vector<std::string_view> parts = SplitArgs(text);
  uint16_t tag = 0, channels = 0, bits = 0;
  uint32_t rate = 0;
  if (parts.size() != 4 || !ParseNumber(parts[0], tag) || !ParseNumber(parts[1], channels) ||
      !ParseNumber(parts[2], rate) || !ParseNumber(parts[3], bits))
    return false;
  if (channels == 0 || rate == 0 || bits == 0) return false;
  format = WaveFormat::Make(tag, channels, rate, bits);
  return true;
}

CliStatus RunFormatChange(CliSession& session, std::string_view args, bool withData) {
  WaveFormat format;
  if (!ParseFormat(args, format)) return Usage(session, "convert/reformat:TAG,CH,RATE,BITS");
  GivenFormatChooser chooser(format);
  ChooserInstalled installed(chooser);
  const bool ok = session.doc->RunEdit(UndoRequest::None(), session.Mode(), [&](DocWaveAudio& wave) {
    const bool done = withData ? ConvertSampleFormat(wave) : ChangeFormatWithoutData(wave);
    return done ? EditOutcome::Done() : EditOutcome::Failed();
  });
  if (ok) session.doc->ResetViewsToLength();
  return ok ? CliStatus::Ok : CliStatus::Failed;
}

// A new document filled from the clipboard takes the place of the current one.
CliStatus RunPasteNew(CliSession& session) {
  auto doc = std::make_unique<CTarkelDoc>();
  DocumentHooks& hooks = TheDocumentHooks();
  const auto previousHook = hooks.pasteAsNew;
  if (!hooks.pasteAsNew) hooks.pasteAsNew = [](CTarkelDoc& d) { return FillFromClipboard(d.Sound()); };
  App().pasteAsNewMarker = kPasteAsNewMarker;
  const bool ok = doc->New();
  App().pasteAsNewMarker = 0;
  hooks.pasteAsNew = previousHook;
  if (!ok) return CliStatus::Failed;
  if (session.doc) session.doc->Close();
  session.doc = std::move(doc);
  session.selection.Clear();
  return CliStatus::Ok;
}

CliStatus RunPreview(CliSession& session, std::string_view which) {
  for (const NamedPreview& p : kPreviews) {
    if (p.name != which) continue;
    DocWaveAudio& wave = session.doc->Sound();
    bool ok = false;
    const std::vector<PreviewRange> ranges =
        BuildPreview(wave, p.kind, session.First(), session.Last(), session.Mode(), ok);
    wave.WorkImage().Free();  // nothing plays here
    if (!ok) return CliStatus::Failed;
    if (session.out)
      for (const PreviewRange& r : ranges)
        *session.out << r.first << ' ' << r.end << ' '
                     << (r.source == PreviewSource::Clipboard ? "clipboard" : "document") << '\n';
    return CliStatus::Ok;
  }
  return Usage(session, "preview:cut|paste|paste-over|paste-over-exactly|trim|delete");
}

}  // namespace

CliStatus RunEditOption(CliSession& session, std::string_view arg) {
  const size_t colon = arg.find(':');
  const std::string_view name = arg.substr(0, colon);
  const bool hasArgs = colon != std::string_view::npos;
  const std::string_view args = hasArgs ? arg.substr(colon + 1) : std::string_view();

  if (name == "autoconvert") {
    if (args == "on") App().autoConvertDisabled = false;
    else if (args == "off") App().autoConvertDisabled = true;
    else return Usage(session, "autoconvert:on|off");
    return CliStatus::Ok;
  }
  if (name == "paste-new") {
    if (hasArgs) return Usage(session, "paste-new takes no arguments");
    return RunPasteNew(session);
  }
  if (!session.doc) return Usage(session, std::string(name) + " needs a sound");

  for (const NamedCommand& c : kRangeCommands) {
    if (c.name != name) continue;
    if (hasArgs) return Usage(session, std::string(name) + " takes no arguments");
    return Run(session, c.command);
  }
  EditArgs edit;
  if (name == "crossfade") {
    const std::vector<std::string_view> parts = SplitArgs(args);
    int32_t limit = 0;
    if (!hasArgs || parts.size() != 3 || !ParseNumber(parts[0], edit.crossfade.soundStartLevel) ||
        !ParseNumber(parts[1], edit.crossfade.soundEndLevel) || !ParseNumber(parts[2], limit) ||
        (limit != 0 && limit != 1))
      return Usage(session, "crossfade:P1,P2,P3 (levels in percent, P3 0 or 1)");
    edit.crossfade.limitToSelection = limit;
    return Run(session, limit == 1 ? EditCommand::CrossfadeExactly : EditCommand::Crossfade, edit);
  }
  if (name == "insert-silence") {
    if (!ParseNumber(args, edit.frames) || edit.frames == 0) return Usage(session, "insert-silence:FRAMES");
    return Run(session, EditCommand::InsertSilence, edit);
  }
  if (name == "length") {
    if (!ParseNumber(args, edit.frames)) return Usage(session, "length:FRAMES");
    return Run(session, EditCommand::ChangeLength, edit);
  }
  if (name == "speed") {
    if (!ParseNumber(args, edit.rate) || edit.rate == 0) return Usage(session, "speed:RATE");
    return Run(session, EditCommand::Speed, edit);
  }
  if (name == "move" || name == "copy-to") {
    if (!ParseDestination(session, args, edit)) return Usage(session, std::string(name) + ":DEST[,left|right|both]");
    return Run(session, name == "move" ? EditCommand::Move : EditCommand::CopyTo, edit);
  }
  if (name == "convert") return RunFormatChange(session, args, true);
  if (name == "reformat") return RunFormatChange(session, args, false);
  if (name == "preview") return RunPreview(session, args);
  return Usage(session, "unknown edit option \"" + std::string(name) + "\"");
}

}  // namespace tarkel
