#pragma once
// Work that fills a sound's data from its file while the program goes on (the background read).
// Destroying it stops the work and waits until the data is no longer written, so the sound may
// free or resize its data afterwards.

namespace tarkel {

class LoadJob {
 public:
  virtual ~LoadJob() = default;
};

}  // namespace tarkel
