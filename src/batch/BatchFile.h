#pragma once
#include <string>

#include "batch/BatchOptions.h"

namespace rastrix::batch {

// One file's work: where the picture comes from and where the result goes. "-" is standard
// input or output; an empty input means the image is made by --join.
struct FileJob {
    std::string input;
    std::string output;
};

// Reads the input (a BMP, PNG or JPEG file), makes it the image of a fresh editor, runs the
// steps and writes the result as the editor saves it, by a temporary file renamed over the
// output. Returns why the file failed, empty when it was written; nothing is written then.
// With --dry-run all but the writing is done. `writtenTo`, when given, gets the output's name
// as written (a --name pattern's {w} and {h} filled in).
std::string ProcessFile(const BatchOptions& options, const FileJob& job, std::string* writtenTo = nullptr);

// What ProcessFile returns for an output that exists already under --skip-existing.
inline constexpr const char* kSkippedText = "exists already; skipped";

// The reason a file gets when the run was asked to stop before it was written.
inline constexpr const char* kStoppedText = "stopped before it was written";

}  // namespace rastrix::batch
