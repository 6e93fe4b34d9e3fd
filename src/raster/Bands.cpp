#include "raster/Bands.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace rastrix {
namespace {

constexpr int kMostThreads = 8;

// Below this many pixels in a band a helper thread costs more than it saves.
constexpr long kBandPixels = long(1) << 18;

// 0: no limit set.
std::atomic<int> limit{0};

// Kernels with helper threads running now.
std::atomic<int> running{0};

struct Running {
    Running() { running.fetch_add(1, std::memory_order_relaxed); }
    ~Running() { running.fetch_sub(1, std::memory_order_relaxed); }
};

int Cores() {
    static const int cores = std::clamp(int(std::thread::hardware_concurrency()), 1, kMostThreads);
    return cores;
}

}  // namespace

int BandItems(int itemPixels) { return int(std::max(kBandPixels / std::max(itemPixels, 1), 1L)); }

bool BandsRunning() { return running.load(std::memory_order_relaxed) > 0; }

int BandThreads() {
    const int set = limit.load(std::memory_order_relaxed);
    return set > 0 ? std::min(set, kMostThreads) : Cores();
}

BandLimit::BandLimit(int threads) : before_(limit.exchange(std::max(threads, 1))) {}

BandLimit::~BandLimit() { limit.store(before_); }

void ForEachBand(int count, int step, int minPerBand, const std::function<void(int, int)>& work) {
    if (count <= 0) return;
    step = std::max(step, 1);
    const int steps = (count + step - 1) / step;
    const int byWork = minPerBand > 0 ? std::max(count / minPerBand, 1) : steps;
    const int bands = std::min({BandThreads(), steps, byWork});
    if (bands <= 1) {
        work(0, count);
        return;
    }
    const Running marked;
    // Band b covers steps [b * steps / bands, (b + 1) * steps / bands).
    const auto bound = [&](int b) { return std::min(int(long(b) * steps / bands) * step, count); };
    std::vector<std::thread> helpers;
    helpers.reserve(std::size_t(bands - 1));
    int done = 1;  // bands handed out; band 0 is the calling thread's
    for (; done < bands; ++done) {
        try {
            helpers.emplace_back([&work, first = bound(done), last = bound(done + 1)] { work(first, last); });
        } catch (const std::system_error&) {
            break;  // no more threads to be had: this thread does the rest
        }
    }
    work(0, bound(1));
    if (done < bands) work(bound(done), count);
    for (std::thread& t : helpers) t.join();
}

bool RunBeside(const std::function<void()>& helper, const std::function<void()>& here) {
    if (BandThreads() < 2) return false;
    const Running marked;
    std::thread other;
    try {
        other = std::thread(helper);
    } catch (const std::system_error&) {
        return false;
    }
    here();
    other.join();
    return true;
}

}  // namespace rastrix
