#include "app/TransportAccess.h"

namespace tarkel::app {
namespace {
audio::AudioTransport* theTransport = nullptr;
}

audio::AudioTransport* Transport() { return theTransport; }
void SetTransport(audio::AudioTransport* transport) { theTransport = transport; }

}  // namespace tarkel::app
