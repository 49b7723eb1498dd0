#pragma once
// The audio engine inside the program: one device system and one transport for the program's
// lifetime, the transport commands' states and handlers, the periodic timer's tick, the play
// marker's position source and the main window's reaction to the transport messages.
#include <QObject>
#include <memory>

#include "app/CommandTable.h"
#include "app/TransportAccess.h"
#include "audio/AudioTransport.h"
#include "view/ViewPreferences.h"

namespace tarkel::app {

class CMainFrame;
struct Preferences;

class TransportWiring final : public QObject, public audio::TransportListener, public PlayPositionSource {
 public:
  // Takes the devices (PortAudio in the program, fake devices in tests) and the settings; the
  // transport takes over the documents' play and close hooks.
  TransportWiring(std::unique_ptr<audio::DeviceSystem> devices, const Preferences& prefs);
  ~TransportWiring() override;

  // The main window's periodic timer drives the transport; the window follows its messages.
  void Attach(CMainFrame& frame);
  // Before the window goes: the documents it closes stop without calling back into it.
  void Detach();
  audio::AudioTransport& Transport() { return *transport_; }

  // TransportListener
  void OnTransportMessage(int message) override;
  void OnTransportPosition(CTarkelDoc& doc, uint32_t frame) override;
  // PlayPositionSource
  uint32_t CurrentFrame(const CTarkelDoc& doc) const override;

 private:
  std::unique_ptr<audio::DeviceSystem> devices_;
  std::unique_ptr<audio::AudioTransport> transport_;
  CMainFrame* frame_ = nullptr;
};

// The engine's settings from the preferences (at start and after the preference sheet's OK).
void ApplyPreferencesToTransport(const Preferences& prefs);

// The play, record, preview and device commands.
CommandState TransportCommandState(const CommandContext& context, int id);
void RunTransportCommand(CommandContext& context, int id);

// Before command `id` changes `doc`: a document that plays, records or waits in a play script
// stops first, since the engine's blocks point into the sample memory an edit may move.
void StopBeforeDocumentCommand(CTarkelDoc& doc, int id);

}  // namespace tarkel::app
