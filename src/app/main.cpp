// tarkel: the sound editor's desktop program.
#include <QApplication>
#include <QCommandLineParser>

#include "app/CTarkelApp.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("tarkel");
  QApplication::setOrganizationName("Brannick");
  QApplication::setApplicationVersion(TARKEL_VERSION);
  QApplication::setDesktopFileName("tarkel");

  QCommandLineParser parser;
  parser.setApplicationDescription("Tarkel, a sound editor: opens each FILE as a document.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("FILE", "A sound file to open (RIFF WAVE, Creative Voice or raw).", "[FILE...]");
  parser.process(application);

  tarkel::app::StartOptions options;
  options.files = parser.positionalArguments();
  tarkel::app::CTarkelApp app;
  if (!app.InitInstance(options)) return 1;
  return application.exec();
}
