#include "app/ControlLibraries.h"

#include <QCoreApplication>
#include <QDir>
#include <QWidget>

namespace tarkel::app {

// Destroying a QLibrary does not unload it: the libraries stay mapped until the process ends,
// so controls made from them may outlive the registry.
ControlRegistry::~ControlRegistry() = default;

int ControlRegistry::Register(void* registry, const char* className, TarkelCreateControlFn create) {
  auto* self = static_cast<ControlRegistry*>(registry);
  if (!self || !className || !*className) return 0;
  return self->classes_.emplace(className, create).second ? 1 : 0;
}

bool ControlRegistry::LoadLibraries(const QString& folder, const QStringList& names, QString& failed) {
  for (const QString& name : names) {
    auto library = std::make_unique<QLibrary>(QDir(folder).filePath(name));
    // Controls made by a library live as long as the program: it stays mapped until the end.
    library->setLoadHints(QLibrary::PreventUnloadHint);
    auto init = library->load()
                    ? reinterpret_cast<TarkelControlLibraryInitFn>(library->resolve(TARKEL_CONTROL_LIBRARY_INIT))
                    : nullptr;
    if (!init || !init(this, &ControlRegistry::Register)) {
      library->unload();
      failed = name;
      return false;
    }
    libraries_.push_back(std::move(library));
    loaded_ << name;
  }
  return true;
}

QWidget* ControlRegistry::Create(const std::string& className, QWidget* parent) const {
  const auto it = classes_.find(className);
  if (it == classes_.end() || !it->second) return nullptr;
  return static_cast<QWidget*>(it->second(parent));
}

QString ProgramLibraryFolder() {
  return QDir(QCoreApplication::applicationDirPath() + "/" TARKEL_LIBRARY_RELDIR).absolutePath();
}

}  // namespace tarkel::app
