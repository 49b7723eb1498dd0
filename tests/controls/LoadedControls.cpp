#include "LoadedControls.h"

#include <QDir>

namespace tarkel::test {

QString ControlLibraryFolder() { return QStringLiteral(TARKEL_CONTROLS_DIR); }

int LoadedControls::Register(void* registry, const char* className, TarkelCreateControlFn create) {
  auto* self = static_cast<LoadedControls*>(registry);
  return self->classes_.emplace(className, create).second ? 1 : 0;
}

bool LoadedControls::Load(const QStringList& names) {
  for (const QString& name : names) {
    auto library = std::make_unique<QLibrary>(QDir(ControlLibraryFolder()).filePath(name));
    library->setLoadHints(QLibrary::PreventUnloadHint);  // as the program loads them
    if (!library->load()) {
      error_ = library->errorString();
      return false;
    }
    auto init = reinterpret_cast<TarkelControlLibraryInitFn>(library->resolve(TARKEL_CONTROL_LIBRARY_INIT));
    if (!init || !init(this, &LoadedControls::Register)) {
      error_ = name + QStringLiteral(": entry point failed");
      return false;
    }
    libraries_[name] = std::move(library);
  }
  return true;
}

QWidget* LoadedControls::Create(const std::string& className, QWidget* parent) const {
  const auto it = classes_.find(className);
  return it == classes_.end() || !it->second ? nullptr : static_cast<QWidget*>(it->second(parent));
}

QFunctionPointer LoadedControls::Resolve(const QString& libraryName, const char* symbol) const {
  const auto it = libraries_.find(libraryName);
  return it == libraries_.end() ? nullptr : it->second->resolve(symbol);
}

}  // namespace tarkel::test
