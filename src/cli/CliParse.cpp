#include <map>

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"

namespace tarkel {
namespace {

struct OptionShape {
  StepKind kind;
  int values;  // how many arguments follow the option
};

const std::map<std::string, OptionShape>& Options() {
  static const std::map<std::string, OptionShape> options = {
      {"--new", {StepKind::New, 1}},
      {"--info", {StepKind::Info, 0}},
      {"--select", {StepKind::Select, 1}},
      {"--channel", {StepKind::Channel, 1}},
      {"--clipboard", {StepKind::Clipboard, 1}},
      {"--yes", {StepKind::Answer, 0}},
      {"--no", {StepKind::Answer, 0}},
      {"--undo-off", {StepKind::UndoOff, 0}},
      {"--undo", {StepKind::Undo, 0}},
      {"-o", {StepKind::Save, 1}},
      {"--output", {StepKind::Save, 1}},
      {"--save-selection", {StepKind::SaveSelection, 1}},
      {"--edit", {StepKind::Edit, 1}},
      {"--effect", {StepKind::Effect, 1}},
      {"--preview", {StepKind::Preview, 2}},
      {"--preset-dir", {StepKind::PresetDir, 1}},
      {"--list-presets", {StepKind::ListPresets, 1}},
      {"--save-preset", {StepKind::SavePreset, 1}},
      {"--region", {StepKind::Region, 1}},
      {"--load-cue", {StepKind::LoadCue, 1}},
      {"--save-cue", {StepKind::SaveCue, 1}},
      {"--list-regions", {StepKind::ListRegions, 0}},
      {"--export-play-list", {StepKind::ExportPlayList, 1}},
      {"--play", {StepKind::Play, 0}},
      {"--record", {StepKind::Record, 0}},
      {"--device", {StepKind::Device, 1}},
      {"--input-device", {StepKind::InputDevice, 1}},
      {"--list-devices", {StepKind::ListDevices, 0}},
      {"--unit", {StepKind::Unit, 1}},
      {"--fps", {StepKind::Fps, 1}},
      {"--hard-disk", {StepKind::HardDisk, 0}},
  };
  return options;
}

// Checks the values that can be checked before anything runs.
bool CheckValue(const CliStep& step, std::string& error) {
  switch (step.kind) {
    case StepKind::Channel:
      if (step.value != "left" && step.value != "right" && step.value != "both") {
        error = "--channel wants left, right or both, not '" + step.value + "'";
        return false;
      }
      return true;
    case StepKind::New: {
      const auto fields = SplitFields(step.value);
      bool ok = fields.size() == 4 || fields.size() == 5;
      for (const auto& f : fields) ok = ok && ParseUnsigned(f).has_value();
      if (ok) {
        const uint32_t tag = *ParseUnsigned(fields[0]), channels = *ParseUnsigned(fields[1]);
        const uint32_t rate = *ParseUnsigned(fields[2]), bits = *ParseUnsigned(fields[3]);
        ok = tag <= 0xFFFF && channels >= 1 && channels <= 2 && rate >= 1 && (bits == 8 || bits == 16);
      }
      if (!ok) {
        error = "--new wants TAG,CH,RATE,BITS[,FRAMES] with 1 or 2 channels and 8 or 16 bits, not '" + step.value + "'";
        return false;
      }
      return true;
    }
    case StepKind::Region: return CheckRegionArgument(step.value, error);
    default: return true;
  }
}

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& args, std::vector<CliStep>& steps, std::string& error) {
  std::string file;
  bool haveFile = false;
  DisplayUnit unit = DisplayUnit::Samples;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg == "--help" || arg == "-h") return ParseResult::Help;
    if (arg == "--version") return ParseResult::Version;
    if (arg.size() > 1 && arg[0] == '-') {
      std::string inlineValue;
      bool hasInline = false;
      if (const size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
        inlineValue = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
        hasInline = true;
      }
      const auto found = Options().find(arg);
      if (found == Options().end()) {
        error = "unknown option '" + arg + "'";
        return ParseResult::Error;
      }
      CliStep step{found->second.kind, arg == "--yes" ? "yes" : "", ""};
      const int values = found->second.values;
      if (hasInline && values == 0) {
        error = "option '" + arg + "' takes no value";
        return ParseResult::Error;
      }
      std::vector<std::string> taken;
      if (hasInline) taken.push_back(inlineValue);
      while (int(taken.size()) < values) {
        if (i + 1 >= args.size()) {
          error = "option '" + arg + "' needs " + (values == 2 ? "two values" : "a value");
          return ParseResult::Error;
        }
        taken.push_back(args[++i]);
      }
      if (values >= 1) step.value = taken[0];
      if (values >= 2) step.value2 = taken[1];
      if (!CheckValue(step, error) || !CheckUnitStep(step, unit, error)) return ParseResult::Error;
      steps.push_back(step);
      continue;
    }
    if (haveFile) {
      error = "more than one FILE given ('" + file + "' and '" + arg + "')";
      return ParseResult::Error;
    }
    file = arg;
    haveFile = true;
  }
  if (haveFile) steps.insert(steps.begin(), CliStep{StepKind::Open, file, ""});
  if (!ApplyHardDiskOption(steps, error)) return ParseResult::Error;
  if (steps.empty()) {
    error = "nothing to do: give FILE or --new";
    return ParseResult::Error;
  }
  return ParseResult::Run;
}

