#include "store/MappedFileGuard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace rastrix {
namespace {

// As many files as may be mapped at once: one per image being read, in every thread.
constexpr int kSlots = 64;

struct Range {
    std::atomic<std::uintptr_t> begin{0};  // 0: the slot is free
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> lost{false};
};

Range ranges[kSlots];
std::uintptr_t pageSize = 4096;
struct sigaction previous {};

bool PatchLostPage(std::uintptr_t at) {
    for (Range& r : ranges) {
        const std::uintptr_t b = r.begin.load(std::memory_order_acquire);
        if (b == 0 || at < b || at >= r.end.load(std::memory_order_acquire)) continue;
        void* page = reinterpret_cast<void*>(at & ~(pageSize - 1));
        if (::mmap(page, pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED)
            return false;
        r.lost.store(true, std::memory_order_release);
        return true;
    }
    return false;
}

void OnBusError(int signal, siginfo_t* info, void* context) {
    if (PatchLostPage(reinterpret_cast<std::uintptr_t>(info->si_addr))) return;  // the read goes on
    // Not one of ours: as it would have been without this handler.
    if ((previous.sa_flags & SA_SIGINFO) != 0 && previous.sa_sigaction != nullptr) {
        previous.sa_sigaction(signal, info, context);
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN && previous.sa_handler != nullptr) {
        previous.sa_handler(signal);
    } else {
        // Returning re-runs the faulting access, which now ends the program as the default does.
        ::sigaction(SIGBUS, &previous, nullptr);
    }
}

void Install() {
    pageSize = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &previous);
}

Range* Find(const void* begin) {
    const auto b = reinterpret_cast<std::uintptr_t>(begin);
    for (Range& r : ranges)
        if (r.begin.load(std::memory_order_acquire) == b) return &r;
    return nullptr;
}

}  // namespace

bool RegisterMappedRange(const void* begin, std::size_t size) {
    static std::once_flag installed;
    std::call_once(installed, Install);
    const auto b = reinterpret_cast<std::uintptr_t>(begin);
    for (Range& r : ranges) {
        std::uintptr_t free = 0;
        if (r.begin.load(std::memory_order_relaxed) != 0) continue;
        // Claimed by an end of its own first, so the handler never sees a begin without its end.
        std::uintptr_t noEnd = 0;
        if (!r.end.compare_exchange_strong(noEnd, b + size, std::memory_order_acq_rel)) continue;
        r.lost.store(false, std::memory_order_relaxed);
        if (r.begin.compare_exchange_strong(free, b, std::memory_order_acq_rel)) return true;
        r.end.store(0, std::memory_order_release);
    }
    return false;
}

void UnregisterMappedRange(const void* begin) {
    if (Range* r = Find(begin)) {
        r->begin.store(0, std::memory_order_release);
        r->end.store(0, std::memory_order_release);
    }
}

bool MappedRangeLost(const void* begin) {
    const Range* r = Find(begin);
    return r != nullptr && r->lost.load(std::memory_order_acquire);
}

}  // namespace rastrix
