// Effects that change each sample on its own or swap samples: reverse (16), PC <> Amiga (18)
// and DC offset (27).
#include <array>
#include <algorithm>
#include <type_traits>
#include <utility>

#include "sound/DocWaveAudio.h"

#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

constexpr uint8_t kAllBranches = kBranchStream | kBranchChannel8 | kBranchChannel16;

// Swaps element k with element count - 1 - k for the first half, counting `ticksPerSwap`
// progress samples per swap.
template <class Array>
bool ReverseInPlace(DocWaveAudio& wave, const Array& a, uint64_t count, uint64_t ticksPerSwap) {
  const uint64_t swaps = count / 2;
  uint64_t done = 0;
  while (done < swaps) {
    const uint64_t quiet = wave.ProgressQuietRun();
    uint64_t n = swaps - done;
    if (quiet != UINT64_MAX) n = std::min(n, quiet / ticksPerSwap + 1);
    for (uint64_t k = done; k < done + n; ++k) std::swap(a[k], a[count - 1 - k]);
    done += n;
    if (!wave.ProgressAdvance(n * ticksPerSwap)) return false;
  }
  return true;
}

// Reverses the frames of the walk. Both channels of a stereo sound move as whole frames, so
// that each channel is reversed in itself; one tick per sample moved from the front half.
struct ReverseKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    const Walk<L> w = ForwardWalk<L>(run);
    if constexpr (L::kStride == 1) {
      if (run.mode == ChannelMode::Both) {
        // Two 16-bit samples rather than one 32-bit word: a file edited in place may hold its
        // samples at an offset that is even but not a multiple of four.
        using Frame = std::conditional_t<L::kSixteen, std::array<uint16_t, 2>, uint16_t>;
        Frame* frames = reinterpret_cast<Frame*>(w.base);
        return ReverseInPlace(run.wave, frames, w.count / 2, 2);
      }
      return ReverseInPlace(run.wave, w.base, w.count, 1);
    } else {
      return ReverseInPlace(run.wave, w, w.count, 1);
    }
  }
};

// Turns unsigned 8-bit samples into signed ones and back: 128 subtracted modulo 256. The driver
// refuses 16-bit data; the engine leaves it alone.
struct SignednessKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    if constexpr (L::kSixteen) {
      return true;
    } else {
      const Walk<L> w = ForwardWalk<L>(run);
      return run.wave.ForEachProgressChunk(w.count, [&](uint64_t off, uint64_t n) {
        for (uint64_t i = off; i < off + n; ++i) w[i] = uint8_t(w[i] - 128);
      });
    }
  }
};

// Adds p1 to every sample modulo the sample width, without limiting.
struct DcOffsetKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    const Walk<L> w = ForwardWalk<L>(run);
    using U = std::conditional_t<L::kSixteen, uint16_t, uint8_t>;
    const U add = U(uint32_t(run.params.param1));
    return run.wave.ForEachProgressChunk(w.count, [&](uint64_t off, uint64_t n) {
      for (uint64_t i = off; i < off + n; ++i) w[i] = typename L::Sample(U(U(w[i]) + add));
    });
  }
};

}  // namespace

EffectEntry ReverseEntry() {
  EffectEntry e{effect::kReverse, "reverse", &ReverseRange, kAllBranches, {}};
  SetAllKernels<ReverseKernel>(e);
  return e;
}

EffectEntry AmigaEntry() {
  // The one-channel 16-bit branch does not take the signedness flip.
  EffectEntry e{effect::kAmiga, "amiga", &ConvertSignedness, kBranchStream | kBranchChannel8, {}};
  SetAllKernels<SignednessKernel>(e);
  return e;
}

EffectEntry DcOffsetEntry() {
  EffectEntry e{effect::kDcOffset, "offset", &ApplyEffect, kAllBranches, {}};
  SetAllKernels<DcOffsetKernel>(e);
  return e;
}

}  // namespace tarkel
