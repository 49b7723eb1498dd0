#pragma once
// Keeps ALSA's and JACK's start-up chatter ("Cannot connect to server socket", "Unknown PCM
// cards.pcm.rear", ...) off the terminal: the program reports device trouble itself.

namespace tarkel::audio::pa {

// Installs a silent ALSA error handler and initialises PortAudio with standard error pointed
// at /dev/null for the duration. Returns PortAudio's result code.
int QuietInitialize();

}  // namespace tarkel::audio::pa
