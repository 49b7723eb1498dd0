#include "monitors/ui/HistogramWindow.h"

#include <QPainter>
#include <cmath>

#include "sound/Selection.h"
#include "sound/WaveAudio.h"

namespace tarkel::ui {
namespace {

constexpr int kMargin = 6;
constexpr int kSummaryBand = 18;
const QColor kBars(0, 200, 0);
const QColor kFrame(60, 90, 60);
const QColor kText(180, 210, 180);

}  // namespace

HistogramWindow::HistogramWindow(QWidget* owner) : QWidget(owner, Qt::Tool) {
  setObjectName(QStringLiteral("Histogram"));
  setWindowTitle(QStringLiteral("Histogram"));
  setAttribute(Qt::WA_DeleteOnClose);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::black);
  setPalette(colours);
  setAutoFillBackground(true);
  resize(sizeHint());
}

void HistogramWindow::ShowHistogram(const WaveAudio& sound, const Selection& selection, const QString& title) {
  block_ = SampleBlockOf(sound);
  histogram_ = ComputeHistogram(block_, selection.First(), selection.Last(sound), selection.Mode(sound));
  // The histogram keeps its counts; the sound may change or close afterwards.
  block_.data = nullptr;
  setWindowTitle(QStringLiteral("Histogram - %1").arg(title));
  update();
}

QString HistogramWindow::Summary(int channel) const {
  if (channel >= histogram_.channels) return {};
  const ChannelHistogram& h = histogram_.channel[channel];
  const QString name = histogram_.channels == 1 && histogram_.firstChannel == 0 && block_.channels < 2
                           ? QString()
                           : (histogram_.firstChannel + channel == 0 ? QStringLiteral("Left: ") : QStringLiteral("Right: "));
  const double rmsDb = h.rms > 0 ? 20.0 * std::log10(h.rms) : -INFINITY;
  return QStringLiteral("%1min %2  max %3  RMS %4 dB  at full scale %5")
      .arg(name)
      .arg(h.lowest)
      .arg(h.highest)
      .arg(std::isfinite(rmsDb) ? QString::number(rmsDb, 'f', 1) : QStringLiteral("-inf"))
      .arg(h.atFullScale);
}

void HistogramWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const int panels = std::max<int>(1, histogram_.channels);
  const int panelHeight = (height() - kMargin) / panels;
  const double largest = static_cast<double>(histogram_.Largest());
  for (int panel = 0; panel < panels; ++panel) {
    const QRect area(kMargin, kMargin + panel * panelHeight, width() - 2 * kMargin,
                     panelHeight - kMargin - kSummaryBand);
    painter.setPen(kFrame);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.drawLine(area.center().x(), area.top(), area.center().x(), area.bottom());
    if (panel < histogram_.channels && largest > 0) {
      const ChannelHistogram& h = histogram_.channel[panel];
      // Counts on a logarithmic scale, so that rare values still show.
      const double top = logarithmic_ ? std::log1p(largest) : largest;
      for (int cls = 0; cls < kHistogramClasses; ++cls) {
        if (h.counts[cls] == 0) continue;
        const double count = static_cast<double>(h.counts[cls]);
        const double share = (logarithmic_ ? std::log1p(count) : count) / top;
        const int x0 = area.left() + 1 + cls * (area.width() - 2) / kHistogramClasses;
        const int x1 = area.left() + 1 + (cls + 1) * (area.width() - 2) / kHistogramClasses;
        const int barHeight = std::max(1, static_cast<int>(share * (area.height() - 2)));
        painter.fillRect(QRect(x0, area.bottom() - barHeight, std::max(1, x1 - x0), barHeight), kBars);
      }
    }
    painter.setPen(kText);
    painter.drawText(QRect(area.left(), area.bottom() + 2, area.width(), kSummaryBand),
                     Qt::AlignLeft | Qt::AlignVCenter, Summary(panel));
  }
}

void HistogramWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  emit visibilityChanged();
}

void HistogramWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit visibilityChanged();
}

}  // namespace tarkel::ui
