#include "effects/EffectRequest.h"

#include "sound/TextFields.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

bool ParseInts(const std::vector<std::string>& values, size_t first, std::vector<int32_t>& out) {
  for (size_t i = first; i < values.size(); ++i) {
    int32_t v = 0;
    if (!ParseNumber(values[i], v)) return false;
    out.push_back(v);
  }
  return true;
}

// Values of an effect with at most six integer parameters, into param1..param6.
bool FillParams(EffectParams& p, const std::vector<int32_t>& v) {
  if (v.size() > 6) return false;
  int32_t* words[] = {&p.param1, &p.param2, &p.param3, &p.param4, &p.param5};
  for (size_t i = 0; i < v.size(); ++i) {
    if (i < 5) *words[i] = v[i];
    else p.param6 = uint32_t(v[i]);
  }
  return true;
}

}  // namespace

EffectRequest& EffectRequest::operator=(const EffectRequest& other) {
  if (this == &other) return *this;
  operation = other.operation;
  entry = other.entry;
  params = other.params;
  digits = other.digits;
  envelopeWidth = other.envelopeWidth;
  points = other.points;
  if (other.params.digits) Bind();
  return *this;
}

EffectRequest& EffectRequest::operator=(EffectRequest&& other) noexcept {
  if (this == &other) return *this;
  const bool bound = other.params.digits != nullptr;
  operation = other.operation;
  entry = other.entry;
  params = other.params;
  digits = std::move(other.digits);
  envelopeWidth = other.envelopeWidth;
  points = std::move(other.points);
  params.digits = nullptr;
  if (bound) Bind();
  other.params.digits = nullptr;
  return *this;
}

EffectParams EffectRequest::Record() const {
  EffectParams record = params;
  record.digits = digits.empty() ? nullptr : digits.c_str();
  return record;
}

std::optional<EffectRequest> ParseEffectRequest(std::string_view text, std::string& error) {
  const size_t colon = text.find(':');
  const std::string_view name = text.substr(0, colon);
  const std::vector<std::string> values =
      SplitFields(colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1));
  EffectRequest r;
  auto fail = [&](const std::string& why) {
    error = why;
    return std::nullopt;
  };

  std::vector<int32_t> ints;
  if (name == "invert" || name == "swap" || name == "match") {
    if (!values.empty()) return fail("'" + std::string(name) + "' takes no values");
    r.operation = name == "invert" ? EffectOperation::Invert : name == "swap" ? EffectOperation::Swap : EffectOperation::Match;
    return r;
  }
  if (name == "envelope") {
    if (!ParseInts(values, 0, ints) || ints.empty() || ints.size() % 2 == 0 || ints[0] <= 0)
      return fail("envelope takes W,x0,y0,x1,y1,... with W > 0");
    r.operation = EffectOperation::Envelope;
    r.envelopeWidth = ints[0];
    for (size_t i = 1; i + 1 < ints.size(); i += 2) r.points.push_back({ints[i], ints[i + 1]});
    return r;
  }

  r.entry = FindEffectByName(name);
  if (!r.entry) return fail("unknown effect '" + std::string(name) + "'");
  r.params.effectId = r.entry->id;
  if (const auto parse = r.entry->rules.parseValues) {
    if (const char* form = parse(values, r.params, r.digits)) return fail(form);
    return r;
  }
  if (!ParseInts(values, 0, ints) || !FillParams(r.params, ints))
    return fail("bad values for effect '" + std::string(name) + "'");
  return r;
}

}  // namespace tarkel
