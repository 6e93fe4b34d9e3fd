#pragma once
#include <string>
#include <vector>

#include "batch/BatchFile.h"

namespace rastrix::batch {

// Where each input's result goes (-o, --out-dir DIR/<name>.bmp or the --name pattern's name,
// with --keep-folders DIR/<the input's folders>/<name>.bmp, or the input itself).
struct PlannedJob {
    FileJob job;
    std::string refusal;  // why the file is not done, when it is not
};

struct JobPlan {
    std::vector<PlannedJob> jobs;
    std::vector<std::string> notes;  // "path: note" lines for the user; not failures
    std::string error;               // a --name pattern that gives two inputs one output: nothing is done
};

// Files are told apart by what they are (device and inode), not by how they are spelt: an
// input named again (by the same name, another path or a link) is done once, with a note; two
// inputs whose results would land in the same file (by name, or through a link) leave the
// later one refused with the reason.
JobPlan PlanJobs(const BatchOptions& options, const std::vector<std::string>& inputs);

// The note for an input named again by the same name.
inline std::string ListedTwiceNote(const std::string& input) { return input + ": listed twice; done once"; }

}  // namespace rastrix::batch
