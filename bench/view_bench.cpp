// Painting the image window from a 48-megapixel image, beside a plain copy of the window's bytes
// and of the image's bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "editor/CommandIds.h"
#include "editor/ImageStack.h"
#include "frame/CommandDispatch.h"
#include "frame/EditorEvents.h"
#include "frame/FrameSizing.h"
#include "support/FakeHost.h"
#include "view/EditorView.h"

namespace {

using namespace rastrix;

constexpr int kWidth = 8000;
constexpr int kHeight = 6000;

struct Session {
    test::FakeHost host;
    Editor ed{host};
    Session() {
        ed.frame = InitFrameState(ed.settings);
        // A client area whose view band leaves a 1600 x 1200 image window at Fit.
        FrameResized(ed, SizeKind::Maximized, 1604, 1200 + 4 + 30 + 22);
        Bitmap image(kWidth, kHeight);
        std::uint32_t seed = 7;
        for (int y = 0; y < kHeight; ++y) {
            Pixel* row = image.Row(y);
            for (int x = 0; x < kWidth; ++x) row[x] = Pixel{(seed = seed * 1664525u + 1013904223u) >> 8};
        }
        SetBaseLevel(ed, std::move(image));
        ed.doc.fileSize = 1;
        ed.doc.imageBitDepth = 24;
    }
};

Session& Shared() {
    static Session s;
    return s;
}

void BM_PaintFitHalftone(benchmark::State& state) {
    Session& s = Shared();
    Dispatch(s.ed, CommandId::FitToWindow);
    PaintImageWindow(s.ed);
    for (auto _ : state) {
        PaintImageWindow(s.ed);
        benchmark::DoNotOptimize(s.ed.surface.Data());
    }
    state.counters["zoom"] = s.ed.settings.zoomPercent;
    state.counters["window_w"] = s.ed.surface.Width();
    state.counters["window_h"] = s.ed.surface.Height();
}
BENCHMARK(BM_PaintFitHalftone)->Unit(benchmark::kMillisecond);

void BM_PaintActualSize(benchmark::State& state) {
    Session& s = Shared();
    Dispatch(s.ed, CommandId::ActualSize);
    PaintImageWindow(s.ed);
    for (auto _ : state) {
        PaintImageWindow(s.ed);
        benchmark::DoNotOptimize(s.ed.surface.Data());
    }
}
BENCHMARK(BM_PaintActualSize)->Unit(benchmark::kMillisecond);

// One pen move of 40 pixels across the image at 100 % and the repaint it causes: the pen was
// pressed (and its undo level made) before the timing, as a stroke's later moves are.
void BM_PenMoveAndRepaint(benchmark::State& state) {
    Session& s = Shared();
    Dispatch(s.ed, CommandId::ActualSize);
    Dispatch(s.ed, CommandId::Pen);
    ImageButtonDown(s.ed, 100, 100, true);
    // Actual size shows the middle of the image; the stroke's midpoint in image coordinates:
    const Point middle{s.ed.draw.lastPenX + 20, s.ed.draw.lastPenY + 15};
    bool right = true;
    for (auto _ : state) {
        ImageMouseMove(s.ed, right ? 140 : 100, right ? 130 : 100, true, false);
        PaintImageWindow(s.ed);
        benchmark::DoNotOptimize(s.ed.surface.Data());
        right = !right;
    }
    ImageButtonUp(s.ed, true);
    if (CurrentImage(s.ed).GetPixel(middle.x, middle.y) != s.ed.settings.foreColor) state.SkipWithError("the pen drew nothing");
    state.counters["window_w"] = s.ed.surface.Width();
    state.counters["window_h"] = s.ed.surface.Height();
}
BENCHMARK(BM_PenMoveAndRepaint)->Unit(benchmark::kMillisecond);

void BM_MemcpyImage(benchmark::State& state) {
    const std::size_t bytes = std::size_t(kWidth) * kHeight * 4;
    std::vector<char> a(bytes, 1), b(bytes, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_MemcpyImage)->Unit(benchmark::kMillisecond);

void BM_MemcpyWindow(benchmark::State& state) {
    const std::size_t bytes = std::size_t(1600) * 1200 * 4;
    std::vector<char> a(bytes, 1), b(bytes, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_MemcpyWindow)->Unit(benchmark::kMillisecond);

}  // namespace
