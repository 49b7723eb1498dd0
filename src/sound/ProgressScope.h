#pragma once
// The progress window of one step of an operation: opens it unless a window is already open
// (then the outer operation owns it, as compound operations share one window) and closes it on
// destruction only when this object opened it.
#include <cstdint>
#include <string>

#include "sound/ChannelMode.h"
#include "sound/DocWaveAudio.h"

namespace tarkel {

class ProgressScope {
 public:
  explicit ProgressScope(DocWaveAudio& wave) : wave_(wave) {}
  // Opens at once; Ok() tells whether a window is there.
  ProgressScope(DocWaveAudio& wave, uint64_t units, ChannelMode mode, const std::string& caption) : wave_(wave) {
    ok_ = Open(units, mode, caption);
  }
  ~ProgressScope() { Close(); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;

  // False (after message 1026) when the window cannot be created.
  bool Open(uint64_t units, ChannelMode mode, const std::string& caption) {
    if (wave_.ProgressActive()) return ok_ = true;
    if (units > UINT32_MAX) units = UINT32_MAX;
    ok_ = owner_ = wave_.BeginProgress(uint32_t(units), mode, caption);
    return ok_;
  }
  void Close() {
    if (owner_) wave_.EndProgress();
    owner_ = false;
  }
  bool Ok() const { return ok_; }
  bool Owner() const { return owner_; }

 private:
  DocWaveAudio& wave_;
  bool ok_ = false;
  bool owner_ = false;
};

}  // namespace tarkel
