#include "audio/portaudio/QuietStart.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace tarkel::audio::pa {
namespace {

void SilentAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Points file descriptor 2 at /dev/null for the lifetime of the object.
class StderrSilenced {
 public:
  StderrSilenced() {
    std::fflush(stderr);
    saved_ = ::dup(2);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) ::dup2(null, 2);
    if (null >= 0) ::close(null);
  }
  ~StderrSilenced() {
    std::fflush(stderr);
    if (saved_ >= 0) {
      ::dup2(saved_, 2);
      ::close(saved_);
    }
  }
  StderrSilenced(const StderrSilenced&) = delete;
  StderrSilenced& operator=(const StderrSilenced&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace

int QuietInitialize() {
  snd_lib_error_set_handler(&SilentAlsaError);
  // PortAudio's JACK host API would otherwise try to start a JACK server of its own.
  ::setenv("JACK_NO_START_SERVER", "1", 0);
  StderrSilenced quiet;
  return Pa_Initialize();
}

}  // namespace tarkel::audio::pa
