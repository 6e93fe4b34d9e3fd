// Six Rotate 90° commands and six flips in a row on a 48-megapixel image, then Save As with its
// reload, in a fresh process and through the calls the window makes (RunCommand, then the
// repaint), each timed on its own, with the process's peak memory. Not a Google Benchmark:
// what matters is the first, second, ... command of a fresh process, which repetitions hide.
//
//   consecutive_bench [--pause-ms N] [--file PATH]
//
// --pause-ms: the time between two commands, as a user's clicks leave it (default 0: back to
// back). The file (default $TMPDIR/rastrix-bench-8000x6000.bmp) is made when missing, by this
// program, which then starts itself again so that the measured process is fresh.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "document/OpenFile.h"
#include "document/SaveFile.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "frame/EditorEvents.h"
#include "frame/FrameSizing.h"
#include "raster/PixelPool.h"

#include "BenchFile.h"
#include "BenchHost.h"
#include "ProcessMeasures.h"

namespace {

using namespace rastrix;
using namespace rastrix::bench;


// One timed step: wall and CPU time of the calling thread, its page faults, and the CPU of the
// whole process (which includes any background thread).
struct Step {
    std::string name;
    double wall = 0, cpu = 0, processCpu = 0, paint = 0;
    long faults = 0;
};

template <class F>
Step Time(const std::string& name, F&& f) {
    Step s;
    s.name = name;
    const long f0 = ThreadMinorFaults();
    const double c0 = CpuMs(CLOCK_THREAD_CPUTIME_ID), p0 = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
    const auto t0 = Clock::now();
    f();
    s.wall = Ms(Clock::now() - t0);
    s.cpu = CpuMs(CLOCK_THREAD_CPUTIME_ID) - c0;
    s.processCpu = CpuMs(CLOCK_PROCESS_CPUTIME_ID) - p0;
    s.faults = ThreadMinorFaults() - f0;
    return s;
}

// A memcpy between two warm buffers of the level's size: the top level into the one below.
double MemcpyMs(Editor& ed) {
    const int top = ed.doc.undoDepth;
    Bitmap& from = ed.doc.stack.levels[top];
    Bitmap& to = ed.doc.stack.levels[top - 1];
    const std::size_t bytes = std::min(from.ByteSize(), to.ByteSize());
    std::vector<double> runs;
    for (int i = 0; i < 7; ++i) {
        const auto t0 = Clock::now();
        std::memcpy(to.Data(), from.Data(), bytes);
        runs.push_back(Ms(Clock::now() - t0));
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

void Print(const Step& s, double memcpyMs) {
    std::printf("%-22s wall %8.1f ms (%5.1fx)  thread cpu %7.1f ms  process cpu %7.1f ms  faults %7ld",
                s.name.c_str(), s.wall, s.wall / memcpyMs, s.cpu, s.processCpu, s.faults);
    if (s.paint > 0) std::printf("  then paint %6.1f ms", s.paint);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    int pauseMs = 0;
    std::string path = bench::DefaultBenchFile();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--pause-ms") == 0) pauseMs = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--file") == 0) path = argv[i + 1];
    }
    if (!bench::EnsureBenchFile(path, argv)) return 1;
    const std::string saved = path + ".saved.bmp";

    bench::BenchHost host;
    Editor ed{host};
    ed.frame = InitFrameState(ed.settings);
    OnFrameResize(ed.frame, SizeKind::Maximized, 1600, 1200);
    const auto pause = [&] { std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs)); };

    std::vector<Step> steps;
    ed.doc.currentPath = path;
    steps.push_back(Time("open", [&] { RunCommand(ed, CommandId::OpenNamed); }));
    steps.back().paint = Time("", [&] { PaintImageWindow(ed); }).wall;
    if (ed.doc.imageWidth != kW) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    const auto command = [&](const std::string& name, CommandId id) {
        pause();
        steps.push_back(Time(name, [&] { RunCommand(ed, id); }));
        steps.back().paint = Time("", [&] { PaintImageWindow(ed); }).wall;
    };
    for (int i = 1; i <= 6; ++i) command("rotate 90 cw #" + std::to_string(i), CommandId::RotateClockwise);
    const double peakAfterTurns = PeakMb();
    for (int i = 1; i <= 6; ++i) command((i % 2 ? "flip horizontal #" : "flip vertical #") + std::to_string(i), i % 2 ? CommandId::FlipHorizontal : CommandId::FlipVertical);
    const double peakAfterFlips = PeakMb();
    const PixelPool::Counts pool = PixelPool::Shared().Counters();
    const int depth = ed.doc.undoDepth;
    const double memcpyMs = MemcpyMs(ed);

    // Save As is the file written and then read back; the two are timed apart, in that order.
    pause();
    host.saveAnswer = FileDialogResult{saved, 4};
    steps.push_back(Time("save as: write", [&] { SaveImageFile(ed, true); }));
    const std::size_t freshBeforeReload = PixelPool::Shared().Counters().fresh;
    steps.push_back(Time("save as: reload", [&] {
        ed.recent.recentIndex = kRecentCount - 1;
        LoadImageFile(ed, saved);
    }));
    const std::size_t freshForReload = PixelPool::Shared().Counters().fresh - freshBeforeReload;
    std::filesystem::remove(saved);

    const double levelMb = double(kW) * kH * 4 / (1024.0 * 1024.0);
    std::printf("pause between commands %d ms; memcpy of %.0f MB between warm levels %.1f ms (median of 7)\n",
                pauseMs, double(kW) * kH * 4 / 1e6, memcpyMs);
    for (const Step& s : steps) Print(s, memcpyMs);
    std::printf("undo depth after the flips %d; large blocks held %zu (%zu in use, %zu kept), %zu got from the system\n",
                depth, pool.Held(), pool.inUse, pool.kept, pool.fresh);
    std::printf("blocks got from the system for the reload %zu\n", freshForReload);
    std::printf("peak memory after the turns %.0f MB (%.2f levels), after the flips %.0f MB (%.2f levels), at the end %.0f MB\n",
                peakAfterTurns, peakAfterTurns / levelMb, peakAfterFlips, peakAfterFlips / levelMb, PeakMb());
    return 0;
}
