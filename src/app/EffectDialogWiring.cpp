#include "app/EffectDialogWiring.h"

#include <optional>

#include "app/CMainFrame.h"
#include "app/TransportAccess.h"
#include "app/TransportPreviewPlayer.h"
#include "dialogs/DialogCatalogue.h"
#include "dialogs/ui/EffectDialogs.h"
#include "document/CTarkelDoc.h"
#include "view/ui/DocumentView.h"

namespace tarkel::app {

CommandState EffectCommandState(const CommandContext& c, int id) {
  if (!c.doc || !c.doc->Sound().HasData()) return {};
  if (!NeedsSixteenBitRange(id)) return {true, false};
  const bool range = c.view && c.view->CurrentSelection().IsSet();
  return {range && c.doc->Sound().BitsPerSample() == 16, false};
}

void RunEffectCommand(CommandContext& c, int id) {
  if (!c.doc) return;
  const Selection selection = c.view ? c.view->CurrentSelection() : Selection();
  std::optional<TransportPreviewPlayer> player;
  if (audio::AudioTransport* transport = Transport()) player.emplace(*transport);
  ui::RunEffectDialog(id, *c.doc, selection, &c.frame, player ? &*player : nullptr);
}

}  // namespace tarkel::app
