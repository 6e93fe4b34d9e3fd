#pragma once
// The 8000 × 6000 24-bit file that the whole-process benchmarks open. A program that finds it
// missing makes it and then starts itself again, so that the process measured has made nothing.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "codec/BmpWriter.h"
#include "store/FileOps.h"

#include "BenchImages.h"

namespace rastrix::bench {

// $TMPDIR/rastrix-bench-8000x6000.bmp (/tmp when TMPDIR is not set).
inline std::string DefaultBenchFile() {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp ? tmp : "/tmp") + "/rastrix-bench-8000x6000.bmp";
}

// Writes the pattern image as a 24-bit BMP.
inline bool MakeBenchFile(const std::string& path) {
    const Bitmap image = PatternImage();
    std::vector<std::uint8_t> buffer;
    const BmpFileBytes file = EncodeBmpPieces(image, 24, [](int) { return true; }, buffer);
    return file.status == EncodeStatus::Ok && WriteFileAtomically(PosixFileSystem(), path, file.pieces, 0644);
}

// Returns when the file exists and this process did not make it. When it is missing, makes it
// and starts this program again with the same arguments; false when either fails.
inline bool EnsureBenchFile(const std::string& path, char** argv) {
    if (std::filesystem::exists(path)) return true;
    if (!MakeBenchFile(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    execv("/proc/self/exe", argv);
    std::perror("execv");
    return false;
}

}  // namespace rastrix::bench
