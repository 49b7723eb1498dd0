#pragma once
// The document side of the effects: each command saves the range for undo as a replaced range,
// runs the driver on the document's sound, redraws the views and marks the document modified,
// all through the document's edit wrapper. The undo record stays when the driver fails or is
// cancelled, so that it restores the samples already changed. A preview runs the driver on the
// sound directly: no undo, no modified mark. The request is never changed: the driver works on
// its own copy of the record, so Preview followed by OK applies what OK alone applies.
#include <cstdint>

#include "sound/ChannelMode.h"
#include "effects/EffectRequest.h"

namespace tarkel {

class CTarkelDoc;

// Applies `request` to first..last of `doc` in channel `mode`. True on success.
bool ApplyEffectCommand(CTarkelDoc& doc, const EffectRequest& request, uint32_t first, uint32_t last,
                        ChannelMode mode);

// Runs `request` as a dialog's Preview does; on success the sound's preview image holds the
// processed copy. Invert has no preview (false, nothing shown).
bool PreviewEffectCommand(CTarkelDoc& doc, const EffectRequest& request, uint32_t first, uint32_t last,
                          ChannelMode mode);

}  // namespace tarkel
