#include "document/NoUndoWarning.h"

#include "sound/AppContext.h"
#include "sound/Ports.h"

namespace tarkel {

bool ConfirmChangeWithoutUndo() { return App().warningIfNoUndo == 0 || AskText(kNoUndoQuestion); }

}  // namespace tarkel
