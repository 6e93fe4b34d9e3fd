#include "batch/BatchStop.h"

#include <signal.h>

#include <atomic>

namespace rastrix::batch {

namespace {

std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

void OnStopSignal(int signal) {
    int none = 0;
    stopSignal.compare_exchange_strong(none, signal);  // the first signal names the stop
}

}  // namespace

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a read waiting on a pipe returns and sees the stop
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

int StopSignal() { return stopSignal.load(std::memory_order_relaxed); }

}  // namespace rastrix::batch
