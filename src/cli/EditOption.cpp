#include <ostream>

#include "cli/CliSession.h"

namespace tarkel {
// Placeholder until the edit operations are reachable from the command line.
CliStatus RunEditOption(CliSession& session, std::string_view arg) {
  *session.err << "tarkel-cli: --edit " << arg << ": edits are not available yet\n";
  return CliStatus::Usage;
}
}  // namespace tarkel
