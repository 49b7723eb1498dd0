#include "dialogs/CurvePresets.h"

#include <cstring>

#include "sound/Bytes.h"

namespace tarkel {
namespace {

constexpr char kMagic[4] = {'T', 'K', 'C', 'V'};
constexpr size_t kHeaderSize = 8;

bool ValidCurve(const std::vector<int32_t>& v) {
  if (v.size() < 5 || v.size() % 2 == 0 || (v.size() - 1) / 2 > kMaxCurvePoints || v[0] <= 0) return false;
  for (size_t i = 1; i + 1 < v.size(); i += 2)
    if (v[i] < 0 || v[i] > v[0] || v[i + 1] < 0 || v[i + 1] > kCurveHeight) return false;
  return true;
}

}  // namespace

PresetReadResult ParseCurvePresets(std::span<const uint8_t> bytes) {
  PresetReadResult result;
  if (bytes.empty()) return result;
  if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, 4) != 0 ||
      GetLE32(bytes.data() + 4) != kCurvePresetVersion) {
    result.damaged = true;
    return result;
  }
  result = ParsePresets(bytes.subspan(kHeaderSize), kAnyValueCount);
  for (size_t i = 0; i < result.presets.size(); ++i) {
    if (ValidCurve(result.presets[i].values)) continue;
    result.presets.resize(i);
    result.damaged = true;
    break;
  }
  return result;
}

std::vector<uint8_t> SerializeCurvePresets(const std::vector<CEffectPreset>& presets) {
  std::vector<uint8_t> out(kHeaderSize);
  std::memcpy(out.data(), kMagic, 4);
  PutLE32(out.data() + 4, kCurvePresetVersion);
  const std::vector<uint8_t> body = SerializePresets(presets);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<int32_t> CurveValues(const CurveModel& curve) {
  std::vector<int32_t> values{curve.Width()};
  for (const CPointOb& p : curve.Points()) {
    values.push_back(p.x);
    values.push_back(p.y);
  }
  return values;
}

bool CurveFromValues(const std::vector<int32_t>& values, CurveModel& curve) {
  if (!ValidCurve(values)) return false;
  std::vector<CPointOb> points;
  for (size_t i = 1; i + 1 < values.size(); i += 2) points.push_back({values[i], values[i + 1]});
  return curve.SetPoints(values[0], std::move(points));
}

}  // namespace tarkel