std::string UsageText() {
  return "Usage: tarkel-cli [OPTIONS] [FILE]\n"
         "  FILE                     opened as the editor opens a file (RIFF WAVE, Creative Voice or raw)\n"
         "  --new TAG,CH,RATE,BITS[,FRAMES]\n"
         "                           a new sound instead of a file (FRAMES default 661500)\n"
         "  --info                   print the sound as \"key: value\" lines\n"
         "  --select FIRST:LAST      the selection in frames, inclusive; both ends rounded down to even\n"
         "  --unit samples|seconds|ms|bytes|smpte|frames\n"
         "                           the unit of later --select positions and of --info's length\n"
         "  --fps 25|24|30|29|100    frames per second of the smpte and frames units (default 25)\n"
         "  --channel left|right|both  the channels the following operations touch\n"
         "  --clipboard FILE         a file standing in for the system clipboard\n"
         "  --yes | --no             the answer to every question an operation asks (default --no)\n"
         "  --undo-off               switch undo off\n"
         "  --undo                   undo the last change\n"
         "  -o FILE | --output FILE  save the whole sound; the writer is chosen by the name\n"
         "  --save-selection FILE    save the selection\n"
         "  --edit NAME[:ARGS]       an edit on the selection and channel:\n"
         "                           copy cut paste paste-over paste-over-exactly mix mix-exactly\n"
         "                           crossfade:P1,P2,P3 trim delete erase insert-silence:FRAMES\n"
         "                           length:FRAMES speed:RATE move:DEST[,left|right|both]\n"
         "                           copy-to:DEST[,left|right|both] convert:TAG,CH,RATE,BITS\n"
         "                           reformat:TAG,CH,RATE,BITS paste-new autoconvert:on|off\n"
         "                           preview:cut|paste|paste-over|paste-over-exactly|trim|delete\n"
         "  --effect NAME[:V1,...]   an effect on the selection and channel, by name or number:\n"
         "                           hall echo robotize highpass lowpass bandpass noisegate\n"
         "                           boostlong boostshort chcross fade synth vibrato reverse\n"
         "                           amiga normalize volume vibverb digidelay metal tube\n"
         "                           dtmf:LEVEL,DIGITS fusion offset\n"
         "                           filter:LOWER,UPPER,INSIDE,OUTSIDE,BLOCK,MODE equalizer:G1,...,G5\n"
         "                           invert swap match envelope:W,x0,y0,x1,y1,...\n"
         "  --preview NAME[:V1,...] FILE  write an effect's preview block (a wave image) to FILE\n"
         "  --effect NAME@PRESET     an effect with the values of its dialog's preset (dtmf@PRESET:DIGITS);\n"
         "                           --edit crossfade@PRESET likewise\n"
         "  --preset-dir DIR         read and write preset files in DIR\n"
         "  --list-presets NAME      print each preset of a dialog: name, a tab, its values\n"
         "  --save-preset NAME@PRESET:V1,...  append a preset to a dialog's preset file\n"
         "  --region NAME,FIRST,LAST,L|R|LR|M,REPEATS  add a region of the sound to the play list\n"
         "  --load-cue FILE          append the regions of a cue file, opening the sounds it names\n"
         "  --save-cue FILE          write the play list as a cue file\n"
         "  --list-regions           print the play list: number, name, start, end, channel, repeats, file\n"
         "  --export-play-list FILE  write every region with its repeats, in order, as one WAVE file\n"
         "  --play                   play the selection (the whole sound without --select); returns at its end\n"
         "  --record                 record over the selection as \"record selected area\" does (with undo),\n"
         "                           or over the whole sound without --select (\"record all\")\n"
         "  --device N               the output device for --play (N = the count: the default device)\n"
         "  --input-device N         the input device for --record\n"
         "  --list-devices           one line per device: number, name, the standard formats it takes\n"
         "  --hard-disk              edit FILE in place on the disk (journalled; -o is refused)\n"
         "  --help, --version\n"
         "Options act in command-line order. Messages go to standard error as \"message NNNN: TEXT\".\n"
         "Exit status: 0 when every step succeeded, 1 when one failed, 2 for a usage error.\n";
}

std::string VersionText() { return "tarkel-cli 0.1.0\n"; }

}  // namespace tarkel
