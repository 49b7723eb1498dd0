#include "view/ui/WavePainter.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "view/ColumnPeak.h"
#include "view/SpectralColumn.h"
#include "view/TimeFormat.h"

namespace tarkel {
namespace {

constexpr uint32_t kGridColor = 0x3F3F3F;
constexpr uint32_t kTimeAxisColor = 0xC0C0C0;
constexpr int kLabelSpacing = 60;
constexpr int kTimeAxisStrip = 16;
constexpr int kLabelBaseline = 11;
constexpr int kTextOffset = 10;

// Amplitude of a column peak in pixels: full scale reaches half the channel's height.
int PeakPixels(int32_t peak, int height, bool stereo, int32_t divisor) {
  const int v = int(int64_t(peak) * height / divisor);
  return stereo ? v >> 1 : v;
}

void DrawSelectionBand(QPainter& p, const WaveScene& s) {
  const ViewGeometry& g = *s.geometry;
  const int from = std::max<int64_t>(g.SelStartColumn(), s.clipLeft);
  const int to = int(std::min<int64_t>({g.SelEndColumn(), g.WaveWidth(), s.clipRight}));
  if (int64_t(g.SelStartColumn()) >= int64_t(g.SelEndColumn()) || from >= to) return;
  const int h = g.WaveHeight();
  int top = 0, bottom = h;
  if (g.Mode() == ChannelMode::Left) bottom = h / 2;
  if (g.Mode() == ChannelMode::Right) {
    top = h / 2;
    bottom = s.client.bottom() + 1;  // down into the band
  }
  p.fillRect(QRect(from, top, to - from, bottom - top), ColorOf(s.preferences->colorSelectedArea));
}

// The peaks of the columns [left, right) of every channel (one pass for both channels).
void ComputePeaks(const WaveScene& s, int left, int right, std::vector<int16_t> peaks[2]) {
  const ViewGeometry& g = *s.geometry;
  const uint32_t fpc = g.FramesPerColumn();
  const uint32_t scan = ScanCountFor(fpc, s.preferences->integratedDisplay != 0);
  const bool stereo = s.sound.channels > 1;
  uint64_t p = uint64_t(fpc) * ((g.FirstVisible() + uint64_t(left) * fpc) / fpc);
  const size_t n = size_t(std::max(0, right - left));
  peaks[0].assign(n, 0);
  peaks[1].assign(n, 0);
  for (size_t x = 0; x < n; ++x, p += fpc) {
    if (p > 0xFFFFFFFFu) break;
    if (stereo) {
      int16_t both[2];
      StereoColumnPeaks(s.sound, uint32_t(p), scan, both);
      peaks[0][x] = both[0];
      peaks[1][x] = both[1];
    } else {
      peaks[0][x] = ColumnPeak(s.sound, uint32_t(p), 1, scan);
    }
  }
}

void DrawPeakPoints(QPainter& p, const WaveScene& s, uint16_t channel, int origin, const std::vector<int16_t>& peaks) {
  const ViewGeometry& g = *s.geometry;
  const QColor colour = ColorOf(s.preferences->colorMinMaxPoints);
  for (int x = s.clipLeft; x < s.clipRight; ++x) {
    const int16_t peak = peaks[x - s.clipLeft];
    if (s.spectral) {
      const int y = std::abs(PeakPixels(peak, g.WaveHeight(), g.IsStereo(), 32767));
      p.fillRect(QRect(x, origin - y, 1, 1), colour);
    } else {
      const int y = PeakPixels(peak, g.WaveHeight(), g.IsStereo(), 65534);
      p.fillRect(QRect(x, origin - y, 1, 1), colour);
      p.fillRect(QRect(x, origin + y, 1, 1), colour);
    }
  }
  (void)channel;
}

void DrawWaveform(QPainter& p, const WaveScene& s, uint16_t channel, int origin, const std::vector<int16_t>& peaks) {
  const ViewGeometry& g = *s.geometry;
  const QColor colour = ColorOf(channel == 1 ? s.preferences->colorChannel1 : s.preferences->colorChannel2);
  const int h = g.WaveHeight();
  if (!g.PolylineMode()) {
    // One bar per column, symmetric about the zero line.
    for (int x = s.clipLeft; x < s.clipRight; ++x) {
      const int v = std::abs(PeakPixels(peaks[x - s.clipLeft], h, g.IsStereo(), 65534));
      if (v > 0) p.fillRect(QRect(x, origin - v, 1, 2 * v), colour);
    }
    return;
  }
  // The peaks joined into one line: from the zero line at column 0, or from the column left of
  // the part being drawn.
  QPolygon line;
  if (s.clipLeft == 0) {
    line << QPoint(0, origin);
  } else {
    std::vector<int16_t> before[2];
    ComputePeaks(s, s.clipLeft - 1, s.clipLeft, before);
    line << QPoint(s.clipLeft - 1, origin + PeakPixels(before[channel - 1][0], h, g.IsStereo(), 65534));
  }
  for (int x = s.clipLeft; x < s.clipRight; ++x)
    line << QPoint(x, origin + PeakPixels(peaks[x - s.clipLeft], h, g.IsStereo(), 65534));
  p.setPen(QPen(colour, 1));
  p.drawPolyline(line);
  p.setPen(Qt::NoPen);
}

// A colour for a spectral level from 0 (background) to 1: through blue, red and yellow to white.
QRgb SpectralColour(float level, QRgb background) {
  if (level <= 0.0f) return background;
  const float l = std::min(level, 1.0f) * 4.0f;
  auto ramp = [](float v) { return int(std::clamp(v, 0.0f, 1.0f) * 255.0f); };
  return qRgb(ramp(l - 1.0f), ramp(l - 2.0f) , ramp(l < 1.0f ? l : (l < 2.0f ? 2.0f - l : l - 3.0f)));
}

void DrawSpectrogram(QPainter& p, const WaveScene& s, uint16_t channel, int base, SpectralAnalyzer& analyzer) {
  const ViewGeometry& g = *s.geometry;
  const int rows = g.IsStereo() ? g.WaveHeight() / 2 : g.WaveHeight();
  const int width = s.clipRight - s.clipLeft;
  if (rows <= 0 || width <= 0) return;
  // Rows without energy (and every second row) stay transparent: the selection shows through.
  const QRgb background = qRgba(0, 0, 0, 0);
  QImage image(width, rows, QImage::Format_ARGB32_Premultiplied);
  image.fill(background);
  const uint32_t fpc = g.FramesPerColumn();
  const int columnsPerBlock = int(std::max<uint32_t>(1, analyzer.Hop() / fpc));
  // Blocks start on a grid of columns so that a part drawn later lines up with its neighbours.
  const int firstColumn = s.clipLeft - s.clipLeft % columnsPerBlock;
  std::vector<float> levels;
  for (int x = firstColumn; x < s.clipRight; x += columnsPerBlock) {
    analyzer.Analyse(s.sound, g.FrameOfColumn(x), channel, rows, s.preferences->colorScalingMode != 0, levels);
    for (int r = 0; r < rows; r += 2) {
      const QRgb colour = SpectralColour(levels[r], background);
      QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(rows - 1 - r));
      for (int c = std::max(x, s.clipLeft); c < std::min(x + columnsPerBlock, s.clipRight); ++c) line[c - s.clipLeft] = colour;
    }
  }
  p.drawImage(QPoint(s.clipLeft, base - rows), image);
}

void DrawGrid(QPainter& p, const WaveScene& s, uint16_t channel, int origin) {
  const ViewGeometry& g = *s.geometry;
  const int h = g.WaveHeight();
  const int shift = g.IsStereo() ? 1 : 0;
  const int k = s.sound.bits == 8 ? 127 : 0;
  const int z = origin + (int(int64_t(h) * (k + 1) / 32767) >> shift);
  const int q = int(int64_t(h) * 16384 / 65534) >> shift;
  const int left = s.clipLeft, width = s.clipRight - s.clipLeft;
  if (s.spectral) return;
  if (g.PolylineMode()) {
    // Dotted black.
    for (int x = left + (left & 1); x < s.clipRight; x += 2) p.fillRect(QRect(x, z, 1, 1), Qt::black);
  } else {
    p.fillRect(QRect(left, z, width, 1), ColorOf(channel == 1 ? s.preferences->colorChannel1 : s.preferences->colorChannel2));
  }
  p.fillRect(QRect(left, z + q, width, 1), ColorOf(kGridColor));
  p.fillRect(QRect(left, z - q, width, 1), ColorOf(kGridColor));
}

void DrawTimeAxis(QPainter& p, const WaveScene& s) {
  const ViewGeometry& g = *s.geometry;
  const QRect& c = s.client;
  const int bottom = c.bottom() + 1;
  p.fillRect(QRect(c.left(), bottom - kTimeAxisStrip, c.width(), kTimeAxisStrip), ColorOf(kTimeAxisColor));
  TimeFormat format;
  format.SetFormat(s.rate, s.blockAlign);
  format.SetFrameRate(s.fps);
  p.setFont(TimeAxisFont());
  p.setPen(Qt::black);
  for (int x = c.left(); x < c.right(); x += kLabelSpacing)
    p.drawText(QPoint(x, bottom - kLabelBaseline + QFontMetrics(TimeAxisFont()).ascent() - 2),
               QString::fromStdString(format.Format(g.FrameOfColumn(x), s.unit)));
  p.setPen(Qt::NoPen);
}

}  // namespace

