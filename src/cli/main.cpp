// tarkel-cli: the editor's core driven from the command line, for scripting, end-to-end tests
// and benchmarks. Options act in command-line order on one document.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliPorts.h"
#include "cli/CliSession.h"
#include "cli/UndoNeed.h"
#include "document/CTarkelDoc.h"
#include "sound/Ports.h"

int main(int argc, char** argv) {
  using namespace tarkel;
  std::vector<std::string> args(argv + 1, argv + argc);

  CliSession session;
  session.out = &std::cout;
  session.err = &std::cerr;

  CliUserInterface ui(std::cerr, session.answerYes);
  FileClipboard clipboard(session.clipboardFile);
  FixedFormatChooser chooser;
  SetPorts({&ui, nullptr, &clipboard, &chooser});

  std::vector<CliStep> steps;
  std::string usageError;
  switch (ParseCommandLine(args, steps, usageError)) {
    case ParseResult::Help:
      std::cout << UsageText();
      return 0;
    case ParseResult::Version:
      std::cout << VersionText();
      return 0;
    case ParseResult::Error:
      std::cerr << "tarkel-cli: " << usageError << "\n" << "Try 'tarkel-cli --help'.\n";
      return 2;
    case ParseResult::Run: break;
  }

  UndoNeed undoNeed(steps);
  for (size_t i = 0; i < steps.size(); ++i) {
    undoNeed.Before(i);
    switch (RunStep(session, chooser, steps[i])) {
      case CliStatus::Ok: break;
      case CliStatus::Failed: return 1;
      case CliStatus::Usage: return 2;
    }
  }
  return 0;
}
