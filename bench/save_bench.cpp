// Saving an 8000 x 6000 image: building the file's bytes at 24 and 8 bits, against a plain
// memcpy of the same number of bytes in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "codec/BmpWriter.h"

namespace {

using namespace rastrix;

constexpr int kWidth = 8000;
constexpr int kHeight = 6000;

// Smooth gradients like a photograph of a sky and a field, with strong sensor noise.
const Bitmap& NoisyPhoto() {
    static const Bitmap img = [] {
        Bitmap b(kWidth, kHeight);
        std::mt19937 rng(7);
        for (int y = 0; y < kHeight; ++y) {
            Pixel* row = b.Row(y);
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t n = rng();
                const int r = std::clamp(40 + x * 180 / kWidth + int(n & 31) - 16, 0, 255);
                const int g = std::clamp(60 + y * 150 / kHeight + int((n >> 5) & 31) - 16, 0, 255);
                const int bl = std::clamp(200 - (x + y) * 160 / (kWidth + kHeight) + int((n >> 10) & 31) - 16, 0, 255);
                row[x] = PixelFromRgb(std::uint8_t(r), std::uint8_t(g), std::uint8_t(bl));
            }
        }
        return b;
    }();
    return img;
}

// 256 colours scattered at random pixel by pixel: the worst case for a table lookup.
const Bitmap& TwoHundredFiftySixColors() {
    static const Bitmap img = [] {
        Bitmap b(kWidth, kHeight);
        std::mt19937 rng(11);
        Pixel pool[256];
        for (Pixel& p : pool) p = Pixel{std::uint32_t(rng() & 0x00FFFFFFu)};
        for (int y = 0; y < kHeight; ++y) {
            Pixel* row = b.Row(y);
            for (int x = 0; x < kWidth; ++x) row[x] = pool[rng() & 255];
        }
        return b;
    }();
    return img;
}

// A drawing in 256 colours: flat areas and hard edges (bands of varying width).
const Bitmap& Drawing256() {
    static const Bitmap img = [] {
        Bitmap b(kWidth, kHeight);
        std::mt19937 rng(13);
        Pixel pool[256];
        for (Pixel& p : pool) p = Pixel{std::uint32_t(rng() & 0x00FFFFFFu)};
        for (int y = 0; y < kHeight; ++y) {
            Pixel* row = b.Row(y);
            for (int x = 0; x < kWidth;) {
                const int run = 1 + int(rng() % 200);
                const Pixel c = pool[(unsigned(x / 97) * 31u + unsigned(y / 53) * 17u + rng() % 3) & 255];
                for (int k = 0; k < run && x < kWidth; ++k) row[x++] = c;
            }
        }
        return b;
    }();
    return img;
}

void Memcpy(benchmark::State& state, int depth) {
    const std::size_t n = ComputeFileLayout(kWidth, kHeight, depth).fileSize;
    std::vector<std::uint8_t> src(n, 1), dst(n, 2);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), n);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(n));
}

// Encodes the whole file, every piece asked for as a write would; its size, 0 on failure.
std::uint64_t EncodeAll(const Bitmap& img, int depth, std::vector<std::uint8_t>& buffer) {
    const BmpFileBytes file = EncodeBmpPieces(img, depth, [](int) { return true; }, buffer);
    if (file.status != EncodeStatus::Ok) return 0;
    for (auto piece = file.pieces(); !piece.empty(); piece = file.pieces()) benchmark::DoNotOptimize(piece.data());
    return file.size;
}

// The buffer is kept from one save to the next, as the editor does; one untimed save first
// so its pages are in place, as the memcpy's are.
void Encode(benchmark::State& state, const Bitmap& img, int depth) {
    std::vector<std::uint8_t> buffer;
    std::uint64_t size = EncodeAll(img, depth, buffer);
    if (size == 0) state.SkipWithError("encode failed");
    for (auto _ : state) {
        if (EncodeAll(img, depth, buffer) == 0) state.SkipWithError("encode failed");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

// A first save: the file's buffer is allocated, and its pages first touched, inside the timing.
void EncodeFresh(benchmark::State& state, const Bitmap& img, int depth) {
    for (auto _ : state) {
        std::vector<std::uint8_t> buffer;
        if (EncodeAll(img, depth, buffer) == 0) state.SkipWithError("encode failed");
    }
}

void BM_Memcpy24(benchmark::State& s) { Memcpy(s, 24); }
void BM_Encode24(benchmark::State& s) { Encode(s, NoisyPhoto(), 24); }
void BM_Encode24Fresh(benchmark::State& s) { EncodeFresh(s, NoisyPhoto(), 24); }
void BM_Memcpy8(benchmark::State& s) { Memcpy(s, 8); }
void BM_Encode8Colors256(benchmark::State& s) { Encode(s, TwoHundredFiftySixColors(), 8); }
void BM_Encode8Drawing256(benchmark::State& s) { Encode(s, Drawing256(), 8); }
void BM_Encode8Photo(benchmark::State& s) {
    static const std::size_t distinct = [] {
        std::vector<bool> seen(std::size_t(1) << 24);
        std::size_t n = 0;
        const Bitmap& img = NoisyPhoto();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t p = ValueOf(img.Row(y)[x]) & 0x00FFFFFFu;
                n += !seen[p];
                seen[p] = true;
            }
        return n;
    }();
    s.counters["colours"] = double(distinct);
    Encode(s, NoisyPhoto(), 8);
}

BENCHMARK(BM_Memcpy24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode24Fresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode8Colors256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode8Drawing256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode8Photo)->Unit(benchmark::kMillisecond);

}  // namespace
