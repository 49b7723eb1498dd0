#pragma once
// The options of tarkel-cli, parsed into steps that run in command-line order.
#include <string>
#include <vector>

#include "cli/CliSession.h"
#include "view/DisplayUnit.h"

namespace tarkel {

class FixedFormatChooser;

enum class StepKind {
  Open, New, Info, Select, Channel, Clipboard, Answer, UndoOff, Undo, Save, SaveSelection,
  Edit, Effect, Preview,
  PresetDir, ListPresets, SavePreset,  // PresetOption.cpp
  Region, LoadCue, SaveCue, ListRegions, ExportPlayList,
  Play, Record, Device, InputDevice, ListDevices,
  Unit, Fps,
  HardDisk,  // HardDiskOption.cpp
};

struct CliStep {
  StepKind kind;
  std::string value;   // the option's argument
  std::string value2;  // a second argument (--preview's FILE)
};

enum class ParseResult { Run, Help, Version, Error };

// Turns the arguments into steps. The FILE argument, wherever it stands, opens the document
// before every other step.
ParseResult ParseCommandLine(const std::vector<std::string>& args, std::vector<CliStep>& steps, std::string& error);
// The preset options (PresetOption.cpp).
CliStatus RunPresetStep(CliSession& session, const CliStep& step);
CliStatus RunStep(CliSession& session, FixedFormatChooser& chooser, const CliStep& step);
// --play, --record, --device, --input-device, --list-devices (AudioOption.cpp).
CliStatus RunAudioStep(CliSession& session, const CliStep& step);

// The play list options (RegionOption.cpp).
bool CheckRegionArgument(const std::string& value, std::string& error);
CliStatus RunRegionOption(CliSession& session, const CliStep& step);

// --unit, --fps and --select (whose positions are read in the unit chosen before them): checks
// the value, following the unit in `unit`; true for every other step.
bool CheckUnitStep(const CliStep& step, DisplayUnit& unit, std::string& error);
CliStatus RunUnitOption(CliSession& session, const CliStep& step);
CliStatus RunSelectOption(CliSession& session, const std::string& value);
// The --info line "length: TEXT": the frame count in the unit last chosen, with its name.
std::string LengthText(const CliSession& session);

// --hard-disk: FILE is opened to be edited in place; -o is refused then. False with `error`.
bool ApplyHardDiskOption(std::vector<CliStep>& steps, std::string& error);
// Opens the step's FILE, in place when --hard-disk asked for it.
CliStatus RunOpenStep(CliSession& session, const CliStep& step);
CliStatus RunOpen(CliSession& session, const std::string& path);

std::string UsageText();
std::string VersionText();

}  // namespace tarkel
