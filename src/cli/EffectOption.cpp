#include <ostream>

#include "cli/CliSession.h"

namespace tarkel {
// Placeholders until the effects are reachable from the command line.
CliStatus RunEffectOption(CliSession& session, std::string_view arg) {
  *session.err << "tarkel-cli: --effect " << arg << ": effects are not available yet\n";
  return CliStatus::Usage;
}
CliStatus RunPreviewOption(CliSession& session, std::string_view arg, const std::string&) {
  *session.err << "tarkel-cli: --preview " << arg << ": effects are not available yet\n";
  return CliStatus::Usage;
}
}  // namespace tarkel
