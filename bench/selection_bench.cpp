// Mark Border and Crop on a bordered 48-megapixel photograph, each beside a plain memcpy of the
// image's bytes in the same run.
#include <benchmark/benchmark.h>

#include <cstring>

#include "document/Undo.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "selection/MarkBorder.h"
#include "selection/Selection.h"
#include "selection/SelectionCommands.h"

#include "support/FakeHost.h"

namespace {

using namespace rastrix;

constexpr int kW = 8000, kH = 6000;
constexpr Rect kPicture{240, 180, 7800, 5910};  // uneven border widths, as a scan leaves them

// A scanned photograph: off-white paper with a little noise round smooth colour gradients with
// grain, so the picture's edge rows and columns are far from the paper colour.
const Bitmap& Photograph() {
    static const Bitmap bmp = [] {
        Bitmap b(kW, kH);
        std::uint32_t seed = 12345;
        for (int y = 0; y < kH; ++y) {
            Pixel* row = b.Row(y);
            for (int x = 0; x < kW; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int grain = int(seed >> 27);  // 0..31
                if (kPicture.Contains({x, y})) {
                    const int r = (x * 200 / kW + grain) & 0xFF;
                    const int g = (y * 180 / kH + 30 + grain) & 0xFF;
                    const int bl = ((x + y) * 150 / (kW + kH) + 40 + grain / 2) & 0xFF;
                    row[x] = Pixel(r << 16 | g << 8 | bl);
                } else {
                    const int v = 250 - (grain & 3);
                    row[x] = Pixel(v << 16 | v << 8 | v);
                }
            }
        }
        return b;
    }();
    return bmp;
}

struct Document {
    test::FakeHost host;
    Editor ed{host};
    Document() {
        SetBaseLevel(ed, Photograph());
        ed.doc.fileSize = 1;
    }
};

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * std::int64_t(Photograph().ByteSize()));
}

void BM_Memcpy(benchmark::State& state) {
    static Bitmap target(kW, kH);
    const Bitmap& source = Photograph();  // made before the clock runs
    std::memcpy(target.Data(), source.Data(), source.ByteSize());
    for (auto _ : state) {
        std::memcpy(target.Data(), Photograph().Data(), Photograph().ByteSize());
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void BM_MarkBorder(benchmark::State& state) {
    Document doc;
    for (auto _ : state) {
        MarkBorder(doc.ed);
        benchmark::DoNotOptimize(doc.ed.selection.rect);
    }
    if (doc.ed.selection.rect != kPicture) state.SkipWithError("the border was not found");
    SetBytes(state);
}

// Crop to the marked picture (7560 x 5730); Undo, untimed, brings the full image back.
void BM_Crop(benchmark::State& state) {
    Document doc;
    doc.ed.selection.rect = kPicture;
    // One crop before the clock runs, so that memory the allocator keeps is already in place.
    BeginSelection(doc.ed);
    Crop(doc.ed);
    Undo(doc.ed);
    for (auto _ : state) {
        BeginSelection(doc.ed);
        Crop(doc.ed);
        benchmark::ClobberMemory();
        state.PauseTiming();
        if (doc.ed.doc.imageWidth != kPicture.Width()) state.SkipWithError("no crop");
        Undo(doc.ed);
        state.ResumeTiming();
    }
    SetBytes(state);
}

}  // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkBorder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Crop)->Unit(benchmark::kMillisecond);
