#pragma once
// The sound-file open dialog: several files at once, the RIFF WAVE entry chosen at first, and the
// extra boxes "Edit directly on the Harddisk", "Save backup of original File" and "AutoPlay".
#include <QStringList>

class QWidget;

namespace tarkel::app {

struct OpenFileChoice {
  bool hardDisk = false;  // the hard-disk preference, changed by box 1100
  bool backup = false;    // the backup switch, taken from box 1101 on OK
};

// The chosen files in order; empty on Cancel.
QStringList AskOpenFiles(QWidget* owner, const QString& filter, OpenFileChoice& choice);

// Whether the hard-disk box applies to `path`: its name holds ".WAV" in any case.
bool IsWaveName(const QString& path);

}  // namespace tarkel::app
