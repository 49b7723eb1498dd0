#pragma once
// The range and channels the next edit, effect or play command acts on: what a view holds and
// what the command-line front end builds from --select and --channel. Both ends are frame
// numbers, inclusive, made even as the editor makes them; unset means the whole sound.
#include <cstdint>

#include "sound/ChannelMode.h"

namespace tarkel {

class WaveAudio;

// The channels a user picks; turned into a ChannelMode that fits the sound.
enum class ChannelChoice { Left, Right, Both };

class Selection {
 public:
  // The whole sound, both channels.
  Selection() = default;

  // A range of frames, first and last inclusive; both ends rounded down to even.
  void SetRange(uint32_t first, uint32_t last);
  // Forgets the range: the whole sound again.
  void Clear() { isSet_ = false; }
  void SetChannel(ChannelChoice choice) { channel_ = choice; }
  // Takes the range and channels an edit reports as its new selection (paste, move, copy-to).
  // The ends are kept as given (the edit made them).
  void Adopt(uint32_t first, uint32_t last, ChannelMode mode);

  bool IsSet() const { return isSet_; }
  ChannelChoice Channel() const { return channel_; }

  // As the next operation on `sound` sees it: the whole sound when unset.
  uint32_t First() const { return isSet_ ? first_ : 0; }
  uint32_t Last(const WaveAudio& sound) const;
  // Mono for a one-channel sound, else the channel choice.
  ChannelMode Mode(const WaveAudio& sound) const;

 private:
  bool isSet_ = false;
  uint32_t first_ = 0;
  uint32_t last_ = 0;
  ChannelChoice channel_ = ChannelChoice::Both;
};

// Rounds a frame number down to even, as every selection end is.
inline uint32_t EvenFrame(uint32_t frame) { return frame & ~1u; }

}  // namespace tarkel