const QFont& TimeAxisFont() {
  static const QFont font = [] {
    QFont f;
    f.setPixelSize(9);
    return f;
  }();
  return font;
}

int ChannelOrigin(const ViewGeometry& g, uint16_t channel, bool spectral) {
  const int h = g.WaveHeight();
  if (!g.IsStereo()) return spectral ? h : h / 2;
  if (spectral) return channel == 1 ? h : h / 2;
  return channel == 1 ? h / 4 : 3 * h / 4;
}

void PaintWave(QPainter& p, const WaveScene& s, SpectralAnalyzer* analyzer) {
  const ViewGeometry& g = *s.geometry;
  p.save();
  p.setPen(Qt::NoPen);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QRect columns(s.clipLeft, s.client.top(), s.clipRight - s.clipLeft, s.client.height());
  p.fillRect(columns, ColorOf(s.preferences->colorSampleBackground));
  if (!s.sound.data) {
    p.setPen(ColorOf(~s.preferences->colorSampleBackground & 0xFFFFFF));
    p.drawText(QPoint(kTextOffset, kTextOffset + p.fontMetrics().ascent()), QStringLiteral("(empty)"));
    p.restore();
    return;
  }
  DrawSelectionBand(p, s);
  if (s.bandRowsOnly) {
    if (s.drawTimeAxis) DrawTimeAxis(p, s);
    p.restore();
    return;
  }
  std::vector<int16_t> allPeaks[2];
  if (s.preferences->showMinMaxPoints || !s.spectral) ComputePeaks(s, s.clipLeft, s.clipRight, allPeaks);
  for (uint16_t c = 1; c <= std::min<uint16_t>(s.sound.channels, 2); ++c) {
    const int origin = ChannelOrigin(g, c, s.spectral);
    const std::vector<int16_t>& peaks = allPeaks[c - 1];
    if (s.spectral && analyzer) DrawSpectrogram(p, s, c, origin, *analyzer);
    if (s.preferences->showMinMaxPoints) DrawPeakPoints(p, s, c, origin, peaks);
    if (!s.spectral) DrawWaveform(p, s, c, origin, peaks);
    DrawGrid(p, s, c, origin);
  }
  if (s.drawTimeAxis) DrawTimeAxis(p, s);
  p.restore();
}

}  // namespace tarkel
