// Raster primitives on a 48-megapixel bitmap, each beside a plain memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "raster/Blit.h"
#include "raster/Canvas.h"

#include "BenchImages.h"

namespace {

using namespace rastrix;
using namespace rastrix::bench;


Bitmap& Window() {
    static Bitmap bmp(1600, 1200);
    return bmp;
}

void SetBytes(benchmark::State& state) { state.SetBytesProcessed(state.iterations() * std::int64_t(Source().ByteSize())); }

void BM_Memcpy(benchmark::State& state) {
    for (auto _ : state) {
        std::memcpy(Target().Data(), Source().Data(), Source().ByteSize());
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void BM_FillRect(benchmark::State& state) {
    Canvas c(Target());
    const Brush brush = Brush::Solid(ColorFromRgb(10, 20, 30));
    for (auto _ : state) {
        c.FillRect(Target().Bounds(), brush);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void BM_CopyPixels(benchmark::State& state) {
    for (auto _ : state) {
        CopyPixels(Target(), 0, 0, kW, kH, Source(), 0, 0);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void BM_Ellipse(benchmark::State& state) {
    Canvas c(Target());
    c.SelectPen(Pen(PS_SOLID, 1, ColorFromRgb(255, 0, 0)));
    c.SelectBrush(Brush::Solid(ColorFromRgb(0, 0, 255)));
    for (auto _ : state) {
        c.Ellipse(0, 0, kW, kH);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void BM_StretchColorOnColor(benchmark::State& state) {
    for (auto _ : state) {
        StretchPixels(Window(), Window().Bounds(), Source(), Source().Bounds(), StretchMode::ColorOnColor);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void BM_StretchHalftone(benchmark::State& state) {
    for (auto _ : state) {
        StretchPixels(Window(), Window().Bounds(), Source(), Source().Bounds(), StretchMode::Halftone);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

// Zoom 8% of a window-sized view: the view's smallest zoom, an uneven ratio of 12.5.
void BM_StretchHalftone8Percent(benchmark::State& state) {
    Bitmap view(776, 576);
    for (auto _ : state) {
        StretchPixels(view, view.Bounds(), Source(), {0, 0, 7760, 5760}, StretchMode::Halftone);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void Setup(const benchmark::State&) {
    Source();
    Target();
    Window();
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_FillRect)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_CopyPixels)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_Ellipse)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_StretchColorOnColor)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_StretchHalftone)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_StretchHalftone8Percent)->Unit(benchmark::kMillisecond)->Setup(Setup);

}  // namespace
