#include "app/FileFilters.h"

#include <QFileInfo>
#include <QStringList>

namespace tarkel::app {

QString MfcFilterToQt(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString text = parts[i].trimmed();
    if (text.isEmpty()) break;
    QStringList patterns;
    for (QString pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
      pattern = pattern.trimmed();
      if (pattern == "*.*") {
        patterns << "*";
        continue;
      }
      patterns << pattern.toLower();
      if (pattern.toUpper() != pattern.toLower()) patterns << pattern.toUpper();
    }
    patterns.removeDuplicates();
    entries << text + " (" + patterns.join(' ') + ")";
  }
  return entries.join(";;");
}

QString WithDefaultSuffix(const QString& path, const QString& suffix) {
  return QFileInfo(path).suffix().isEmpty() ? path + '.' + suffix : path;
}

}  // namespace tarkel::app
