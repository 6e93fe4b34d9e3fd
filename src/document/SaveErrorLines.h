#pragma once
#include "store/FileOps.h"

namespace rastrix {

// Fixed numbers shown in the "Line %u, Error Code %u" caption when a save fails.
inline constexpr unsigned kSaveCreateErrorLine = 1075;  // the file could not be created
inline constexpr unsigned kSaveWriteErrorLine = 1078;   // the file's bytes could not be written

// Creating the temporary file counts as creating the file; every later step as writing it.
constexpr unsigned SaveErrorLine(FileStep step) {
    return step == FileStep::Open ? kSaveCreateErrorLine : kSaveWriteErrorLine;
}

}  // namespace rastrix
