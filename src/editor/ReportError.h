#pragma once
#include <optional>
#include <string>

#include "editor/Problem.h"

namespace rastrix {

struct Editor;

// The program-wide report of a failed system call: the system's text for the error number in a
// message box captioned "Line <line>, Error Code <code>".
void ReportError(Editor& ed, unsigned line, int errorCode);

// The same report for a call on a named file: the system's text, then the file's name in quotes
// on a line of its own, so that the user knows which file it was.
void ReportFileError(Editor& ed, unsigned line, int errorCode, const std::string& path);
std::string FileErrorText(int errorCode, const std::string& path);

// A report of ours, where no system error applies: the text in a box captioned "Rastrix".
// `file`: the file it concerns, where there is one.
void ReportProblem(Editor& ed, const std::string& text, const std::string& file = {});

std::string ErrorCaption(unsigned line, int errorCode);

// Keeps `problem` as the editor's first problem (Editor::problem) unless one is kept already,
// without showing anything: for a report whose message box is shown by its own words.
void NoteProblem(Editor& ed, Problem problem);
// The editor's first problem since the last call, taken off it.
std::optional<Problem> TakeProblem(Editor& ed);

}  // namespace rastrix
