// --effect NAME[:V1,...] and --preview NAME[:V1,...] FILE: an effect applied to the session's
// selection and channel as the view applies it after a dialog's OK, or run as the dialog's
// Preview, whose processed copy (a complete wave image) goes to FILE.
#include <ostream>

#include "cli/CliSession.h"
#include "document/CTarkelDoc.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "document/EffectCommands.h"
#include "effects/EffectBounds.h"
#include "effects/EffectRequest.h"
#include "fileformats/ReplacingFile.h"

namespace tarkel {
namespace {

std::optional<EffectRequest> ParseOrReport(CliSession& session, std::string_view arg) {
  std::string error;
  std::optional<EffectRequest> request =
      IsPresetReference(arg) ? PresetEffectRequest(session, arg) : ParseEffectRequest(arg, error);
  // Values the effect's dialog would not give are refused before anything runs.
  if (request) {
    const uint16_t bits = session.doc ? session.doc->Sound().BitsPerSample() : 16;
    if (std::optional<std::string> outside = OutOfBoundsText(*request, bits)) {
      error = *outside;
      request.reset();
    }
  }
  if (!request && !error.empty() && session.err) *session.err << "tarkel-cli: " << error << '\n';
  return request;
}

}  // namespace

CliStatus RunEffectOption(CliSession& session, std::string_view arg) {
  std::optional<EffectRequest> request = ParseOrReport(session, arg);
  if (!request) return CliStatus::Usage;
  if (!session.doc) return CliStatus::Failed;
  return ApplyEffectCommand(*session.doc, *request, session.First(), session.Last(), session.Mode()) ? CliStatus::Ok
                                                                                                    : CliStatus::Failed;
}

CliStatus RunPreviewOption(CliSession& session, std::string_view arg, const std::string& file) {
  std::optional<EffectRequest> request = ParseOrReport(session, arg);
  if (!request) return CliStatus::Usage;
  if (request->operation == EffectOperation::Invert) {
    if (session.err) *session.err << "tarkel-cli: invert has no preview\n";
    return CliStatus::Usage;
  }
  if (!session.doc) return CliStatus::Failed;
  if (!PreviewEffectCommand(*session.doc, *request, session.First(), session.Last(), session.Mode()))
    return CliStatus::Failed;
  WaveImage& image = session.doc->Sound().PreviewImage();
  // Saved like a sound file: a failed write keeps the old file, links and owner are kept.
  ReplacingFile out(file);
  const bool written = out.Create() && out.Sink().Write(image.Block(), image.ImageSize()) &&
                       out.Commit() == CommitResult::kDone;
  image.Free();
  if (!written) {
    ShowMessage(msg::kCreateFileError);
    return CliStatus::Failed;
  }
  return CliStatus::Ok;
}

}  // namespace tarkel
