#pragma once
// The one drawing routine of the waveform view: the window, the printer page and the print
// preview all draw through it. It draws, in this order, the background of the columns asked
// for, the selection band, each channel's peak points, waveform (bars, or a joined line below
// three frames per pixel) or spectrogram, its zero line and +-50 % grid, and the time axis band.
#include <QColor>
#include <QFont>
#include <QRect>

#include "view/DisplayUnit.h"
#include "view/SampleSpan.h"
#include "view/ViewGeometry.h"
#include "view/ViewPreferences.h"

class QPainter;

namespace tarkel {

class SpectralAnalyzer;

struct WaveScene {
  SampleSpan sound;
  uint32_t rate = 1;
  uint16_t blockAlign = 1;
  const ViewGeometry* geometry = nullptr;
  const ViewPreferences* preferences = nullptr;
  bool spectral = false;
  bool drawTimeAxis = true;
  // Only rows of the time axis band need drawing (a change of unit, a scroll): no waveform
  // reaches them, so no column peaks are computed.
  bool bandRowsOnly = false;
  DisplayUnit unit = DisplayUnit::Samples;
  uint16_t fps = kDefaultFrameRate;
  // Columns to draw: clipLeft up to, not including, clipRight.
  int clipLeft = 0;
  int clipRight = 0;
  // The whole client area (wave area and time axis band).
  QRect client;
};

inline QColor ColorOf(uint32_t rgb) { return QColor::fromRgb(QRgb(0xFF000000u | rgb)); }

// Zero line of channel `channel` (waveform) or base line (spectrogram), in pixels from the top.
int ChannelOrigin(const ViewGeometry& geometry, uint16_t channel, bool spectral);

void PaintWave(QPainter& painter, const WaveScene& scene, SpectralAnalyzer* analyzer);

// The label texts of the time axis band draw in this font.
const QFont& TimeAxisFont();

}  // namespace tarkel
