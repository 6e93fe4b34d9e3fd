// rastrix-batch: see BatchOptions.h and the README.
#include <string>
#include <vector>

#include "batch/BatchRun.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return rastrix::batch::RunBatch(args);
}
