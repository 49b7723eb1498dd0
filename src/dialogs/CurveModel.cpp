#include "dialogs/CurveModel.h"

#include <algorithm>
#include <cstdlib>

namespace tarkel {

CurveModel::CurveModel(int32_t y, int32_t width) : width_(width > 0 ? width : kCurveWidth) {
  y = std::clamp(y, 0, kCurveHeight);
  points_ = {{0, y}, {width_, y}};
}

bool CurveModel::SetPoints(int32_t width, std::vector<CPointOb> points) {
  if (width <= 0 || points.size() < 2 || points.size() > kMaxCurvePoints) return false;
  for (CPointOb& p : points) p = {std::clamp(p.x, 0, width), std::clamp(p.y, 0, kCurveHeight)};
  std::stable_sort(points.begin(), points.end(), [](const CPointOb& a, const CPointOb& b) { return a.x < b.x; });
  points.front().x = 0;
  points.back().x = width;
  width_ = width;
  points_ = std::move(points);
  return true;
}

int CurveModel::HitTest(int32_t x, int32_t y, int32_t reachX, int32_t reachY) const {
  int best = -1;
  int64_t bestDistance = 0;
  for (size_t i = 0; i < points_.size(); ++i) {
    const int64_t dx = std::abs(points_[i].x - x), dy = std::abs(points_[i].y - y);
    if (dx > reachX || dy > reachY) continue;
    const int64_t distance = dx * dx + dy * dy;
    if (best < 0 || distance < bestDistance) {
      best = int(i);
      bestDistance = distance;
    }
  }
  return best;
}

int CurveModel::Add(int32_t x, int32_t y) {
  if (points_.size() >= kMaxCurvePoints || x <= 0 || x >= width_) return -1;
  const auto at = std::upper_bound(points_.begin(), points_.end(), x,
                                   [](int32_t v, const CPointOb& p) { return v < p.x; });
  const auto inserted = points_.insert(at, CPointOb{x, std::clamp(y, 0, kCurveHeight)});
  return int(inserted - points_.begin());
}

void CurveModel::Move(int index, int32_t x, int32_t y) {
  if (index < 0 || size_t(index) >= points_.size()) return;
  CPointOb& p = points_[size_t(index)];
  p.y = std::clamp(y, 0, kCurveHeight);
  if (index == 0 || size_t(index) == points_.size() - 1) return;
  p.x = std::clamp(x, points_[size_t(index) - 1].x, points_[size_t(index) + 1].x);
}

bool CurveModel::Remove(int index) {
  if (index <= 0 || size_t(index) >= points_.size() - 1) return false;
  points_.erase(points_.begin() + index);
  return true;
}

double CurveModel::HeightAt(double x) const {
  if (x <= points_.front().x) return points_.front().y;
  for (size_t i = 1; i < points_.size(); ++i) {
    const CPointOb& a = points_[i - 1];
    const CPointOb& b = points_[i];
    if (x > b.x) continue;
    if (b.x == a.x) return b.y;
    return a.y + (b.y - a.y) * (x - a.x) / double(b.x - a.x);
  }
  return points_.back().y;
}

}  // namespace tarkel
