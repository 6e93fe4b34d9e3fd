#include "raster/RowQueue.h"

#include <new>

namespace rastrix {

std::unique_ptr<RowQueue> RowQueue::Create(std::size_t rowBytes, int slots) {
    if (rowBytes < 1 || slots < 1) return nullptr;
    std::unique_ptr<std::uint8_t[]> rows(new (std::nothrow) std::uint8_t[rowBytes * std::size_t(slots)]);
    if (!rows) return nullptr;
    return std::unique_ptr<RowQueue>(new (std::nothrow) RowQueue(std::move(rows), rowBytes, slots));
}

// A side that finds nothing to do sleeps, and the other wakes it only when that is worth a
// switch: the taker once half the ring is filled (or the queue closes), the maker once a slot is
// free. So a decoder faster or slower than its taker does not pay a wake-up for every row.
std::uint8_t* RowQueue::Fill() {
    std::unique_lock held(lock_);
    if (filled_ - taken_ == slots_) {
        makerWaits_ = true;
        changed_.wait(held, [this] { return filled_ - taken_ < slots_; });
        makerWaits_ = false;
    }
    return Slot(filled_);
}

void RowQueue::Filled() {
    bool wake = false;
    {
        const std::lock_guard held(lock_);
        ++filled_;
        wake = takerWaits_ && filled_ - taken_ >= WakeTakerAt();
    }
    if (wake) changed_.notify_all();
}

void RowQueue::Close() {
    {
        const std::lock_guard held(lock_);
        closed_ = true;
    }
    changed_.notify_all();
}

std::uint8_t* RowQueue::Take() {
    std::unique_lock held(lock_);
    if (taken_ == filled_ && !closed_) {
        takerWaits_ = true;
        changed_.wait(held, [this] { return filled_ - taken_ >= WakeTakerAt() || closed_; });
        takerWaits_ = false;
    }
    return taken_ < filled_ ? Slot(taken_) : nullptr;
}

void RowQueue::Taken() {
    bool wake = false;
    {
        const std::lock_guard held(lock_);
        ++taken_;
        wake = makerWaits_;
    }
    if (wake) changed_.notify_all();
}

}  // namespace rastrix
