#pragma once
// The application object: prepares the program-wide state, reads the settings, creates the main
// frame, loads the control libraries, opens the files named on the command line, creates the
// monitor windows and shows them as the settings say.
#include <QString>
#include <QStringList>
#include <memory>

#include "app/AppState.h"

namespace tarkel::app {

class CMainFrame;
class QtPorts;
class TransportWiring;

struct StartOptions {
  QStringList files;          // opened as documents
  QString libraryFolder;      // where the control libraries are; empty: the program's folder
  bool installPorts = true;   // install the Qt message boxes, progress window and clipboard
};

class CTarkelApp {
 public:
  CTarkelApp();
  ~CTarkelApp();
  CTarkelApp(const CTarkelApp&) = delete;
  CTarkelApp& operator=(const CTarkelApp&) = delete;

  // The start-up steps in order; false when the program must end (the reason shown).
  bool InitInstance(const StartOptions& options);

  AppState& State() { return state_; }
  CMainFrame* MainFrame() const { return frame_.get(); }

 private:
  AppState state_;
  std::unique_ptr<QtPorts> ports_;
  std::unique_ptr<TransportWiring> audio_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace tarkel::app
