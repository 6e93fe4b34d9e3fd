#pragma once
#include <span>
#include <string>
#include <vector>

#include "batch/BatchFile.h"

namespace rastrix::batch {

// The whole program: reads the command line, runs every file (several at once with -j) and
// reports. Failures go to standard error as "path: reason"; the result is the exit status:
// 0 when every file was written, 1 when some failed, 2 for a usage error.
int RunBatch(std::span<const std::string> args);

// Where each input's result goes (-o, --out-dir DIR/<name>.bmp, or the input itself). Two
// inputs that would write the same file: the later one gets the reason instead.
struct PlannedJob {
    FileJob job;
    std::string refusal;
};
std::vector<PlannedJob> PlanJobs(const BatchOptions& options, const std::vector<std::string>& inputs);

}  // namespace rastrix::batch
