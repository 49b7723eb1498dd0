#pragma once
// An effect as the command line names it: "NAME[:V1,V2,...]", the values being those a dialog
// puts into the record, in record order. The name is a table name or an effect number; the
// operations without an effect number are "invert", "swap", "match" and "envelope".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "effects/EffectDrivers.h"
#include "effects/EffectParams.h"

namespace tarkel {

struct EffectEntry;

enum class EffectOperation { Table, Invert, Swap, Match, Envelope };

struct EffectRequest {
  EffectOperation operation = EffectOperation::Table;
  const EffectEntry* entry = nullptr;  // for EffectOperation::Table
  EffectParams params;
  std::string digits;                  // DTMF: params.digits points here after Bind()
  int32_t envelopeWidth = 0;           // envelope: W and the points
  std::vector<EnvelopePoint> points;

  // Points params.digits at this request's own string (call after copying or moving).
  void Bind() { params.digits = digits.empty() ? nullptr : digits.c_str(); }
};

// Nullopt with `error` set when the name is unknown or the values do not fit the effect.
std::optional<EffectRequest> ParseEffectRequest(std::string_view text, std::string& error);

}  // namespace tarkel
