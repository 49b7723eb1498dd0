// The region manager's play script through the real PortAudio output and ALSA's file plugin:
// every piece with all its repeats reaches the device in order, nothing else but silence.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/TransportRegionPlayer.h"
#include "audio/AlsaFileSupport.h"
#include "audio/AudioTestSupport.h"
#include "audio/portaudio/PortAudioSystem.h"
#include "cli/CliRunner.h"

namespace tarkel::test {
namespace {

TEST(AlsaScriptTest, PlayAllOfThreeRegionsDeliversTheScriptsFrames) {
  TempDir dir;
  AlsaFileDevice device(dir.Path(), false);
  ::setenv("ALSA_CONFIG_PATH", device.config.c_str(), 1);
  RecordingPorts ports;
  audio::PortAudioSystem system;
  audio::AudioTransport transport(system);
  app::TransportRegionPlayer player(transport);
  auto doc = StereoDoc(20000);
  const std::vector<PlayPiece> script = {
      {doc.get(), 1000, 2999, 2}, {doc.get(), 8000, 8999, 1}, {doc.get(), 15000, 15499, 3}};
  ASSERT_TRUE(player.PlayScript(script));
  for (int i = 0; i < 3000 && !transport.Idle(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    transport.Poll();
  }
  ASSERT_TRUE(transport.Idle());
  // A piece's repeats follow each other at once; the next piece starts at the next poll after
  // the device took the previous one, so only silence may stand between pieces.
  std::vector<std::vector<uint8_t>> pieces;
  for (const PlayPiece& piece : script) {
    std::vector<uint8_t> repeated;
    for (uint32_t t = 0; t < piece.repeats; ++t) repeated = Concat(repeated, FrameBytes(*doc, piece.first, piece.last + 1));
    pieces.push_back(repeated);
  }
  EXPECT_TRUE(FindWithSilenceAround(ReadFileBytes(device.played), pieces));
  EXPECT_EQ(doc->Sound().RepeatCount(), 1u);
}

}  // namespace
}  // namespace tarkel::test
