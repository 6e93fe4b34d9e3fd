#pragma once
#include <string>

namespace rastrix {

struct Editor;

// The program-wide report of a failed system call: the system's text for the error number in a
// message box captioned "Line <line>, Error Code <code>".
void ReportError(Editor& ed, unsigned line, int errorCode);

// A report of ours, where no system error applies: the text in a box captioned "Rastrix".
void ReportProblem(Editor& ed, const std::string& text);

std::string ErrorCaption(unsigned line, int errorCode);

}  // namespace rastrix
