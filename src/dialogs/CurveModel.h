#pragma once
// The curve of the two graphical dialogs (envelope and filter): points `CPointOb` with x in the
// editor's units 0..width and y in percent from the top (0..100), kept sorted by x. The first
// point stays at x = 0 and the last at x = width; the user moves them up and down only, and
// cannot delete them, so the curve always spans the whole selection (or the whole spectrum).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarkel {

struct CPointOb {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const CPointOb&) const = default;
};

inline constexpr int32_t kCurveWidth = 1000;
inline constexpr int32_t kCurveHeight = 100;
inline constexpr size_t kMaxCurvePoints = 1024;

class CurveModel {
 public:
  // A flat curve at height `y` from x = 0 to `width`.
  explicit CurveModel(int32_t y = 0, int32_t width = kCurveWidth);

  int32_t Width() const { return width_; }
  const std::vector<CPointOb>& Points() const { return points_; }
  // Replaces the points (sorted, clamped into the editor, the ends pinned to 0 and the width).
  // False (curve unchanged) for fewer than two points, more than kMaxCurvePoints or width <= 0.
  bool SetPoints(int32_t width, std::vector<CPointOb> points);

  // The point within `reachX` and `reachY` units of (x, y), the nearest one; -1 when none.
  int HitTest(int32_t x, int32_t y, int32_t reachX, int32_t reachY) const;
  // Adds a point and returns its index (points keep their order); -1 when the curve is full or x
  // is not strictly between the ends.
  int Add(int32_t x, int32_t y);
  // Moves point i, keeping it between its neighbours; the ends move vertically only.
  void Move(int index, int32_t x, int32_t y);
  // Deletes point i; the ends cannot be deleted. False when nothing was deleted.
  bool Remove(int index);

  // The curve's height (percent from the top) at x, linear between the points.
  double HeightAt(double x) const;

 private:
  int32_t width_;
  std::vector<CPointOb> points_;
};

}  // namespace tarkel
