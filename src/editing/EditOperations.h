#pragma once
// The edit operations on a document's sound. Positions are frames, first and last inclusive.
// Every operation refuses with message 1000 when the sound has no sample memory or the range
// is reversed, shows its own message when it fails, and opens a progress window unless one is
// open already. Results: the frames processed, or -1 on failure (cancel included).
#include <cstdint>

#include "sound/ChannelMode.h"

namespace tarkel {

class DocWaveAudio;

// --- Clipboard pastes (the clipboard's data converted to this sound's format) ---------------
// Inserts the clipboard at `first` (the whole clipboard); the inserted frames start at
// `first`. In one channel the other channel of the frames added at the end is silence.
int64_t InsertClip(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);
// Overwrites from `first` for the clipboard's length, at most up to the end of the sound.
int64_t OverwriteClip(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);
// Overwrites the selection, the clipboard cut to its length.
int64_t OverwriteClipExactly(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);
// Mean of clipboard and sound from `first` for the clipboard's length (up to the end of the
// sound), then the level compensation.
int64_t MixClip(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);
// As MixClip, limited to the selection.
int64_t MixClipExactly(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);

// Parameters of the crossfade with the clipboard (effect 17).
struct CrossfadeParams {
  int32_t soundStartLevel = 100;  // p1: the sound's level at the start, the clipboard's at the end
  int32_t soundEndLevel = 0;      // p2: the sound's level at the end, the clipboard's at the start
  int32_t limitToSelection = 0;   // p3: 1 limits the crossfade to the selection
  bool preview = false;           // process a copy in the preview image instead of the sound
};
int64_t CrossfadeClip(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode,
                      const CrossfadeParams& params);

// --- Ranges ------------------------------------------------------------------------------------
// Keeps only first..last; in one channel of a stereo sound the result is a mono sound of that
// channel. Returns the new length in frames.
int64_t TrimRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);

// Removes frames first..last (in one channel: moves that channel's later samples down and
// silences the freed end). A last frame past the end is taken as the last frame. Returns the
// frames removed, or -1.
int64_t DeleteRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);
// Removes exactly `count` frames from `first` (the core of DeleteRange and Cut); -1 with
// message 1008 when the memory cannot shrink.
int64_t RemoveFrames(DocWaveAudio& wave, uint32_t first, uint32_t count, ChannelMode mode);

// Fills first..last with silence in the chosen channel or channels.
int64_t EraseRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);

// Inserts `frames` frames of silence at `at`. Returns the frames inserted, or -1.
int64_t InsertSilence(DocWaveAudio& wave, uint32_t at, uint32_t frames, ChannelMode mode);

// Writes a new sampling rate into the format record; the samples stay as they are. A zero
// rate is refused.
bool ChangeSpeed(DocWaveAudio& wave, uint32_t rate);

// What a move leaves where its source was: nothing (the frames are removed) or silence.
enum class MovedSource { Removed, Silenced };
// The user's "DragDropReplaceMoveWithSilence" preference.
MovedSource PreferredMovedSource();

// Moves or copies frames first..last of channel `sourceMode` to frame `destination` of channel
// `destinationMode` (drag and drop): room is made at the destination, the frames are copied
// there, and a move then removes the source (deletes it, or fills it with silence when `moved`
// says so). `finalStep` is set when the call
// reverses an earlier move: the source is then always removed, and `copy` says whether room
// is made at the destination (otherwise the destination is overwritten). `placedAt`, when
// given, receives the frame where the copied frames stand afterwards. Returns the frames
// moved, or -1.
// The channel a move or copy really lands in: both channels cannot be dropped into one, so a
// whole-frame source keeps its own mode.
ChannelMode EffectiveDestinationMode(const DocWaveAudio& wave, ChannelMode sourceMode, ChannelMode destinationMode);

int64_t MoveOrCopyRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode sourceMode,
                        uint32_t destination, ChannelMode destinationMode, bool copy, bool finalStep,
                        uint32_t* placedAt = nullptr, MovedSource moved = PreferredMovedSource());

}  // namespace tarkel
