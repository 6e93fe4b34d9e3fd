// Rotations, flips and the clipboard on a 48-megapixel image, each beside a plain memcpy of
// the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "edit/PixelTransforms.h"

namespace {

using namespace rastrix;

constexpr int kW = 8000, kH = 6000;

Bitmap& Source() {
    static Bitmap bmp = [] {
        Bitmap b(kW, kH);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) b.Row(y)[x] = Pixel(x * 2654435761u + y * 40503u) & 0x00FFFFFFu;
        return b;
    }();
    return bmp;
}

// Destinations allocated and touched once, so the kernels are timed without page faults,
// as memcpy is.
Bitmap& Target() {
    static Bitmap bmp(kW, kH, RGB(255, 255, 255));
    return bmp;
}
Bitmap& TurnedTarget() {
    static Bitmap bmp(kH, kW, RGB(255, 255, 255));
    return bmp;
}

void SetBytes(benchmark::State& state) { state.SetBytesProcessed(state.iterations() * std::int64_t(Source().ByteSize())); }

void BM_Memcpy(benchmark::State& state) {
    Source();
    Target();
    for (auto _ : state) {
        std::memcpy(Target().Data(), Source().Data(), Source().ByteSize());
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void BM_TurnArea(benchmark::State& state) {
    const Turn turn = Turn(state.range(0));
    const bool quarter = turn == Turn::Clockwise || turn == Turn::CounterClockwise;
    Bitmap& dst = quarter ? TurnedTarget() : Target();
    for (auto _ : state) {
        TurnArea(Source(), Source().Bounds(), dst, {}, turn);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurnArea)
    ->ArgName("turn")
    ->Arg(int(Turn::Clockwise))
    ->Arg(int(Turn::CounterClockwise))
    ->Arg(int(Turn::HalfTurn))
    ->Arg(int(Turn::MirrorColumns))
    ->Arg(int(Turn::MirrorRows))
    ->Unit(benchmark::kMillisecond);

}  // namespace
