// The play list options: --region adds a region of the current sound, --load-cue appends the
// regions of a cue file (opening the sounds it names), --save-cue writes the list,
// --list-regions prints it and --export-play-list writes it as one sound file. The list is the
// region manager of the run: the session's edits move its regions as they move the window's.
#include <filesystem>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "regions/DocumentOpener.h"
#include "regions/PlayListExport.h"
#include "regions/RegionList.h"
#include "sound/Ports.h"

namespace tarkel {

// The region list of the run and the sounds its cue files brought in.
struct CliRegions final : DocumentOpener {
  explicit CliRegions(CliSession& s) : session(s) { TheDocumentHooks().regionSink = &list; }
  ~CliRegions() override {
    if (TheDocumentHooks().regionSink == &list) TheDocumentHooks().regionSink = nullptr;
  }

  // The session's sound when it is that file, else one opened earlier, else the file opened now
  // without a message: a sound that cannot be opened only loses its regions.
  CTarkelDoc* OpenDocument(const std::string& path) override {
    if (path.empty()) return nullptr;
    if (session.doc && SameFile(session.doc->PathName(), path)) return session.doc.get();
    for (const auto& doc : documents)
      if (SameFile(doc->PathName(), path)) return doc.get();
    const Ports shown = CurrentPorts();
    Ports silent = shown;
    silent.ui = nullptr;
    SetPorts(silent);
    auto doc = std::make_unique<CTarkelDoc>();
    const bool opened = doc->Open(path);
    SetPorts(shown);
    if (!opened) return nullptr;
    documents.push_back(std::move(doc));
    return documents.back().get();
  }

  static bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
  }

  CliSession& session;
  RegionList list;
  std::vector<std::unique_ptr<CTarkelDoc>> documents;
};

namespace {

struct RegionArgument {
  std::string name;
  uint32_t first = 0, last = 0;
  uint16_t channel = 0;
  uint32_t repeats = 1;
};

// NAME,FIRST,LAST,CHANNEL,REPEATS; the name is everything before the last four fields, so it
// may hold commas itself.
bool ParseRegionArgument(const std::string& text, RegionArgument& region) {
  std::vector<std::string> fields;
  std::string rest = text;
  for (int i = 0; i < 4; ++i) {
    const size_t comma = rest.rfind(',');
    if (comma == std::string::npos) return false;
    fields.insert(fields.begin(), rest.substr(comma + 1));
    rest.erase(comma);
  }
  region.name = rest;
  const auto first = ParseUnsigned(fields[0]), last = ParseUnsigned(fields[1]), repeats = ParseUnsigned(fields[3]);
  region.channel = ChannelFromText(fields[2]);
  if (!first || !last || !repeats || region.channel == 0) return false;
  // Read as --select reads its range: both ends rounded down to even.
  region.first = EvenFrame(*first);
  region.last = EvenFrame(*last);
  region.repeats = *repeats;
  return region.first <= region.last;
}

CliRegions& RegionsOf(CliSession& session) {
  if (!session.regions) session.regions = std::make_shared<CliRegions>(session);
  return *session.regions;
}

CliStatus AddRegion(CliSession& session, const std::string& value) {
  if (!session.doc) {
    *session.err << "tarkel-cli: no sound to work on: give FILE or --new first\n";
    return CliStatus::Usage;
  }
  RegionArgument argument;
  ParseRegionArgument(value, argument);
  const uint32_t frames = session.doc->Sound().Frames();
  if (argument.last >= frames) {
    *session.err << "tarkel-cli: --region: frame " << argument.last << " lies beyond the sound (" << frames
                 << " frames)\n";
    return CliStatus::Failed;
  }
  RegionList& list = RegionsOf(session).list;
  CWaveSelection region;
  region.name = argument.name;
  region.start = argument.first;
  region.end = argument.last;
  region.channel = argument.channel;
  region.repeats = argument.repeats;
  region.document = session.doc.get();
  region.filePath = session.doc->PathName();
  region.number = list.TakeNumber();
  list.Append(std::move(region));
  return CliStatus::Ok;
}

void ListRegions(CliSession& session) {
  for (const CWaveSelection& region : RegionsOf(session).list.Regions()) {
    *session.out << region.number << '\t' << region.name << '\t' << region.start << '\t' << region.end << '\t'
                 << ChannelText(region.channel) << '\t' << region.repeats << '\t' << RegionFilePath(region) << '\n';
  }
}

}  // namespace

bool CheckRegionArgument(const std::string& value, std::string& error) {
  RegionArgument region;
  if (ParseRegionArgument(value, region)) return true;
  error = "--region wants NAME,FIRST,LAST,CHANNEL,REPEATS with FIRST <= LAST in frames and CHANNEL one of L, R, LR, "
          "M, not '" + value + "'";
  return false;
}

CliStatus RunRegionOption(CliSession& session, const CliStep& step) {
  CliRegions& regions = RegionsOf(session);
  switch (step.kind) {
    case StepKind::Region: return AddRegion(session, step.value);
    case StepKind::LoadCue: return regions.list.LoadCueFile(step.value, regions) ? CliStatus::Ok : CliStatus::Failed;
    case StepKind::SaveCue: return regions.list.SaveCueFile(step.value) ? CliStatus::Ok : CliStatus::Failed;
    case StepKind::ListRegions: ListRegions(session); return CliStatus::Ok;
    case StepKind::ExportPlayList:
      return ExportPlayList(regions.list.Regions(), step.value) ? CliStatus::Ok : CliStatus::Failed;
    default: return CliStatus::Usage;
  }
}

}  // namespace tarkel
