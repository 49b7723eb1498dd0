#include "app/ViewIntegration.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/Preferences.h"
#include "view/DisplayState.h"
#include "view/ViewPreferences.h"
#include "view/ui/CTarkelView.h"

namespace tarkel::app {

void ApplyPreferencesToView(const Preferences& p) {
  ViewPreferences& v = TheViewPreferences();
  v.colorChannel1 = RgbFromStoredColor(uint32_t(p.colorChannel1));
  v.colorChannel2 = RgbFromStoredColor(uint32_t(p.colorChannel2));
  v.colorSelectedArea = RgbFromStoredColor(uint32_t(p.colorSelectedArea));
  v.colorMinMaxPoints = RgbFromStoredColor(uint32_t(p.colorMinMaxPoints));
  v.colorSampleBackground = RgbFromStoredColor(uint32_t(p.colorSampleBackground));
  v.showMinMaxPoints = p.showMinMaxPoints;
  v.symmetricDisplay = p.symmetricDisplay;
  v.integratedDisplay = p.integratedDisplay;
  v.showPlayRecMarker = p.showPlayRecMarker;
  v.scrollToPlayRecMarker = p.scrollToPlayRecMarker;
  v.autoSnapToZero = p.autoSnapToZero;
  v.dragDropEnable = p.dragDropEnable;
  v.colorScalingMode = p.colorScalingMode;
  v.fftBlockSize = p.fftBlockSize;
  // A stored code that names no unit leaves the unit as it is.
  if (const auto unit = UnitFromCode(p.sampleUnit)) TheDisplayState().SetUnit(*unit);
}

void ReadPreferencesFromView(Preferences& p) {
  const ViewPreferences& v = TheViewPreferences();
  p.sampleUnit = int32_t(TheDisplayState().Unit());
  p.autoSnapToZero = v.autoSnapToZero;
  p.scrollToPlayRecMarker = v.scrollToPlayRecMarker;
}

void ConnectViewCommands(CChildFrame& child, CMainFrame& frame) {
  if (auto* view = dynamic_cast<CTarkelView*>(child.View()))
    view->commandRequested = [&frame](int id) { frame.Dispatch(id); };
}

}  // namespace tarkel::app
