#include "effects/EffectTable.h"

#include <array>
#include <charconv>

namespace tarkel {

// Entry functions, one per effect, each defined in its family's file.
EffectEntry HallEntry();
EffectEntry EchoEntry();
EffectEntry RobotizeEntry();
EffectEntry HighPassEntry();
EffectEntry LowPassEntry();
EffectEntry BandPassEntry();
EffectEntry NoiseGateEntry();
EffectEntry BoostLongEntry();
EffectEntry BoostShortEntry();
EffectEntry CrossoverEntry();
EffectEntry FadeEntry();
EffectEntry ToneSynthesisEntry();
EffectEntry VibratoEntry();
EffectEntry ReverseEntry();
EffectEntry AmigaEntry();
EffectEntry NormalizeEntry();
EffectEntry AmplitudeEntry();
EffectEntry VibverbEntry();
EffectEntry DigitalDelayEntry();
EffectEntry MetalEntry();
EffectEntry TubeEntry();
EffectEntry DtmfEntry();
EffectEntry FusionEntry();
EffectEntry DcOffsetEntry();
EffectEntry NumericalFilterEntry();
EffectEntry EqualizerEntry();

namespace {

const auto& Table() {
  static const auto table = std::to_array<EffectEntry>({
      HallEntry(),         EchoEntry(),          RobotizeEntry(),     HighPassEntry(),  LowPassEntry(),
      BandPassEntry(),     NoiseGateEntry(),     BoostLongEntry(),    BoostShortEntry(), CrossoverEntry(),
      FadeEntry(),         ToneSynthesisEntry(), VibratoEntry(),      ReverseEntry(),   AmigaEntry(),
      NormalizeEntry(),    AmplitudeEntry(),     VibverbEntry(),      DigitalDelayEntry(), MetalEntry(),
      TubeEntry(),         DtmfEntry(),          FusionEntry(),       DcOffsetEntry(),  NumericalFilterEntry(),
      EqualizerEntry(),
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
    if (name == e.name) return &e;
  uint32_t id = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), id);
  if (ec == std::errc() && end == name.data() + name.size() && !name.empty()) return FindEffect(id);
  return nullptr;
}

std::span<const EffectEntry> AllEffects() { return Table(); }

}  // namespace tarkel
