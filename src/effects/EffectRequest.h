#pragma once
// An effect as the command line names it: "NAME[:V1,V2,...]", the values being those a dialog
// puts into the record, in record order. The name is a table name or an effect number; the
// operations without an effect number are "invert", "swap", "match" and "envelope".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "effects/EffectDrivers.h"
#include "effects/EffectParams.h"

namespace tarkel {

struct EffectEntry;

enum class EffectOperation { Table, Invert, Swap, Match, Envelope };

// A request is a value: copies are independent, and running one never changes it (the drivers
// get a copy of the record). The DTMF digits travel beside the record; Record() is the record
// with the digit pointer bound to this request's own string.
struct EffectRequest {
  EffectOperation operation = EffectOperation::Table;
  const EffectEntry* entry = nullptr;  // for EffectOperation::Table
  EffectParams params;
  std::string digits;                  // DTMF: the digit string
  int32_t envelopeWidth = 0;           // envelope: W and the points
  std::vector<EnvelopePoint> points;

  EffectRequest() = default;
  EffectRequest(const EffectRequest& other) { *this = other; }
  EffectRequest(EffectRequest&& other) noexcept { *this = std::move(other); }
  EffectRequest& operator=(const EffectRequest& other);
  EffectRequest& operator=(EffectRequest&& other) noexcept;

  // The record a driver is given: params, with the digit pointer at this request's digits.
  EffectParams Record() const;
  // Points params.digits at this request's own string, for code that reads the record in place.
  // A bound request stays bound through copies and moves.
  void Bind() { params.digits = digits.empty() ? nullptr : digits.c_str(); }
};

// Nullopt with `error` set when the name is unknown or the values do not fit the effect.
std::optional<EffectRequest> ParseEffectRequest(std::string_view text, std::string& error);

}  // namespace tarkel
