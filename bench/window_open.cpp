// Opening a file in the real window, in a fresh process: the window starts with no image and is
// shown and quiet, then the file is opened as a drop on the window opens it and timed until the
// image surface has painted it and a round trip to the window system (QGuiApplication::sync)
// brings no further paint or refresh. One process is one run: bench/window_open.sh runs it
// several times beside the decoders' own programs and sums the runs up.
//
//   window_open [--file PATH]
//
// The file (default $TMPDIR/rastrix-bench-8000x6000.bmp) is made when missing, by this program,
// which then starts itself again so that the measured process is fresh. Prints a RESULT line:
// the wall time until the open call returned (read, decode, the work after decoding, layout)
// and until the image was painted, the GUI thread's CPU time and page faults over both, the
// image's size and the peak memory.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "frame/EditorEvents.h"

#include "BenchFile.h"
#include "WindowBench.h"

int main(int argc, char** argv) {
    using namespace rastrix;
    using namespace rastrix::bench;
    std::string path = DefaultBenchFile();
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--file") == 0) path = argv[i + 1];
    if (path == DefaultBenchFile() && !EnsureBenchFile(path, argv)) return 1;

    QApplication app(argc, argv);
    WindowRig rig;
    if (!rig.StartMaximised("")) {
        std::fprintf(stderr, "the window did not start\n");
        return 1;
    }
    const long paints0 = rig.counter.surfacePaints;
    const double cpu0 = CpuMs(CLOCK_THREAD_CPUTIME_ID);
    const long faults0 = ThreadMinorFaults();
    const auto t0 = Clock::now();
    FileDropped(rig.ed, path);
    rig.window.Refresh();
    const double openMs = Ms(Clock::now() - t0);
    const bool painted = rig.SyncUntilQuiet([&] { return rig.counter.surfacePaints > paints0 && !rig.ed.view.repaintNeeded; });
    const double shownMs = Ms(Clock::now() - t0);
    const double cpuMs = CpuMs(CLOCK_THREAD_CPUTIME_ID) - cpu0;
    const long faults = ThreadMinorFaults() - faults0;
    if (!painted || rig.ed.doc.imageWidth <= 0) {
        std::fprintf(stderr, "the window did not show %s\n", path.c_str());
        return 1;
    }
    rig.PrintSetting();
    std::printf(", %s: %d x %d\n", path.c_str(), rig.ed.doc.imageWidth, rig.ed.doc.imageHeight);
    std::printf("RESULT platform=%s open=%.1f shown=%.1f cpu=%.1f faults=%ld paints=%ld w=%d h=%d peak_mb=%.0f\n",
                qPrintable(QGuiApplication::platformName()), openMs, shownMs, cpuMs, faults,
                rig.counter.surfacePaints - paints0, rig.ed.doc.imageWidth, rig.ed.doc.imageHeight, PeakMb());
    return 0;
}
