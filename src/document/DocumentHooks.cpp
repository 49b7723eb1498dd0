#include "document/DocumentHooks.h"

namespace tarkel {

DocumentHooks& TheDocumentHooks() {
  static DocumentHooks hooks;
  return hooks;
}

}  // namespace tarkel
