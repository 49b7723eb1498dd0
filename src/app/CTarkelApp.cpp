#include "app/CTarkelApp.h"

#include <QDir>
#include <QSettings>

#include "app/CMainFrame.h"
#include "app/DocumentCommands.h"
#include "app/QtPorts.h"
#include "app/TransportWiring.h"
#include "app/ViewIntegration.h"
#include "audio/portaudio/PortAudioSystem.h"
#include "document/UndoStore.h"
#include "sound/Ports.h"

namespace tarkel::app {

CTarkelApp::CTarkelApp() {
  // The undo store exists with the program and starts switched on.
  TheUndoStore().SetEnabled(true);
}

CTarkelApp::~CTarkelApp() {
  // The documents close with the frame, before the transport they may still play through.
  if (audio_) audio_->Detach();
  frame_.reset();
  audio_.reset();
  ports_.reset();
}

bool CTarkelApp::InitInstance(const StartOptions& options) {
  // The component runtime and the MCI control have no counterpart on this platform.
  if (options.installPorts) ports_ = std::make_unique<QtPorts>();

  // The settings, read once (the recent-file list with them).
  {
    QSettings store("Brannick", "Tarkel");
    state_.prefs = LoadPreferences(store);
  }
  ApplyPreferencesToCore(state_.prefs);
  ApplyPreferencesToView(state_.prefs);

  // The sound devices and the transport live from before the first document to after the last.
  audio_ = std::make_unique<TransportWiring>(std::make_unique<audio::PortAudioSystem>(), state_.prefs);
  frame_ = std::make_unique<CMainFrame>(state_);
  audio_->Attach(*frame_);
  InstallDocumentHooks(frame_.get(), state_);

  // The control libraries, in order; the first that is missing ends the start. (The fader and
  // spinner libraries are used by no dialog and are not part of this program.)
  const QString folder = options.libraryFolder.isEmpty() ? ProgramLibraryFolder() : options.libraryFolder;
  QString failed;
  if (!state_.controls.LoadLibraries(folder, kControlLibraryNames, failed)) {
    ShowText((failed + kCannotOpenText).toStdString());
    frame_.reset();
    return false;
  }
  // The audio compression library has none either: conversion is built in.

  for (const QString& file : options.files) frame_->OpenFile(file);

  frame_->ShowWithPlacement();
  frame_->CreateMonitorWindows();
  frame_->ShowMonitorWindows();
  frame_->activateWindow();
  return true;
}

}  // namespace tarkel::app
