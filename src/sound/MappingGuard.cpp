#include "sound/MappingGuard.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>

#include <sys/mman.h>
#include <unistd.h>

namespace tarkel {
namespace {

constexpr int kSlots = 64;

struct GuardedRange {
  std::atomic<uintptr_t> begin{0};
  std::atomic<uintptr_t> end{0};
  std::atomic<bool> used{false};
  std::atomic<bool> lostPage{false};
};

GuardedRange gRanges[kSlots];
struct sigaction gPrevious;
std::once_flag gInstalled;

// Runs on the faulting thread. Only async-signal-safe work: a lookup in the fixed table and one
// mmap system call.
void OnBusError(int signal, siginfo_t* info, void* context) {
  const uintptr_t address = reinterpret_cast<uintptr_t>(info->si_addr);
  for (GuardedRange& r : gRanges) {
    if (!r.used.load(std::memory_order_acquire)) continue;
    if (address < r.begin.load(std::memory_order_relaxed) || address >= r.end.load(std::memory_order_relaxed))
      continue;
    const uintptr_t page = address & ~uintptr_t(::sysconf(_SC_PAGESIZE) - 1);
    void* zeros = ::mmap(reinterpret_cast<void*>(page), size_t(::sysconf(_SC_PAGESIZE)), PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (zeros != MAP_FAILED) {
      r.lostPage.store(true, std::memory_order_relaxed);
      return;  // the faulting access runs again on the page of zeros
    }
    break;
  }
  // Not ours: whatever was installed before decides.
  if (gPrevious.sa_flags & SA_SIGINFO) {
    if (gPrevious.sa_sigaction) {
      gPrevious.sa_sigaction(signal, info, context);
      return;
    }
  } else if (gPrevious.sa_handler != SIG_DFL && gPrevious.sa_handler != SIG_IGN) {
    gPrevious.sa_handler(signal);
    return;
  }
  ::signal(SIGBUS, SIG_DFL);
  ::raise(SIGBUS);
}

void InstallHandler() {
  struct sigaction action {};
  action.sa_sigaction = &OnBusError;
  action.sa_flags = SA_SIGINFO | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGBUS, &action, &gPrevious);
}

}  // namespace

int GuardMapping(void* begin, size_t length) {
  std::call_once(gInstalled, InstallHandler);
  for (int slot = 0; slot < kSlots; ++slot) {
    bool expected = false;
    GuardedRange& r = gRanges[slot];
    if (r.used.load() || !r.used.compare_exchange_strong(expected, true)) continue;
    r.lostPage.store(false);
    MoveGuardedMapping(slot, begin, length);
    return slot;
  }
  return -1;
}

void MoveGuardedMapping(int slot, void* begin, size_t length) {
  if (slot < 0 || slot >= kSlots) return;
  GuardedRange& r = gRanges[slot];
  r.end.store(0);  // no stale range is ever matched while the two ends change
  r.begin.store(reinterpret_cast<uintptr_t>(begin));
  r.end.store(reinterpret_cast<uintptr_t>(begin) + length);
}

void UnguardMapping(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  gRanges[slot].end.store(0);
  gRanges[slot].begin.store(0);
  gRanges[slot].used.store(false, std::memory_order_release);
}

bool GuardedMappingLostPage(int slot) {
  return slot >= 0 && slot < kSlots && gRanges[slot].lostPage.load();
}

}  // namespace tarkel
