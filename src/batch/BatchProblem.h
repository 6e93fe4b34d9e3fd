#pragma once
#include <string>

namespace rastrix {
struct Editor;
}

namespace rastrix::batch {

// The first problem the editor's commands reported since the last call, taken off the editor
// and worded for rastrix-batch's one line about the file ("a.bmp: No such file or directory");
// empty when there was none.
std::string TakeProblemReason(Editor& ed);

}  // namespace rastrix::batch
