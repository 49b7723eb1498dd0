#include "monitors/ui/ScopeWindow.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "controls/ControlWidget.h"
#include "monitors/MonitorSource.h"
#include "monitors/SampleBlock.h"

namespace tarkel::ui {
namespace {

const QColor kGrid(40, 60, 40);
const QColor kAxisText(140, 170, 140);
const QColor kPositionMark(90, 90, 90);
constexpr int kMargin = 4;
constexpr int kAxisBand = 14;  // the frequency labels under the spectrum

// Green at the bottom of the display through yellow to red at the top.
QColor HeightColour(double height) {
  const double h = std::clamp(height, 0.0, 1.0);
  return h < 0.5 ? QColor::fromRgbF(h * 2, 1.0, 0.0) : QColor::fromRgbF(1.0, 1.0 - (h - 0.5) * 2, 0.0);
}

}  // namespace

ScopeWindow::ScopeWindow(MonitorSource& source, QWidget* owner)
    : QWidget(owner, Qt::Tool), source_(source), analysis_(std::make_unique<SpectrumAnalysis>(options_.fftBlockSize)) {
  setObjectName(QStringLiteral("Scope"));
  setWindowTitle(QStringLiteral("Scope / Spectrum-Analyzer"));
  // The monitor windows' look: black background, arrow cursor.
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::black);
  setPalette(colours);
  setAutoFillBackground(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(sizeHint());
}

void ScopeWindow::SetOptions(const ScopeOptions& options) {
  options_ = options;
  if (SpectrumBlockSize(options.fftBlockSize) != analysis_->BlockSize())
    analysis_ = std::make_unique<SpectrumAnalysis>(options.fftBlockSize);
  update();
}

QRect ScopeWindow::WaveArea() const {
  return QRect(kMargin, kMargin, width() - 2 * kMargin, (height() - 3 * kMargin - kAxisBand) / 2);
}

QRect ScopeWindow::SpectrumArea() const {
  const QRect wave = WaveArea();
  return QRect(kMargin, wave.bottom() + 1 + kMargin, width() - 2 * kMargin,
               height() - wave.bottom() - 1 - 2 * kMargin - kAxisBand);
}

void ScopeWindow::Refresh() {
  const WaveAudio* sound = source_.TransportSound();
  const SampleBlock block = sound ? SampleBlockOf(*sound) : SampleBlock{};
  hasSound_ = block.SampleCount() != 0;
  if (!hasSound_) {
    update();
    return;
  }
  rate_ = block.rate;
  const int64_t position = source_.TransportFrame();
  const uint32_t span = ScopeSpanFrames(block.rate);
  traceCount_ = std::min<int>(block.channels, 2);
  for (int channel = 0; channel < traceCount_; ++channel)
    TraceScope(block, position - span / 2, span, static_cast<uint16_t>(channel), WaveArea().width(),
               options_.highQuality, traces_[channel]);
  levels_ = analysis_->Analyse(block, position);
  update();
}

void ScopeWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  PaintWaves(painter);
  PaintSpectrum(painter);
}

void ScopeWindow::PaintWaves(QPainter& painter) const {
  const QRect area = WaveArea();
  painter.setPen(kGrid);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  // The play position: the middle of the span.
  painter.setPen(kPositionMark);
  painter.drawLine(area.center().x(), area.top() + 1, area.center().x(), area.bottom() - 1);
  const int lanes = std::max(1, hasSound_ ? traceCount_ : 1);
  const double laneHeight = static_cast<double>(area.height()) / lanes;
  for (int lane = 0; lane < lanes; ++lane) {
    const double middle = area.top() + laneHeight * (lane + 0.5);
    painter.setPen(kGrid);
    painter.drawLine(QPointF(area.left(), middle), QPointF(area.right(), middle));
    if (!hasSound_) continue;
    painter.setPen(controls::ColorOf(options_.channelColor[lane]));
    const std::vector<ScopeColumn>& trace = traces_[lane];
    const double scale = laneHeight / 2 - 1;
    // Each column a vertical stroke from its lowest to its highest sample, joined to the next.
    double previous = trace.empty() ? middle : middle - trace.front().high * scale;
    for (size_t column = 0; column < trace.size(); ++column) {
      const double x = area.left() + column + 0.5;
      const double top = middle - trace[column].high * scale, bottom = middle - trace[column].low * scale;
      painter.drawLine(QPointF(x, std::min(top, previous)), QPointF(x, std::max(bottom, previous)));
      previous = (top + bottom) / 2;
    }
  }
}

void ScopeWindow::PaintSpectrum(QPainter& painter) const {
  const QRect area = SpectrumArea();
  painter.setPen(kGrid);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  // Frequency grid and labels every kilohertz step that leaves room for the text.
  QFont small = font();
  small.setPixelSize(10);
  painter.setFont(small);
  const double nyquist = rate_ ? rate_ / 2.0 : 22050.0;
  const double step = nyquist > 8000 ? 5000.0 : 1000.0;
  for (double hz = step; hz < nyquist; hz += step) {
    const int x = area.left() + static_cast<int>(hz / nyquist * area.width());
    painter.setPen(kGrid);
    painter.drawLine(x, area.top(), x, area.bottom());
    painter.setPen(kAxisText);
    painter.drawText(QRect(x - 30, area.bottom() + 2, 60, kAxisBand), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("%1k").arg(hz / 1000.0));
  }
  if (!hasSound_ || levels_.empty()) return;
  const SpectrumScaling scaling = SpectrumScalingOf(options_.colorScalingMode);
  const size_t bins = levels_.size();
  const int columns = area.width();
  for (int column = 0; column < columns; ++column) {
    // The loudest bin that falls into this column.
    const size_t from = bins * column / columns;
    const size_t to = std::max(from + 1, bins * (column + 1) / columns);
    float level = levels_[from];
    for (size_t bin = from + 1; bin < to && bin < bins; ++bin) level = std::max(level, levels_[bin]);
    const double height = SpectrumHeight(level, scaling);
    const int pixels = static_cast<int>(height * (area.height() - 2));
    if (pixels <= 0) continue;
    painter.setPen(HeightColour(height));
    painter.drawLine(area.left() + column, area.bottom() - 1, area.left() + column, area.bottom() - pixels);
  }
}

void ScopeWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (hasSound_) Refresh();
}

void ScopeWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  emit visibilityChanged();
}

void ScopeWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit visibilityChanged();
}

}  // namespace tarkel::ui
