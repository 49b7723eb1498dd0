#include "support/TestPorts.h"

namespace tarkel::test {

RecordingPorts::RecordingPorts() { previous_ = SetPorts({this, this, this, this}); }
RecordingPorts::~RecordingPorts() { SetPorts(previous_); }

void RecordingPorts::ShowMessage(int number, const std::string&) { messages.push_back(number); }

bool RecordingPorts::AskYesNo(int number, const std::string& text) {
  messages.push_back(number);
  questions.push_back(text);
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void RecordingPorts::ShowText(const std::string& text) { texts.push_back(text); }

bool RecordingPorts::Open(const std::string& caption) {
  captions.push_back(caption);
  return progressOpens;
}

bool RecordingPorts::PumpAndCheckCancel() { return pumps++ == cancelAtPump; }

int RecordingPorts::Choose(const std::string& title, WaveFormat& format) {
  chooserTitles.push_back(title);
  if (chooserResult == kChooseOk) format = chosenFormat;
  return chooserResult;
}

}  // namespace tarkel::test
