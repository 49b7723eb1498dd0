#pragma once
// The format-choice dialog: format tag, channels, sampling rate and bits of a PCM format, starting
// from a given format. OK hands back the complete format.
#include <QDialog>

#include "sound/WaveFormat.h"

class QComboBox;

namespace tarkel::app {

class FormatChoiceDialog final : public QDialog {
  Q_OBJECT
 public:
  FormatChoiceDialog(const QString& title, const WaveFormat& start, QWidget* parent = nullptr);
  // The format as chosen; average bytes and block alignment follow from the other fields.
  WaveFormat Chosen() const;

  QComboBox* TagBox() const { return tag_; }
  QComboBox* ChannelsBox() const { return channels_; }
  QComboBox* RateBox() const { return rate_; }
  QComboBox* BitsBox() const { return bits_; }

 private:
  QComboBox* tag_;
  QComboBox* channels_;
  QComboBox* rate_;
  QComboBox* bits_;
};

}  // namespace tarkel::app
