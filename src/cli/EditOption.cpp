// The edit options of tarkel-cli: clipboard edits, range edits, moves, format conversion,
// "Paste New", the automatic-conversion switch and the edit previews. Each parses its arguments
// and calls the document's command.
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliPorts.h"
#include "cli/CliSession.h"
#include "sound/AppContext.h"
#include "sound/Ports.h"
#include "editing/EditPreview.h"
#include "document/CTarkelDoc.h"
#include "document/EditCommands.h"

namespace tarkel {
namespace {

CliStatus Usage(CliSession& session, const std::string& reason) {
  if (session.err) *session.err << "usage: " << reason << '\n';
  return CliStatus::Usage;
}

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
  const std::vector<std::string> parts = SplitFields(text);
  if (parts.empty() || parts.size() > 2 || !ParseNumber(parts[0], args.destination)) return false;
  args.destinationMode = session.Mode();
  if (parts.size() == 2) {
    if (parts[1] != "left" && parts[1] != "right" && parts[1] != "both") return false;
    Selection destination = session.selection;
    destination.SetChannel(parts[1] == "left" ? ChannelChoice::Left
                           : parts[1] == "right" ? ChannelChoice::Right
                                                 : ChannelChoice::Both);
    args.destinationMode = destination.Mode(session.doc->Sound());
  }
  return true;
}

// "TAG,CH,RATE,BITS".
bool ParseFormat(std::string_view text, WaveFormat& format) {
  const std::vector<std::string> parts = SplitFields(text);
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
  FixedFormatChooser chooser;
  chooser.Set(format);
  ChooserInstalled installed(chooser);
  return ChangeFormatCommand(*session.doc, withData, session.Mode()) ? CliStatus::Ok : CliStatus::Failed;
}

// A new document filled from the clipboard takes the place of the current one.
CliStatus RunPasteNew(CliSession& session) {
  auto doc = std::make_unique<CTarkelDoc>();
  if (!doc->NewFromClipboard()) return CliStatus::Failed;
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

// The arguments of a command that takes them, into `edit`; false for a usage error (`usage`
// then holds the form to show).
bool ParseEditArgs(CliSession& session, const EditCommandEntry& entry, std::string_view args, EditArgs& edit,
                   EditCommand& command, std::string& usage) {
  command = entry.command;
  switch (entry.command) {
    case EditCommand::Crossfade: {
      usage = "crossfade:P1,P2,P3 (levels in percent, P3 0 or 1)";
      const std::vector<std::string> parts = SplitFields(args);
      int32_t limit = 0;
      if (parts.size() != 3 || !ParseNumber(parts[0], edit.crossfade.soundStartLevel) ||
          !ParseNumber(parts[1], edit.crossfade.soundEndLevel) || !ParseNumber(parts[2], limit) ||
          (limit != 0 && limit != 1))
        return false;
      edit.crossfade.limitToSelection = limit;
      if (limit == 1) command = EditCommand::CrossfadeExactly;
      return true;
    }
    case EditCommand::InsertSilence:
      usage = "insert-silence:FRAMES";
      return ParseNumber(args, edit.frames) && edit.frames != 0;
    case EditCommand::ChangeLength:
      usage = "length:FRAMES";
      return ParseNumber(args, edit.frames);
    case EditCommand::Speed:
      usage = "speed:RATE";
      return ParseNumber(args, edit.rate) && edit.rate != 0;
    case EditCommand::Move:
    case EditCommand::CopyTo:
      usage = std::string(entry.name) + ":DEST[,left|right|both]";
      return ParseDestination(session, args, edit);
    default:
      usage = std::string(entry.name);
      return false;
  }
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

  if (const EditCommandEntry* entry = FindEditCommand(name)) {
    if (!entry->takesArgs) {
      if (hasArgs) return Usage(session, std::string(name) + " takes no arguments");
      return Run(session, entry->command);
    }
    EditArgs edit;
    EditCommand command = entry->command;
    std::string usage;
    if (!ParseEditArgs(session, *entry, args, edit, command, usage)) return Usage(session, usage);
    return Run(session, command, edit);
  }
  if (name == "convert") return RunFormatChange(session, args, true);
  if (name == "reformat") return RunFormatChange(session, args, false);
  if (name == "preview") return RunPreview(session, args);
  return Usage(session, "unknown edit option \"" + std::string(name) + "\"");
}

}  // namespace tarkel
