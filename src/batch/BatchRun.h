#pragma once
#include <span>
#include <string>
#include <vector>

#include "batch/BatchPlan.h"

namespace rastrix::batch {

// The whole program: reads the command line, runs every file (several at once with -j) and
// reports. Failures go to standard error as "path: reason"; the result is the exit status:
// 0 when every file was written, 1 when some failed, 2 for a usage error, 128 + the signal's
// number when a signal stopped the run (BatchStop.h). Memory that runs out fails the file
// (or, while the list is read, the run), never the program.
int RunBatch(std::span<const std::string> args);

}  // namespace rastrix::batch
