#pragma once
// The scope and spectrum analyzer window: the waveform of each channel over a twentieth of a
// second around the play position, and below it the spectrum of the frames at the position
// (analysis window, FFT of FFT_BlockSize frames, heights after ColorScalingMode).
//
// The main window creates it with the monitor source, shows and hides it with show()/hide(),
// hands it the preferences with SetOptions() and calls Refresh() on every timer tick while a
// document plays or records.
#include <QWidget>
#include <memory>
#include <vector>

#include "monitors/ScopeTrace.h"
#include "monitors/Spectrum.h"

namespace tarkel {
class MonitorSource;
}

namespace tarkel::ui {

struct ScopeOptions {
  bool highQuality = true;           // HighQuality_Scope
  int32_t fftBlockSize = 512;        // FFT_BlockSize
  int32_t colorScalingMode = 1;      // ColorScalingMode: 0 linear, 1 logarithmic, 2 exponential
  uint32_t channelColor[2] = {0xFF8000, 0x0000FF};  // Color_channel_1, Color_channel_2
};

class ScopeWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit ScopeWindow(MonitorSource& source, QWidget* owner = nullptr);

  void SetOptions(const ScopeOptions& options);
  const ScopeOptions& Options() const { return options_; }
  // Reads the sound around the transport position and repaints; clears the picture when nothing
  // plays.
  void Refresh();

  QSize sizeHint() const override { return {420, 300}; }

 signals:
  void visibilityChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QRect WaveArea() const;
  QRect SpectrumArea() const;
  void PaintWaves(QPainter& painter) const;
  void PaintSpectrum(QPainter& painter) const;

  MonitorSource& source_;
  ScopeOptions options_;
  std::unique_ptr<SpectrumAnalysis> analysis_;
  bool hasSound_ = false;
  uint32_t rate_ = 0;
  std::vector<ScopeColumn> traces_[2];
  int traceCount_ = 0;
  std::vector<float> levels_;
};

}  // namespace tarkel::ui
