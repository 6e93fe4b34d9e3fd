#include "raster/RowQueue.h"

#include <new>

namespace rastrix {

std::unique_ptr<RowQueue> RowQueue::Create(std::size_t rowBytes, int slots) {
    if (rowBytes < 1 || slots < 1) return nullptr;
    std::unique_ptr<std::uint8_t[]> rows(new (std::nothrow) std::uint8_t[rowBytes * std::size_t(slots)]);
    if (!rows) return nullptr;
    return std::unique_ptr<RowQueue>(new (std::nothrow) RowQueue(std::move(rows), rowBytes, slots));
}

std::uint8_t* RowQueue::Fill() {
    std::unique_lock held(lock_);
    changed_.wait(held, [this] { return filled_ - taken_ < slots_; });
    return Slot(filled_);
}

void RowQueue::Filled() {
    {
        const std::lock_guard held(lock_);
        ++filled_;
    }
    changed_.notify_all();
}

void RowQueue::Close() {
    {
        const std::lock_guard held(lock_);
        closed_ = true;
    }
    changed_.notify_all();
}

const std::uint8_t* RowQueue::Take() {
    std::unique_lock held(lock_);
    changed_.wait(held, [this] { return taken_ < filled_ || closed_; });
    return taken_ < filled_ ? Slot(taken_) : nullptr;
}

void RowQueue::Taken() {
    {
        const std::lock_guard held(lock_);
        ++taken_;
    }
    changed_.notify_all();
}

}  // namespace rastrix
