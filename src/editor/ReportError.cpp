#include "editor/ReportError.h"

#include <cstring>
#include <utility>

#include "editor/Editor.h"

namespace rastrix {

std::string ErrorCaption(unsigned line, int errorCode) {
    return "Line " + std::to_string(line) + ", Error Code " + std::to_string(unsigned(errorCode));
}

void NoteProblem(Editor& ed, Problem problem) {
    if (!ed.problem) ed.problem = std::move(problem);
}

std::optional<Problem> TakeProblem(Editor& ed) { return std::exchange(ed.problem, std::nullopt); }

void ReportError(Editor& ed, unsigned line, int errorCode) {
    NoteProblem(ed, {Problem::Kind::SystemCall, errorCode, line, {}, {}});
    ed.host.ShowMessage(std::strerror(errorCode), ErrorCaption(line, errorCode), MsgButtons::Ok,
                       MsgIcon::Information);
}

std::string FileErrorText(int errorCode, const std::string& path) {
    return std::string(std::strerror(errorCode)) + "\n\n\"" + path + "\"";
}

void ReportFileError(Editor& ed, unsigned line, int errorCode, const std::string& path) {
    NoteProblem(ed, {Problem::Kind::SystemCall, errorCode, line, path, {}});
    ed.host.ShowMessage(FileErrorText(errorCode, path), ErrorCaption(line, errorCode), MsgButtons::Ok,
                        MsgIcon::Information);
}

void ReportProblem(Editor& ed, const std::string& text, const std::string& file) {
    NoteProblem(ed, {Problem::Kind::Refusal, 0, 0, file, text});
    ed.host.ShowMessage(text, std::string("Rastrix"), MsgButtons::Ok, MsgIcon::Warning);
}

}  // namespace rastrix
