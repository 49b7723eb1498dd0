#include "cli/CliSession.h"

#include "document/CTarkelDoc.h"

namespace tarkel {

ChannelMode CliSession::Mode() const { return doc ? selection.Mode(doc->Sound()) : ChannelMode::Mono; }

uint32_t CliSession::First() const { return selection.First(); }

uint32_t CliSession::Last() const { return doc ? selection.Last(doc->Sound()) : 0; }

void CliSession::Select(uint32_t first, uint32_t last, ChannelMode mode) { selection.Adopt(first, last, mode); }

}  // namespace tarkel
