#pragma once
// The small number dialogs of the edit commands: change length, insert silence, speed.
#include <QString>
#include <cstdint>
#include <optional>

#include "sound/WaveFormat.h"
#include "view/DisplayUnit.h"

class QWidget;

namespace tarkel::app {

// Asks for a whole number of at least `minimum`, starting from `proposal`; nullopt on Cancel.
std::optional<uint32_t> AskFrames(QWidget* owner, const QString& title, const QString& label, uint32_t proposal,
                                  uint32_t minimum);

// A length in display unit `unit` (a box offers the others), read back as frames of `format`:
// the change-length and insert-silence dialogs. Nullopt on Cancel.
std::optional<uint32_t> AskLength(QWidget* owner, const QString& title, const WaveFormat& format, DisplayUnit unit,
                                  int fps, uint32_t proposal);

}  // namespace tarkel::app
