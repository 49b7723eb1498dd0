#include "AppTestSupport.h"

#include <QSettings>
#include <cstring>

#include "app/DocumentCommands.h"

namespace tarkel::test {

void ClearSettings() {
  QSettings store("Brannick", "Tarkel");
  store.clear();
  store.sync();
}

std::unique_ptr<CTarkelDoc> MakeDocument(const WaveFormat& format, uint32_t frames, uint8_t fill,
                                         const std::string& title) {
  auto doc = std::make_unique<CTarkelDoc>();
  doc->Sound().Format() = format;
  doc->Sound().RefreshPcmCopy();
  uint8_t* data = doc->Sound().AllocateData(frames * format.BlockAlign());
  if (data) std::memset(data, fill, size_t(frames) * format.BlockAlign());
  doc->SetTitle(title);
  return doc;
}

FrameFixture::FrameFixture() : frame(std::make_unique<app::CMainFrame>(state)) {
  app::InstallDocumentHooks(frame.get(), state);
}

}  // namespace tarkel::test
