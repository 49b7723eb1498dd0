// tarkel: the sound editor's desktop program.
#include <QApplication>
#include <QCommandLineParser>
#include <QEvent>
#include <QTimer>

#include "app/CMainFrame.h"
#include "app/CTarkelApp.h"

namespace {

// For start-up measurements (TARKEL_EXIT_AFTER_FIRST_PAINT set): the program ends as soon as
// the main window has painted once.
class ExitAfterFirstPaint final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool done_ = false;
};

}  // namespace

void SetNames() {
  QCoreApplication::setApplicationName("tarkel");
  QCoreApplication::setOrganizationName("Brannick");
  QCoreApplication::setApplicationVersion(TARKEL_VERSION);
}

void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription("Tarkel, a sound editor: opens each FILE as a document.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("FILE", "A sound file to open (RIFF WAVE, Creative Voice or raw).", "[FILE...]");
}

// --help and --version answer without a display.
bool AsksForTextOnly(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg(argv[i]);
    if (arg == "--") break;
    if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" || arg == "--version") return true;
  }
  return false;
}

int main(int argc, char** argv) {
  if (AsksForTextOnly(argc, argv)) {
    QCoreApplication core(argc, argv);
    SetNames();
    QCommandLineParser parser;
    Describe(parser);
    parser.process(core);  // prints and ends the program
    return 0;
  }
  QApplication application(argc, argv);
  SetNames();
  QApplication::setDesktopFileName("tarkel");
  QCommandLineParser parser;
  Describe(parser);
  parser.process(application);

  tarkel::app::StartOptions options;
  options.files = parser.positionalArguments();
  tarkel::app::CTarkelApp app;
  if (!app.InitInstance(options)) return 1;
  ExitAfterFirstPaint exitAfterPaint;
  if (qEnvironmentVariableIsSet("TARKEL_EXIT_AFTER_FIRST_PAINT")) app.MainFrame()->installEventFilter(&exitAfterPaint);
  return application.exec();
}
