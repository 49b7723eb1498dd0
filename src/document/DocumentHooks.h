#pragma once
// Services that documents call but other parts of the program provide: the region manager, the
// change-length dialog, the audio engine and the clipboard's "paste as new". Each is installed
// once by whoever builds that part (shell, command-line front end, tests); an unset hook has the
// behaviour written beside it.
#include <cstdint>
#include <functional>
#include <optional>

namespace tarkel {

class CTarkelDoc;
class RegionSink;
class WaveAudio;

struct DocumentHooks {
  // The region manager; null: notices go nowhere.
  RegionSink* regionSink = nullptr;

  // The change-length dialog: shows `proposedFrames` and returns the length in frames the user
  // entered, or nullopt when cancelled. Unset: the proposal is taken as entered.
  std::function<std::optional<uint32_t>(CTarkelDoc& doc, uint32_t proposedFrames)> askLength;

  // "Paste New": fills the new document's sound from the clipboard as a new sample (the
  // clipboard code shows its own messages). Unset: the clipboard port's content is taken.
  std::function<bool(CTarkelDoc& doc)> pasteAsNew;

  // Starts playback of frames first..last of the document's sound. Unset: nothing plays (false).
  std::function<bool(CTarkelDoc& doc, uint32_t first, uint32_t last)> play;

  // Stops the playback or recording of the document's sound. Unset: the playing and recording
  // flags are simply cleared.
  std::function<void(CTarkelDoc& doc)> stopAudio;

  // Closes the files and mappings of a hard-disk or background-loaded sound and releases its
  // data. Unset: the sample memory is released.
  std::function<void(WaveAudio& wave)> closeSoundFiles;
};

// The hooks of the process.
DocumentHooks& TheDocumentHooks();

}  // namespace tarkel
