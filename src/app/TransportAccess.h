#pragma once
// The program's one audio transport as the shell's windows reach it: the object that creates the
// transport (for the program's lifetime) registers it here; the effect previews, the region
// manager's play script and the monitor windows read it. Null while none is registered: those
// windows then play nothing and show silence.
namespace tarkel::audio {
class AudioTransport;
}

namespace tarkel::app {

audio::AudioTransport* Transport();
void SetTransport(audio::AudioTransport* transport);

}  // namespace tarkel::app
