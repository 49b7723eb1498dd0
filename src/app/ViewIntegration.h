#pragma once
// What ties the waveform view to the shell: the view's preferences and the display unit filled
// from the settings (and read back before they are written), and the view's context-menu
// commands sent through the main frame's dispatch.
namespace tarkel::app {

class CChildFrame;
class CMainFrame;
struct Preferences;

// The view's colours and switches, the display unit and the frame rate's start value from the
// settings.
void ApplyPreferencesToView(const Preferences& prefs);
// What the view's commands changed (unit, snap to zero, track view), copied back.
void ReadPreferencesFromView(Preferences& prefs);
// The context menu of `child`'s view runs its commands through `frame`.
void ConnectViewCommands(CChildFrame& child, CMainFrame& frame);

}  // namespace tarkel::app
