// One picture to a BMP of a palette, as one process, for the whole-process comparison in
// bench/palette_vs_peers.sh (rastrix-batch has no palette options yet, so this drives the
// same core calls it will make):
//   palette_map IN OUT PALETTE DITHER [DEPTH]
// PALETTE is a name (bw, grey4, epaper7, optimised:N, ...) or a palette file; DITHER is
// fs, atkinson, ordered or none; DEPTH 1, 4 or 8 (default: the smallest that holds it).
// Prints the CPU time of each step to stderr.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "codec/BmpWriter.h"
#include "codec/FileRead.h"
#include "color/OptimisedPalette.h"
#include "codec/PaletteFile.h"
#include "color/PaletteMapping.h"
#include "device/PaletteProblemText.h"
#include "codec/PictureReader.h"
#include "store/FileSystem.h"

using namespace rastrix;

namespace {

int Fail(const std::string& what) {
    std::fprintf(stderr, "palette_map: %s\n", what.c_str());
    return 1;
}

// Milliseconds of this process's CPU time since the last call: on a busy machine the wall
// clock also counts the waits for a core.
double Since(double& t) {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    const double ms = double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    const double spent = ms - t;
    t = ms;
    return spent;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) return Fail("usage: palette_map IN OUT PALETTE DITHER [DEPTH]");
    double t = 0;
    Since(t);
    FileSystem& files = PosixFileSystem();
    const FileBytesResult bytes = ReadWholeFile(files, argv[1]);
    if (!bytes) return Fail(std::string(argv[1]) + ": " + Describe(bytes.failure));
    BmpReadResult read = DecodePicture(bytes.View());
    if (!read.image) return Fail(std::string(argv[1]) + ": " + std::string(read.Message()));
    const Bitmap& image = read.image->bitmap;
    const double decodeMs = Since(t);

    PaletteChoice choice = PaletteByName(argv[3]);
    if (!choice.Ok() && choice.optimisedColors == 0) {
        const PaletteFileResult fromFile = ReadPaletteFile(files, argv[3]);
        if (!fromFile.Ok()) return Fail(PaletteProblemText(choice.problem) + " (" + PaletteProblemText(fromFile.problem) + ")");
        choice = {fromFile.colors, 0, {}};
    }
    if (choice.optimisedColors > 0) {
        OptimisedPaletteResult made = MakeOptimisedPalette(image, choice.optimisedColors);
        if (made.problem.kind != OptimisedPaletteProblem::Kind::None) return Fail(PaletteProblemText(made.problem));
        choice.colors = std::move(made.colors);
    }
    const double paletteMs = Since(t);

    const std::optional<Dither> dither = DitherByName(argv[4]);
    if (!dither) return Fail(std::string("unknown dithering ") + argv[4]);
    const MapResult mapped = MapToPalette(image, choice.colors, {*dither, -1});
    if (!mapped.image) return Fail(PaletteProblemText(mapped.problem));
    const double mapMs = Since(t);

    std::vector<std::uint8_t> buffer;
    const BmpFileBytes file =
        EncodeIndexedBmpPieces(*mapped.image, choice.colors, argc > 5 ? std::atoi(argv[5]) : 0, buffer);
    if (file.status != EncodeStatus::Ok) return Fail(std::string(EncodeStatusMessage(file.status)));
    const WriteResult written = WriteFileAtomically(files, argv[2], file.pieces, 0644);
    if (!written) return Fail(std::string(argv[2]) + ": " + Describe(written.failure));
    std::fprintf(stderr, "CPU: decode %.1f ms, palette %.1f ms, map %.1f ms, write %.1f ms\n", decodeMs, paletteMs, mapMs,
                 Since(t));
    return 0;
}
