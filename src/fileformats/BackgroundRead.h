#pragma once
// Reading a sound's sample bytes on a worker thread while the program goes on. The reader
// allocates the block, starts one read of the "data" chunk and sets the loading flag; the worker
// reads in large pieces and looks at a cancel flag between them. Its end is handed to the front
// end's poster, which runs the completion on the UI thread: the loading flag clears there, a
// failure shows its message, and the callback given to WhenBackgroundReadEnds runs. Dropping the
// sound's data (closing the document) while it loads stops the read first.
//
// Without a poster (tarkel-cli, a front end without an event loop) the read runs to its end
// before StartBackgroundRead returns.
#include <cstdint>
#include <functional>
#include <string>

namespace tarkel {

class ByteSource;
class WaveAudio;

// Runs `work` later on the thread of the user interface; called from the worker thread.
using UiThreadPoster = std::function<void(std::function<void()> work)>;
// Installs the poster of the process (empty: reads run to their end at once).
void SetBackgroundReadPoster(UiThreadPoster poster);

// Whether the "data" chunk of a sound being read from `in` is read in the background: the
// background option is set, the sound is not edited on the hard disk, and `in` is a file.
bool UsesBackgroundRead(const WaveAudio& wave, const ByteSource& in);

// Allocates `bytes` of data for `wave` and reads them from `offset` of the file `path`. With a
// poster installed the read runs on a worker thread and the sound is loading; the bytes the file
// no longer holds read as silence. False, with its message shown, when the file cannot be
// opened for reading (3008) or the memory cannot be had (as the foreground reader says it).
bool StartBackgroundRead(WaveAudio& wave, const std::string& path, uint64_t offset, uint32_t bytes);

// Runs `done` on the UI thread when the sound's background read has ended (true: every byte was
// read; false: a read error, whose message has been shown). Nothing runs when the read was
// stopped or the sound is not loading.
void WhenBackgroundReadEnds(WaveAudio& wave, std::function<void(bool ok)> done);

}  // namespace tarkel
