// Rotate 90° clockwise three times in a row in the real window, on an 8000 × 6000 24-bit image,
// in a fresh process. Each command is triggered as the user does (the menu item's action) and
// timed from the trigger until the image surface has painted the turned image and a round trip
// to the window system (QGuiApplication::sync) brings no further paint or refresh. Counts the
// surface's paint events and the image window's `edited` signals (each one a Refresh of the
// frame, beside the one the command itself makes) per command; prints the undo levels held,
// the pool's blocks and the peak memory. One process is one run: bench/window_rotate.sh runs
// it several times, on X11 (xvfb-run) and offscreen, and sums the runs up.
//
//   window_rotate [--pause-ms N] [--file PATH]
//
// --pause-ms: the time between two commands (default 0: back to back). The file (default
// $TMPDIR/rastrix-bench-8000x6000.bmp) is made when missing, by this program, which then
// starts itself again so that the measured process is fresh.
#include <QAction>
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "editor/CommandIds.h"
#include "gui/CommandBars.h"
#include "raster/PixelPool.h"

#include "BenchFile.h"
#include "WindowBench.h"

namespace {

using namespace rastrix;
using namespace rastrix::bench;

struct Command {
    double wall = 0, cpu = 0;
    long surfacePaints = 0, otherPaints = 0, edited = 0, moves = 0, faults = 0;
    int depth = 0;
    PixelPool::Counts pool;
};

}  // namespace

int main(int argc, char** argv) {
    std::string path = bench::DefaultBenchFile();
    int pauseMs = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--pause-ms") == 0) pauseMs = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--file") == 0) path = argv[i + 1];
    }
    if (!bench::EnsureBenchFile(path, argv)) return 1;

    QApplication app(argc, argv);
    WindowRig rig;
    Editor& ed = rig.ed;
    gui::MainWindow& window = rig.window;
    PaintCounter& counter = rig.counter;
    long& edited = rig.edited;
    const auto openStart = Clock::now();
    const bool shown = rig.StartMaximised(path);
    const double openMs = Ms(Clock::now() - openStart);
    if (!shown || ed.doc.imageWidth != bench::kW || ed.doc.imageHeight != bench::kH) {
        std::fprintf(stderr, "the window did not show %s\n", path.c_str());
        return 1;
    }
    QAction* rotate = window.Bars()->MenuAction(CommandId::RotateClockwise);
    if (!rotate || !rotate->isEnabled()) {
        std::fprintf(stderr, "Rotate 90° clockwise is not available\n");
        return 1;
    }

    Command commands[3];
    for (Command& c : commands) {
        Wait(pauseMs);
        const long p0 = counter.surfacePaints, o0 = counter.otherPaints, e0 = edited, m0 = counter.surfaceMoves;
        const double cpu0 = CpuMs(CLOCK_THREAD_CPUTIME_ID);
        const long f0 = ThreadMinorFaults();
        const auto t0 = Clock::now();
        rotate->trigger();
        if (!rig.SyncUntilQuiet([&] { return counter.surfacePaints > p0 && !ed.view.repaintNeeded; })) {
            std::fprintf(stderr, "the surface did not paint the turned image\n");
            return 1;
        }
        c.wall = Ms(Clock::now() - t0);
        c.cpu = CpuMs(CLOCK_THREAD_CPUTIME_ID) - cpu0;
        c.faults = ThreadMinorFaults() - f0;
        c.surfacePaints = counter.surfacePaints - p0;
        c.otherPaints = counter.otherPaints - o0;
        c.edited = edited - e0;
        c.moves = counter.surfaceMoves - m0;
        c.depth = ed.doc.undoDepth;
        c.pool = PixelPool::Shared().Counters();
    }
    // Anything that still comes after the last command would have been missed by its timing.
    const long lateP0 = counter.surfacePaints, lateE0 = edited;
    Wait(500);
    const long latePaints = counter.surfacePaints - lateP0, lateEdited = edited - lateE0;
    PixelPool::Shared().WaitUntilPrepared();
    const PixelPool::Counts settledPool = PixelPool::Shared().Counters();

    const double levelMb = double(bench::kW) * bench::kH * 4 / (1024.0 * 1024.0);
    rig.PrintSetting();
    std::printf(", pause %d ms, open and settle %.0f ms\n", pauseMs, openMs);
    double slowest = 0;
    for (int i = 0; i < 3; ++i) {
        const Command& c = commands[i];
        slowest = std::max(slowest, c.wall);
        std::printf("rotate 90 cw #%d  wall %7.1f ms  gui thread cpu %7.1f ms  faults %5ld  surface paints %ld  other paints %ld  "
                    "edited %ld (mouse moves %ld)  levels below %d  pool in use %zu kept %zu\n",
                    i + 1, c.wall, c.cpu, c.faults, c.surfacePaints, c.otherPaints, c.edited, c.moves, c.depth, c.pool.inUse, c.pool.kept);
    }
    std::printf("after the last command: %ld surface paints and %ld edited in the next 500 ms; once the spare is "
                "ready: pool in use %zu, kept %zu; peak memory %.0f MB (%.2f levels)\n",
                latePaints, lateEdited, settledPool.inUse, settledPool.kept, PeakMb(), PeakMb() / levelMb);
    std::printf("RESULT platform=%s c1=%.1f c2=%.1f c3=%.1f slowest=%.1f cpu=%.1f,%.1f,%.1f faults=%ld,%ld,%ld paints=%ld,%ld,%ld edited=%ld,%ld,%ld "
                "late=%ld depth=%d inuse=%zu kept=%zu peak_mb=%.0f\n",
                qPrintable(QGuiApplication::platformName()), commands[0].wall, commands[1].wall, commands[2].wall,
                slowest, commands[0].cpu, commands[1].cpu, commands[2].cpu, commands[0].faults, commands[1].faults,
                commands[2].faults, commands[0].surfacePaints, commands[1].surfacePaints, commands[2].surfacePaints,
                commands[0].edited, commands[1].edited, commands[2].edited, latePaints, commands[2].depth,
                settledPool.inUse, settledPool.kept, PeakMb());
    return 0;
}
