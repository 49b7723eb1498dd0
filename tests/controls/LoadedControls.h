#pragma once
// The control libraries as the program loads them: by file name from the build's library folder,
// each registering its classes through its entry point. For tests and the preview program.
#include <QLibrary>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlLibrary.h"

namespace tarkel::test {

class LoadedControls {
 public:
  // Controls made from the libraries may outlive this object: destroying a QLibrary leaves its
  // library loaded.
  // Loads each of `names` ("libknob.so", ...) from the build's library folder; false (with the
  // reason in Error()) when one does not load or its entry point fails.
  bool Load(const QStringList& names);
  QWidget* Create(const std::string& className, QWidget* parent) const;
  // An exported function of a loaded library.
  QFunctionPointer Resolve(const QString& libraryName, const char* symbol) const;
  const QString& Error() const { return error_; }
  bool Has(const std::string& className) const { return classes_.count(className) != 0; }

 private:
  static int Register(void* registry, const char* className, TarkelCreateControlFn create);

  std::map<std::string, TarkelCreateControlFn> classes_;
  std::map<QString, std::unique_ptr<QLibrary>> libraries_;
  QString error_;
};

// The folder the control libraries are built into.
QString ControlLibraryFolder();

}  // namespace tarkel::test
