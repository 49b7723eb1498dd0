#pragma once
// The custom controls the program's dialogs use: the libraries that provide them are loaded by
// name at start-up from the program's library folder, and each registers its window classes
// here.
#include <QLibrary>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlLibrary.h"

class QWidget;

namespace tarkel::app {

// The libraries, in the order start-up loads them.
inline const QStringList kControlLibraryNames = {"libgauge.so", "libknob.so", "libmeter.so"};

// The text shown after a library's name when it cannot be loaded (string 1000).
inline constexpr int kCannotOpenStringId = 1000;
inline constexpr const char* kCannotOpenText = " cannto be opend!";

class ControlRegistry {
 public:
  ControlRegistry() = default;
  ~ControlRegistry();
  ControlRegistry(const ControlRegistry&) = delete;
  ControlRegistry& operator=(const ControlRegistry&) = delete;

  // Loads `names` in order from `folder`, stopping at the first that does not load or whose
  // entry point fails; that library's name is put into `failed`. True when all loaded.
  bool LoadLibraries(const QString& folder, const QStringList& names, QString& failed);

  bool Has(const std::string& className) const { return classes_.count(className) != 0; }
  // A control of a registered class; null when the class is unknown or cannot be made yet.
  QWidget* Create(const std::string& className, QWidget* parent) const;
  // The libraries loaded so far, in load order.
  const QStringList& Loaded() const { return loaded_; }

 private:
  static int Register(void* registry, const char* className, TarkelCreateControlFn create);

  std::map<std::string, TarkelCreateControlFn> classes_;
  std::vector<std::unique_ptr<QLibrary>> libraries_;
  QStringList loaded_;
};

// The program's library folder (lib/tarkel beside the program's bin folder).
QString ProgramLibraryFolder();

}  // namespace tarkel::app
