// The region manager's play script through the real PortAudio output and ALSA's file plugin:
// every piece with all its repeats reaches the device in order, nothing else but silence, and
// no more of it between pieces than one timer period.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

#include "app/TransportRegionPlayer.h"
#include "audio/AlsaFileSupport.h"
#include "audio/AudioTestSupport.h"
#include "audio/portaudio/PortAudioSystem.h"
#include "cli/CliRunner.h"

namespace tarkel::test {
namespace {

// The silence in bytes between consecutive pieces of `script` in what the device received;
// nothing when the pieces, each with all its repeats, are not there in order with only silence
// around them.
std::optional<std::vector<size_t>> GapsBetweenPieces(const std::vector<uint8_t>& played,
                                                     const std::vector<PlayPiece>& script) {
  std::vector<std::vector<uint8_t>> pieces;
  for (const PlayPiece& piece : script) {
    std::vector<uint8_t> repeated;
    for (uint32_t t = 0; t < piece.repeats; ++t)
      repeated = Concat(repeated, FrameBytes(*piece.document, piece.first, piece.last + 1));
    pieces.push_back(repeated);
  }
  const auto offsets = FindPartsWithSilenceAround(played, pieces);
  if (!offsets) return std::nullopt;
  std::vector<size_t> gaps;
  for (size_t i = 1; i < pieces.size(); ++i) gaps.push_back((*offsets)[i] - (*offsets)[i - 1] - pieces[i - 1].size());
  return gaps;
}

// Regions of two documents in one format, each with its repeats: every piece reaches the
// device in order, and what stands between two pieces is at most one timer period of silence.
TEST(AlsaScriptTest, PlayAllOfThreeRegionsDeliversTheScriptsFramesWithoutGaps) {
  TempDir dir;
  AlsaFileDevice device(dir.Path(), false);
  ::setenv("ALSA_CONFIG_PATH", device.config.c_str(), 1);
  RecordingPorts ports;
  audio::PortAudioSystem system;
  audio::AudioTransport transport(system);
  app::TransportRegionPlayer player(transport);
  auto verse = StereoDoc(20000), chorus = StereoDoc(12000);
  const std::vector<PlayPiece> script = {
      {verse.get(), 1000, 2999, 2}, {verse.get(), 8000, 8999, 1}, {chorus.get(), 10000, 11499, 3}};
  ASSERT_TRUE(player.PlayScript(script));
  // The timer's pace: a tick every 5 ms (the poll on every second one).
  for (int i = 0; i < 6000 && !transport.Idle(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    transport.Tick();
  }
  ASSERT_TRUE(transport.Idle());
  const auto gaps = GapsBetweenPieces(ReadFileBytes(device.played), script);
  ASSERT_TRUE(gaps);
  const uint64_t period = uint64_t(transport.Settings().globalTimeSliceMs) * verse->Sound().Rate() / 1000 *
                          verse->Sound().BlockAlign();
  for (size_t gap : *gaps) EXPECT_LE(gap, period) << "gaps " << ::testing::PrintToString(*gaps);
  EXPECT_EQ(verse->Sound().RepeatCount(), 1u);
  EXPECT_EQ(chorus->Sound().RepeatCount(), 1u);
}

}  // namespace
}  // namespace tarkel::test
