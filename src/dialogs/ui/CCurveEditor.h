#pragma once
// The curve editor of the graphical envelope and filter dialogs: the selection's waveform with
// the curve over it. A left click on the curve's free space adds a point, dragging moves one
// (between its neighbours; the end points up and down only), a right click or a double click on
// a point deletes it.
#include <QWidget>
#include <functional>
#include <vector>

#include "dialogs/CurveGeometry.h"
#include "dialogs/CurveModel.h"

namespace tarkel::ui {

class CCurveEditor : public QWidget {
  Q_OBJECT
 public:
  explicit CCurveEditor(QWidget* parent = nullptr);

  CurveModel& Curve() { return curve_; }
  const CurveModel& Curve() const { return curve_; }
  void SetCurve(const CurveModel& curve);
  // The waveform drawn under the curve: `columns` gives one low/high pair per pixel column for a
  // number of columns; it is asked again when the editor's width changes.
  using WaveformSource = std::function<std::vector<ColumnRange>(int columns)>;
  void SetWaveform(WaveformSource source) {
    waveform_ = std::move(source);
    columns_.clear();
    update();
  }
  // A dashed line at this height (the filter's unity gain); -1 for none.
  void SetGuide(int32_t y) { guide_ = y; update(); }
  CurveGeometry Geometry() const;

 signals:
  void curveChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int PointAt(const QPoint& at) const;

  CurveModel curve_;
  WaveformSource waveform_;
  std::vector<ColumnRange> columns_;
  int dragged_ = -1;
  int32_t guide_ = -1;
};

}  // namespace tarkel::ui
