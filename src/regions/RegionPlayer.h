#pragma once
// What the region manager needs from the audio engine: play a script of ranges, each with its
// repeats, one after another without gaps. The audio engine implements it; tests use a fake.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tarkel {

class CTarkelDoc;
class DocWaveAudio;
struct CWaveSelection;

struct PlayPiece {
  CTarkelDoc* document = nullptr;
  uint32_t first = 0;  // frames, both inclusive
  uint32_t last = 0;
  uint32_t repeats = 1;
  size_t region = 0;  // the region's place in the list
};

// What a player is heard playing now: the sound and its frame. A null sound: the script goes on
// but nothing is heard for the moment (the device is reopened for a piece in another format).
struct PlayPosition {
  const DocWaveAudio* sound = nullptr;
  uint32_t frame = 0;
};

class RegionPlayer {
 public:
  virtual ~RegionPlayer() = default;
  // Stops whatever plays, then plays the pieces in order. False when nothing could be started
  // (the player has shown its message).
  virtual bool PlayScript(const std::vector<PlayPiece>& script) = 0;
  virtual void Stop() = 0;
  // Where the script is heard now; nothing once it has ended (or when the player cannot tell).
  virtual std::optional<PlayPosition> Position() { return std::nullopt; }
};

// The piece that plays `region` `repeats` times, its range cut to the sound; false when the
// region has no document or nothing of it lies inside the sound.
bool PieceOf(const CWaveSelection& region, uint32_t repeats, PlayPiece& piece);
// Play: the region once. Play all: every region with its repeats, in list order (regions that
// play nothing are left out).
std::vector<PlayPiece> SingleScript(const CWaveSelection& region);
std::vector<PlayPiece> FullScript(const std::vector<CWaveSelection>& regions);

// A stand-in for the audio engine: plays the first piece through the document's own play
// command with the document's repeat count set to the piece's repeats.
class DocumentPlayCommandPlayer final : public RegionPlayer {
 public:
  bool PlayScript(const std::vector<PlayPiece>& script) override;
  void Stop() override;
};

}  // namespace tarkel
