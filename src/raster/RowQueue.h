#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <optional>

#include "raster/Bands.h"

namespace rastrix {

// A bounded queue of rows between one thread that makes them (a decoder) and one that takes them
// in the same order (a scaler): a ring of `slots` buffers of `rowBytes` each, filled in place, so
// the memory stays that of the ring however large the picture.
class RowQueue {
public:
    // Nullptr when a size is below 1 or memory cannot be had.
    static std::unique_ptr<RowQueue> Create(std::size_t rowBytes, int slots);

    // The maker's side. The next slot to fill, once one is free (waits while all are full).
    std::uint8_t* Fill();
    // Hands the slot Fill() gave over to the taker.
    void Filled();
    // No more rows: the taker gets the ones handed over, then nothing. Also when the maker fails.
    void Close();

    // The taker's side. The oldest row handed over, waiting for one; nullptr once the maker has
    // closed the queue and every row has been taken. The taker may change it in place until Taken().
    std::uint8_t* Take();
    // The row Take() gave is done with; its slot may be filled again.
    void Taken();

    std::size_t RowBytes() const { return rowBytes_; }

private:
    RowQueue(std::unique_ptr<std::uint8_t[]> rows, std::size_t rowBytes, int slots)
        : rows_(std::move(rows)), rowBytes_(rowBytes), slots_(slots) {}
    std::uint8_t* Slot(long n) { return rows_.get() + std::size_t(n % slots_) * rowBytes_; }

    std::unique_ptr<std::uint8_t[]> rows_;
    std::size_t rowBytes_;
    int slots_;
    std::mutex lock_;
    std::condition_variable changed_;
    long filled_ = 0;  // rows handed over
    long taken_ = 0;   // rows done with
    bool closed_ = false;
    bool makerWaits_ = false;  // the maker sleeps until a slot is free
    bool takerWaits_ = false;  // the taker sleeps until WakeTakerAt() rows wait, or the queue closes
    long WakeTakerAt() const { return (slots_ + 1) / 2; }
};

// Hands each buffer `make` fills to `take`, in the order made. With `beside` and kernels allowed a
// second thread (RunBeside), `make` runs on this thread into a queue of `slots` buffers of
// `bytes` while a helper thread takes them; otherwise each is taken as soon as it is made, in one
// buffer. `make(into, done)` asks into() for the next buffer, calls done(buffer) once it is
// filled, and returns whether it finished; `take(buffer)` may change the buffer. Gives make's
// answer, or nullopt when no buffer could be had.
template <class Make, class Take>
std::optional<bool> PipeThrough(std::size_t bytes, int slots, bool beside, const Make& make, const Take& take) {
    if (beside && BandThreads() >= 2) {
        if (const std::unique_ptr<RowQueue> queue = RowQueue::Create(bytes, slots)) {
            bool made = false;
            const auto helper = [&] {
                while (std::uint8_t* buffer = queue->Take()) {
                    take(buffer);
                    queue->Taken();
                }
            };
            const auto here = [&] {
                made = make([&] { return queue->Fill(); }, [&](std::uint8_t*) { queue->Filled(); });
                queue->Close();
            };
            if (RunBeside(helper, here)) return made;
        }
    }
    const std::unique_ptr<std::uint8_t[]> one(new (std::nothrow) std::uint8_t[bytes]);
    if (!one) return std::nullopt;
    return make([&] { return one.get(); }, [&](std::uint8_t* buffer) { take(buffer); });
}

}  // namespace rastrix
