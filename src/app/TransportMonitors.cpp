#include "app/TransportMonitors.h"

#include "app/TransportAccess.h"
#include "audio/AudioTransport.h"
#include "document/CTarkelDoc.h"

namespace tarkel::app {

const WaveAudio* TransportMonitorSource::TransportSound() const {
  audio::AudioTransport* transport = Transport();
  if (!transport || transport->Idle()) return nullptr;
  CTarkelDoc* doc = transport->TransportDocument();
  return doc ? &doc->Sound() : nullptr;
}

uint32_t TransportMonitorSource::TransportFrame() const {
  audio::AudioTransport* transport = Transport();
  return transport ? transport->CurrentTransportFrame() : 0;
}

// Without a transport the knobs stand at full volume and move nothing.
uint16_t TransportOutputVolume::Get(bool right) const {
  audio::AudioTransport* transport = Transport();
  return transport ? transport->Volume(transport->OutputDevice(), right) : 0xFFFF;
}

void TransportOutputVolume::Set(bool right, uint16_t volume) {
  if (audio::AudioTransport* transport = Transport()) transport->SetVolume(transport->OutputDevice(), right, volume);
}

}  // namespace tarkel::app
