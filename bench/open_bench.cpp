// Decoding large BMP files held in memory, each beside a plain copy of the same file's bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "codec/BmpReader.h"
#include "raster/Bands.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kWidth = 8000;
constexpr int kHeight = 6000;

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

// A bottom-up file with a 40-byte header, a full colour table below 24 bits, and varied pixels.
Bytes MakeFile(int bits) {
    const std::size_t stride = (std::size_t(kWidth) * bits + 31) / 32 * 4;
    const std::size_t table = bits <= 8 ? (std::size_t(4) << bits) : 0;
    const std::size_t offset = 54 + table;
    Bytes b(offset + stride * kHeight);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, std::uint32_t(b.size()));
    Put32(b, 10, std::uint32_t(offset));
    Put32(b, 14, 40);
    Put32(b, 18, kWidth);
    Put32(b, 22, kHeight);
    b[26] = 1;
    b[28] = std::uint8_t(bits);
    for (std::size_t i = 0; i < table / 4; ++i) Put32(b, 54 + 4 * i, std::uint32_t(i * 0x010203u));
    std::uint32_t seed = 1;
    for (std::size_t i = offset; i < b.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        b[i] = std::uint8_t(seed >> 24);
    }
    return b;
}

const Bytes& File(int bits) {
    static const Bytes file24 = MakeFile(24);
    static const Bytes file8 = MakeFile(8);
    return bits == 24 ? file24 : file8;
}

// On the threads given (0: one per core).
void BM_Decode(benchmark::State& state) {
    const Bytes& file = File(int(state.range(0)));
    const rastrix::BandLimit threads(state.range(1) > 0 ? int(state.range(1)) : rastrix::BandThreads());
    for (auto _ : state) {
        rastrix::BmpReadResult r = rastrix::DecodeBmp(file);
        if (!r.image) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(r.image->bitmap.Data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

void BM_CopyFileBytes(benchmark::State& state) {
    const Bytes& file = File(int(state.range(0)));
    Bytes copy(file.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), file.data(), file.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

// The same copy into a buffer taken fresh each time, as a decode's bitmap is.
void BM_CopyFileBytesToNewBuffer(benchmark::State& state) {
    const Bytes& file = File(int(state.range(0)));
    for (auto _ : state) {
        std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[file.size()]);
        std::memcpy(copy.get(), file.data(), file.size());
        benchmark::DoNotOptimize(copy.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

// A copy of as many bytes as the decoded bitmap holds: the least a decode must write.
void BM_CopyBitmapBytes(benchmark::State& state) {
    const std::size_t size = std::size_t(kWidth) * kHeight * sizeof(rastrix::Pixel);
    std::vector<std::uint8_t> from(size, 1), to(size);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

// The share of a decode that is only getting the bitmap's memory.
void BM_AllocateBitmap(benchmark::State& state) {
    for (auto _ : state) {
        std::optional<rastrix::Bitmap> b = rastrix::Bitmap::TryCreate(kWidth, kHeight);
        benchmark::DoNotOptimize(b->Data());
    }
}

// The machine is shared, so the fastest repetition is reported beside the median.
double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

BENCHMARK(BM_AllocateBitmap)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_CopyFileBytes)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_CopyFileBytesToNewBuffer)
    ->Arg(24)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_CopyBitmapBytes)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_Decode)
    ->ArgNames({"bits", "threads"})
    ->ArgsProduct({{24, 8}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

}  // namespace
