#pragma once
// File dialog filters: the program's filter strings ("Text|pattern;pattern|...||") in Qt's form.
#include <QString>

namespace tarkel::app {

// Each "text|patterns" entry becomes "text (patterns)"; patterns match in either case, and
// "*.*" matches every file.
QString MfcFilterToQt(const QString& filter);

// `path`, with ".suffix" added when its file name has no extension.
QString WithDefaultSuffix(const QString& path, const QString& suffix);

}  // namespace tarkel::app
