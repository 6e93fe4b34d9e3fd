#pragma once
#include <functional>

namespace rastrix {

// Whole-image kernels split in bands across the cores. The work over [0, count) is cut into at
// most BandThreads() contiguous bands, each a whole number of `step` items (the last takes the
// rest), and no band gets fewer than `minPerBand` items; the calling thread does the first band
// and helper threads the others, and the call returns when every band is done. A band writes
// only what its own items own, so the result is the same however the work is cut.
//
// Where no helper thread can be had, or the work is small, the calling thread does it all.
void ForEachBand(int count, int step, int minPerBand, const std::function<void(int first, int last)>& work);

// Two different jobs at once, such as a decoder and the scaler taking its rows: `helper` on a
// helper thread while the calling thread does `here`; returns when both are done. False, with
// neither run, where kernels may use only one thread (BandThreads) or no helper thread can be
// had: the caller then does the work in turn (two jobs that wait on each other cannot share one
// thread). Counts as a kernel running (BandsRunning) meanwhile. Neither may throw.
bool RunBeside(const std::function<void()>& helper, const std::function<void()>& here);

// The fewest items of `itemPixels` pixels each that make a band worth a thread (about 1 MB of
// pixels): the minPerBand of a kernel over rows or columns.
int BandItems(int itemPixels);

// True while a kernel split in bands runs on some thread: work in the background (the pool's
// workers mapping spare blocks) waits meanwhile and leaves the cores to it.
bool BandsRunning();

// How many threads share a kernel: the machine's cores (at most 8) unless limited below.
int BandThreads();

// While one lives, kernels use `threads` threads (1: all on the calling thread) whatever the
// cores, for the tests that compare a banded result with the one of a single thread, and for
// benchmarks. Not for two threads at once: the last one made is in force for every thread.
class BandLimit {
public:
    explicit BandLimit(int threads);
    ~BandLimit();
    BandLimit(const BandLimit&) = delete;
    BandLimit& operator=(const BandLimit&) = delete;

private:
    int before_;
};

}  // namespace rastrix
