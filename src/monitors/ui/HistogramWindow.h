#pragma once
// The histogram window of a sound (command 32913): how often each sample value occurs in the
// selection, one panel per channel, with the extremes, the RMS level and the count of samples
// at full scale written under it.
//
// The main window makes one for the active document (WA_DeleteOnClose is set), calls
// ShowHistogram() with its sound, the view's selection and the document's title, and show().
#include <QWidget>

#include "monitors/SampleHistogram.h"

namespace tarkel {
class WaveAudio;
class Selection;
}  // namespace tarkel

namespace tarkel::ui {

class HistogramWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit HistogramWindow(QWidget* owner = nullptr);

  // Counts the selection's samples and repaints.
  void ShowHistogram(const WaveAudio& sound, const Selection& selection, const QString& title);
  const SampleHistogram& Histogram() const { return histogram_; }
  // The line of figures under a channel's panel.
  QString Summary(int channel) const;

  QSize sizeHint() const override { return {420, 320}; }

 signals:
  void visibilityChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  SampleHistogram histogram_;
  SampleBlock block_;
  bool logarithmic_ = true;
};

}  // namespace tarkel::ui
