// Rotations, flips and the clipboard on a 48-megapixel image, each beside a plain memcpy of
// the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "editor/CommandTable.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "frame/EditorEvents.h"
#include "frame/FrameSizing.h"
#include "raster/Bands.h"
#include "raster/PixelPool.h"
#include "raster/Turn.h"
#include "view/EditorView.h"

#include "BenchHost.h"
#include "BenchImages.h"

namespace {

using namespace rastrix;
using namespace rastrix::bench;

Bitmap& TurnedTarget() {
    static Bitmap bmp(kH, kW, ColorFromRgb(255, 255, 255));
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

// The same copy into memory just allocated, as every new image level is: the first touch of
// each page costs the kernel a fault, which on this machine outweighs the copy itself.
void BM_MemcpyFresh(benchmark::State& state) {
    const std::size_t n = std::size_t(kW) * kH;
    for (auto _ : state) {
        std::unique_ptr<Pixel[]> fresh(new Pixel[n]);
        std::memcpy(fresh.get(), Source().Data(), n * sizeof(Pixel));
        benchmark::ClobberMemory();
        state.PauseTiming();
        fresh.reset();
        state.ResumeTiming();
    }
    SetBytes(state);
}

// On the threads given (0: one per core), into a target whose pages are mapped.
void BM_TurnArea(benchmark::State& state) {
    const Turn turn = Turn(state.range(0));
    Bitmap& dst = SwapsSides(turn) ? TurnedTarget() : Target();
    const BandLimit threads(state.range(1) > 0 ? int(state.range(1)) : BandThreads());
    for (auto _ : state) {
        TurnArea(Source(), Source().Bounds(), dst, {}, turn);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

// An editor holding the 48-megapixel image as its only level.
struct BenchEditor {
    BenchHost host;
    Editor ed{host};
    BenchEditor() {
        // This program holds four large images beside the editor's levels (the source, two
        // targets and the clipboard's copy), which in the editor hold none of the pool's room;
        // the bound grows by them, so the levels are kept as in the editor.
        PixelPool::Shared().SetBound(PixelPool::kSharedBlocks + 4);
        ed.frame = InitFrameState(ed.settings);
        OnFrameResize(ed.frame, SizeKind::Maximized, 1600, 1200);
        SetBaseLevel(ed, Source());
        ed.doc.fileSize = 1;
        LayoutImageWindow(ed);
    }
};

// The whole command as the window runs it (RunCommand): a new level is allocated, turned
// into and pushed, and a spare is asked for. The Undo that drops it again is not timed.
void BM_RotateFlipCommand(benchmark::State& state) {
    BenchEditor b;
    for (auto _ : state) {
        RunCommand(b.ed, *CommandFromNumber(int(state.range(0))));
        benchmark::ClobberMemory();
        state.PauseTiming();
        RunCommand(b.ed, CommandId::Undo);
        state.ResumeTiming();
    }
    SetBytes(state);
}

void BM_CopyWholeImage(benchmark::State& state) {
    BenchEditor b;
    for (auto _ : state) {
        RunCommand(b.ed, CommandId::Copy);
        benchmark::ClobberMemory();
        state.PauseTiming();
        b.host.clipboard.reset();
        state.ResumeTiming();
    }
    SetBytes(state);
}

void BM_PasteWholeImage(benchmark::State& state) {
    BenchEditor b;
    b.host.clipboard = ClipboardImage{Source(), 24};
    for (auto _ : state) {
        RunCommand(b.ed, CommandId::Paste);
        benchmark::ClobberMemory();
        state.PauseTiming();
        RunCommand(b.ed, CommandId::Undo);
        state.ResumeTiming();
    }
    SetBytes(state);
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyFresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurnArea)
    ->ArgNames({"turn", "threads"})
    ->ArgsProduct({{int(Turn::Clockwise), int(Turn::CounterClockwise), int(Turn::HalfTurn), int(Turn::MirrorColumns),
                    int(Turn::MirrorRows)},
                   {1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateFlipCommand)
    ->ArgName("id")
    ->DenseRange(NumberOf(CommandId::RotateClockwise), NumberOf(CommandId::FlipVertical))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyWholeImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteWholeImage)->Unit(benchmark::kMillisecond);

}  // namespace
