#include "editor/ReportError.h"

#include <cstring>

#include "editor/Editor.h"

namespace rastrix {

std::string ErrorCaption(unsigned line, int errorCode) {
    return "Line " + std::to_string(line) + ", Error Code " + std::to_string(unsigned(errorCode));
}

void ReportError(Editor& ed, unsigned line, int errorCode) {
    ed.host.ShowMessage(std::strerror(errorCode), ErrorCaption(line, errorCode), MsgButtons::Ok,
                       MsgIcon::Information);
}

std::string FileErrorText(int errorCode, const std::string& path) {
    return std::string(std::strerror(errorCode)) + "\n\n\"" + path + "\"";
}

void ReportFileError(Editor& ed, unsigned line, int errorCode, const std::string& path) {
    ed.host.ShowMessage(FileErrorText(errorCode, path), ErrorCaption(line, errorCode), MsgButtons::Ok,
                        MsgIcon::Information);
}

void ReportProblem(Editor& ed, const std::string& text) {
    ed.host.ShowMessage(text, std::string("Rastrix"), MsgButtons::Ok, MsgIcon::Warning);
}

}  // namespace rastrix
