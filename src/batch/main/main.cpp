// rastrix-batch: see BatchOptions.h and the README.
#include <string>
#include <vector>

#include "batch/BatchRun.h"
#include "batch/BatchStop.h"

int main(int argc, char** argv) {
    rastrix::batch::CatchStopSignals();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return rastrix::batch::RunBatch(args);
}
