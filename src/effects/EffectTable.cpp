#include "effects/EffectTable.h"

#include <array>
#include <charconv>

namespace tarkel {

// Entry functions, one per effect, each defined in its family's file.
#define TARKEL_EFFECT(entry) EffectEntry entry();
#include "effects/EffectList.h"
#undef TARKEL_EFFECT

namespace {

const auto& Table() {
  static const auto table = std::to_array<EffectEntry>({
#define TARKEL_EFFECT(entry) entry(),
#include "effects/EffectList.h"
#undef TARKEL_EFFECT
  });
  return table;
}

// Index by effect number for the engine's lookup.
constexpr uint32_t kMaxId = 64;
const auto& ById() {
  static const auto index = [] {
    std::array<const EffectEntry*, kMaxId> byId{};
    for (const EffectEntry& e : Table())
      if (e.id < kMaxId) byId[e.id] = &e;
    return byId;
  }();
  return index;
}

}  // namespace

const EffectEntry* FindEffect(uint32_t id) { return id < kMaxId ? ById()[id] : nullptr; }

const EffectEntry* FindEffectByName(std::string_view name) {
  for (const EffectEntry& e : Table())
    if (name == e.name || (e.alias && name == e.alias)) return &e;
  uint32_t id = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), id);
  if (ec == std::errc() && end == name.data() + name.size() && !name.empty()) return FindEffect(id);
  return nullptr;
}

std::span<const EffectEntry> AllEffects() { return Table(); }

}  // namespace tarkel
