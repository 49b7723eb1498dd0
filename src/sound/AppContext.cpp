#include "sound/AppContext.h"

namespace tarkel {

AppContext& App() {
  static AppContext context;
  return context;
}

}  // namespace tarkel
