#include "app/BackgroundLoading.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "app/CommandIds.h"
#include "document/CTarkelDoc.h"
#include "document/UndoStore.h"
#include "fileformats/BackgroundRead.h"

namespace tarkel::app {

void InstallBackgroundReadPoster() {
  SetBackgroundReadPoster([](std::function<void()> work) {
    // Called on the reader's thread: the work is queued to the application object's thread.
    if (QCoreApplication* app = QCoreApplication::instance())
      QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
  });
}

bool AllowedWhileLoading(const CommandRow& row) {
  using namespace cmd;
  switch (row.target) {
    case Target::Document:
      // New documents and program-wide switches only.
      return row.id == kFileNew || row.id == kFileOpen || row.id == kPasteNew || row.id == kDisableUndo ||
             row.id == kAutoConvert;
    case Target::Transport:
      // What acts on the devices or on another document that plays.
      return row.id == kSelectDevices || row.id == kStop || row.id == kPause;
    case Target::View:
      // Printing and freehand drawing read or write the samples; zoom and selection do not.
      return row.id != kPrint && row.id != kFreehand;
    case Target::Frame:
      return row.id != kHistogram;
  }
  return false;
}

}  // namespace tarkel::app
