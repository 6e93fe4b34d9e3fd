#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

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

}  // namespace rastrix
