// The display units of tarkel-cli: --unit and --fps choose how later --select positions are read
// and how --info shows the length.
#include <ostream>

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "document/CTarkelDoc.h"
#include "view/TimeFormat.h"

namespace tarkel {
namespace {

std::string_view UnitWord(DisplayUnit unit) {
  switch (unit) {
    case DisplayUnit::Samples: return "frames";
    case DisplayUnit::Seconds: return "seconds";
    case DisplayUnit::Milliseconds: return "milliseconds";
    case DisplayUnit::Bytes: return "bytes";
    case DisplayUnit::Smpte: return "SMPTE hh:mm:ss.ff";
    case DisplayUnit::Frames: return "SMPTE frames";
    case DisplayUnit::Beats: break;
  }
  return "frames";
}

std::optional<std::pair<std::string, std::string>> SelectFields(std::string_view value, DisplayUnit unit) {
  if (unit == DisplayUnit::Samples) {
    const auto fields = SplitFields(value, ':');
    if (fields.size() != 2) return std::nullopt;
    return std::make_pair(fields[0], fields[1]);
  }
  return SplitPositionPair(value, unit);
}

// A position of `unit`; frames are read as they always were (a leading '+' allowed).
std::optional<uint32_t> ParsePosition(const TimeFormat& format, DisplayUnit unit, const std::string& text) {
  return unit == DisplayUnit::Samples ? ParseUnsigned(text) : format.Parse(unit, text);
}

TimeFormat FormatFor(const CliSession& session) {
  TimeFormat format;
  if (session.doc) format.SetFormat(session.doc->Sound().Format());
  format.SetFrameRate(session.fps);
  return format;
}

}  // namespace

bool CheckUnitStep(const CliStep& step, DisplayUnit& unit, std::string& error) {
  switch (step.kind) {
    case StepKind::Unit: {
      const auto chosen = UnitFromCommandLineName(step.value);
      if (!chosen) {
        error = "--unit wants samples, seconds, ms, bytes, smpte or frames, not '" + step.value + "'";
        return false;
      }
      unit = *chosen;
      return true;
    }
    case StepKind::Fps: {
      const auto fps = ParseUnsigned(step.value);
      if (!fps || !IsChoosableFrameRate(*fps)) {
        error = "--fps wants 25, 24, 30, 29 or 100, not '" + step.value + "'";
        return false;
      }
      return true;
    }
    case StepKind::Select: {
      // Any rate and block align tell whether a text is a position of the unit.
      const TimeFormat probe;
      const auto fields = SelectFields(step.value, unit);
      if (!fields || !ParsePosition(probe, unit, fields->first) || !ParsePosition(probe, unit, fields->second)) {
        error = "--select wants FIRST:LAST in " + std::string(UnitWord(unit)) + ", not '" + step.value + "'";
        return false;
      }
      return true;
    }
    default: return true;
  }
}

CliStatus RunUnitOption(CliSession& session, const CliStep& step) {
  if (step.kind == StepKind::Unit) session.unit = *UnitFromCommandLineName(step.value);
  else session.fps = uint16_t(*ParseUnsigned(step.value));
  return CliStatus::Ok;
}

CliStatus RunSelectOption(CliSession& session, const std::string& value) {
  if (session.unit != DisplayUnit::Samples && !session.doc) {
    *session.err << "tarkel-cli: --select in " << UnitWord(session.unit)
                 << " needs the sound's format: give FILE or --new first\n";
    return CliStatus::Usage;
  }
  const TimeFormat format = FormatFor(session);
  const auto fields = SelectFields(value, session.unit);
  const auto first = ParsePosition(format, session.unit, fields->first);
  const auto last = ParsePosition(format, session.unit, fields->second);
  if (!first || !last) {
    *session.err << "tarkel-cli: --select: '" << value << "' lies beyond the largest frame number\n";
    return CliStatus::Usage;
  }
  session.selection.SetRange(*first, *last);
  return CliStatus::Ok;
}

std::string LengthText(const CliSession& session) {
  return FormatFor(session).Format(session.doc->Sound().Frames(), session.unit, true);
}

}  // namespace tarkel
