#include "batch/BatchProblem.h"

#include <cstring>

#include "editor/Editor.h"
#include "editor/ReportError.h"

namespace rastrix::batch {

std::string TakeProblemReason(Editor& ed) {
    const std::optional<Problem> problem = TakeProblem(ed);
    if (!problem) return {};
    if (problem->kind == Problem::Kind::SystemCall) {
        const std::string reason = std::strerror(problem->errorCode);
        return problem->file.empty() ? reason : problem->file + ": " + reason;
    }
    // The editor's sentences, on one line.
    std::string reason;
    for (const char c : problem->text) {
        if (c != '\n') reason += c;
        else if (!reason.empty() && reason.back() != ' ') reason += ' ';
    }
    return reason;
}

}  // namespace rastrix::batch
