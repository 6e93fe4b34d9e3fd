#pragma once
#include "store/FileOps.h"

namespace rastrix {

// Numbers shown in the caption "Line %u, Error Code %u" when reading a file fails, one for
// each call site that can fail.

// Opening an image (File > Open, the command line, a recent file, the reload after Save As).
inline constexpr unsigned kLoadOpenFailedLine = 2293;
inline constexpr unsigned kLoadBufferFailedLine = 2300;
inline constexpr unsigned kLoadReadFailedLine = 2325;

// Browse in the join dialog, which reads a file's header.
inline constexpr unsigned kBrowseOpenFailedLine = 1279;
inline constexpr unsigned kBrowseReadFailedLine = 1286;

// Join, which reads each named file whole.
inline constexpr unsigned kJoinOpenFailedLine = 1331;
inline constexpr unsigned kJoinReadFailedLine = 1339;

// Sizing the file has no number of its own: it fails with the buffer when loading and with the
// read elsewhere, which is where a failing size would show itself.
constexpr unsigned LoadErrorLine(FileStep step) {
    switch (step) {
        case FileStep::Open: return kLoadOpenFailedLine;
        case FileStep::Size:
        case FileStep::Allocate: return kLoadBufferFailedLine;
        default: return kLoadReadFailedLine;
    }
}

constexpr unsigned BrowseErrorLine(FileStep step) {
    return step == FileStep::Open ? kBrowseOpenFailedLine : kBrowseReadFailedLine;
}

constexpr unsigned JoinErrorLine(FileStep step) {
    return step == FileStep::Open ? kJoinOpenFailedLine : kJoinReadFailedLine;
}

}  // namespace rastrix
