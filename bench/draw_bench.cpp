// Drawing commands on a 48-megapixel image, each beside a plain memcpy of the image's bytes.
// Every command runs on the Editor as the user starts it: it adds an undo level (a copy of the
// image) and draws into it. The level is dropped again between iterations, outside the timing.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "document/Undo.h"
#include "draw/PixelTools.h"
#include "draw/ShapeFills.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "selection/Selection.h"

#include "support/FakeHost.h"

namespace {

using namespace rastrix;

constexpr int kW = 8000, kH = 6000;

// A drawing of eight colours in irregular runs, so the bucket's colour matches about one
// pixel in eight, scattered over the whole image.
Bitmap MakeImage() {
    constexpr Color palette[8] = {ColorFromRgb(255, 255, 255), ColorFromRgb(0, 0, 0),   ColorFromRgb(255, 0, 0),   ColorFromRgb(0, 128, 0),
                                  ColorFromRgb(0, 0, 255),     ColorFromRgb(255, 255, 0), ColorFromRgb(128, 128, 128), ColorFromRgb(0, 255, 255)};
    Bitmap b(kW, kH);
    for (int y = 0; y < kH; ++y) {
        Pixel* row = b.Row(y);
        for (int x = 0; x < kW; ++x) row[x] = ColorToPixel(palette[((x / 3) * 2654435761u + y * 40503u) >> 29]);
    }
    return b;
}

struct Fixture {
    test::FakeHost host;
    Editor ed{host};
    Bitmap copyTarget{kW, kH};
    Fixture() {
        SetBaseLevel(ed, MakeImage());
        ed.doc.fileSize = 1;
        ed.settings.foreColor = ColorFromRgb(200, 30, 60);
        ed.settings.backColor = ColorFromRgb(10, 90, 200);
    }
    void Select(CommandId shape) {
        ed.selection.rect = {0, 0, kW, kH};
        ed.selection.shape = shape;
        BeginSelection(ed);
    }
};

Fixture& F() {
    static Fixture f;
    return f;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * std::int64_t(CurrentImage(F().ed).ByteSize()));
}

// Runs one command per iteration; prepare and the Undo that follows are not timed.
template <class Prepare, class Command>
void RunCommand(benchmark::State& state, Prepare prepare, Command command) {
    Editor& ed = F().ed;
    for (auto _ : state) {
        state.PauseTiming();
        prepare(ed);
        state.ResumeTiming();
        command(ed);
        benchmark::ClobberMemory();
        state.PauseTiming();
        Undo(ed);
        EndSelection(ed);
        state.ResumeTiming();
    }
    SetBytes(state);
}

void NoSelection(Editor& ed) { EndSelection(ed); }
void Ellipse(Editor&) { F().Select(CommandId::EllipseSelection); }

void BM_Memcpy(benchmark::State& state) {
    const Bitmap& image = CurrentImage(F().ed);
    for (auto _ : state) {
        std::memcpy(F().copyTarget.Data(), image.Data(), image.ByteSize());
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

// The undo level alone, which every command below starts with.
void BM_PushCopy(benchmark::State& state) {
    RunCommand(state, NoSelection, [](Editor& ed) { PushCopy(ed); });
}

void BM_BucketWholeImage(benchmark::State& state) {
    RunCommand(state, NoSelection, [](Editor& ed) { BucketFill(ed, {kW / 2, kH / 2}, true); });
}

void BM_BucketInsideEllipse(benchmark::State& state) {
    RunCommand(state, Ellipse, [](Editor& ed) { BucketFill(ed, {kW / 2, kH / 2}, true); });
}

void BM_BucketOutsideEllipse(benchmark::State& state) {
    RunCommand(state, Ellipse, [](Editor& ed) { BucketFill(ed, {1, 1}, true); });
}

void BM_FillSolidEllipse(benchmark::State& state) {
    RunCommand(state, Ellipse, [](Editor& ed) { RunFill(ed, FillKind::Solid); });
}

void BM_FillExteriorEllipse(benchmark::State& state) {
    RunCommand(state, Ellipse, [](Editor& ed) { RunFill(ed, FillKind::Exterior); });
}

void BM_Fill2ColorHatchEllipse(benchmark::State& state) {
    F().ed.settings.hatchStyleIndex = 6;  // diagonal cross
    RunCommand(state, Ellipse, [](Editor& ed) { RunFill(ed, FillKind::TwoColor); });
}

void Setup(const benchmark::State&) { F(); }

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_PushCopy)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_BucketWholeImage)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_BucketInsideEllipse)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_BucketOutsideEllipse)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_FillSolidEllipse)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_FillExteriorEllipse)->Unit(benchmark::kMillisecond)->Setup(Setup);
BENCHMARK(BM_Fill2ColorHatchEllipse)->Unit(benchmark::kMillisecond)->Setup(Setup);

}  // namespace
