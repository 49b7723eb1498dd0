#pragma once
// What the playback and recording engines tell the rest of the program: the six transport
// messages (the main window updates its transport tool bar; an effect dialog learns that its
// preview ended) and, on every timer tick while a sound plays or records, the marker position.
#include <cstdint>
#include <string>

namespace tarkel {
class CTarkelDoc;
}

namespace tarkel::audio {

namespace wm {
inline constexpr int kPlayStopped = 1034;    // playback ended or was stopped
inline constexpr int kRecordStopped = 1035;  // recording ended or was stopped
inline constexpr int kPlayStarted = 1036;    // blocks were handed to the output device
inline constexpr int kRecordStarted = 1037;  // recording started
inline constexpr int kPlayPaused = 1038;     // output paused
inline constexpr int kPlayResumed = 1039;    // output resumed
}  // namespace wm

// Texts of the device message boxes (hand icon).
inline constexpr const char* kOutputFormatRefused = "Fehler: Ausgabeger\xC3\xA4t kann diese Audio-Daten nicht wiedergeben!";
inline constexpr const char* kInputFormatRefused = "Fehler: Aufnahme-ger\xC3\xA4t kann diese Audio-Daten nicht verarbeiten!";
inline constexpr const char* kPrepareRecordingQuestion = "Prepared, click OK to start recording !";
// A device that stops working while it plays or records (removed, sound server restarted).
inline constexpr const char* kOutputDeviceLost = "Fehler: Ausgabeger\xC3\xA4t arbeitet nicht mehr - Wiedergabe beendet!";
inline constexpr const char* kInputDeviceLost =
    "Fehler: Aufnahme-ger\xC3\xA4t arbeitet nicht mehr - Aufnahme beendet, das Aufgenommene bleibt erhalten!";

class TransportListener {
 public:
  virtual ~TransportListener() = default;
  // One of the wm:: messages. Delivered after the engine's own work is done (as a posted
  // message would be), so a listener may start or stop the transport again.
  virtual void OnTransportMessage(int message) = 0;
  // Every timer tick while `doc` plays or records: the frame now heard or recorded.
  virtual void OnTransportPosition(CTarkelDoc& doc, uint32_t frame) { (void)doc, (void)frame; }
};

}  // namespace tarkel::audio
