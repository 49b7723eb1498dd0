#pragma once
// The flat parameter record that the effect dialogs fill and the engine reads: 26 32-bit words.
// The engine rewrites some words while it runs (the ramp direction, raised pass counts, delays
// converted to bytes), so a caller fills the record anew before every call.
#include <cstddef>
#include <cstdint>

namespace tarkel {

struct EffectParams {
  uint32_t effectId = 0;  // word 0: effect number (EffectIds.h)
  int32_t preview = 0;    // word 1: 0 in place; 1 on a temporary copy for listening
  int32_t param1 = 0;     // words 2-5: the effect's parameters p1..p4
  int32_t param2 = 0;
  int32_t param3 = 0;
  int32_t param4 = 0;
  int32_t param5 = 0;     // word 6: numerical filter block length; equalizer 1024
  uint32_t param6 = 0;    // word 7: numerical filter design kind 0, 1 or 2
  // Words 8-9: the DTMF digit string. On this platform a pointer does not fit the 32-bit
  // param2 that once held it, so it lives in the first two of the words the engine never reads.
  union {
    const char* digits;
    uint64_t digitsWord;
  };
  uint32_t reserved[4] = {};  // words 10-13: not read by the engine
  double real1 = 0;       // words 14-25: the numerical filter's and the equalizer's values
  double real2 = 0;
  double real3 = 0;
  double real4 = 0;
  double real5 = 0;
  double real6 = 0;

  EffectParams() : digitsWord(0) {}
  explicit EffectParams(uint32_t id, int32_t p1 = 0, int32_t p2 = 0, int32_t p3 = 0, int32_t p4 = 0)
      : effectId(id), param1(p1), param2(p2), param3(p3), param4(p4), digitsWord(0) {}
};

inline constexpr size_t kEffectParamsWords = 26;
static_assert(sizeof(const char*) <= 8, "the digit string pointer must fit words 8-9");
static_assert(sizeof(EffectParams) == kEffectParamsWords * 4);
static_assert(offsetof(EffectParams, effectId) == 0 * 4);
static_assert(offsetof(EffectParams, preview) == 1 * 4);
static_assert(offsetof(EffectParams, param1) == 2 * 4);
static_assert(offsetof(EffectParams, param4) == 5 * 4);
static_assert(offsetof(EffectParams, param5) == 6 * 4);
static_assert(offsetof(EffectParams, param6) == 7 * 4);
static_assert(offsetof(EffectParams, digits) == 8 * 4);
static_assert(offsetof(EffectParams, reserved) == 10 * 4);
static_assert(offsetof(EffectParams, real1) == 14 * 4);
static_assert(offsetof(EffectParams, real2) == 16 * 4);
static_assert(offsetof(EffectParams, real3) == 18 * 4);
static_assert(offsetof(EffectParams, real4) == 20 * 4);
static_assert(offsetof(EffectParams, real5) == 22 * 4);
static_assert(offsetof(EffectParams, real6) == 24 * 4);

}  // namespace tarkel
