#pragma once
#include <string>
#include <vector>

namespace rastrix::batch {

// --name PATTERN: an output's name made from the input's. {stem} is the input's name without
// its extension, {name} the whole name, {ext} the extension without the dot, {n} the input's
// place among the inputs (from 1), {w} and {h} the size written. The output's extension (".bmp",
// or the device form's) is added unless the name ends in it already.

// Why the pattern cannot be used (an unknown {word}, an unclosed brace, a '/' without
// --keep-folders), or empty.
std::string NamePatternError(const std::string& pattern, bool keepFolders);

// The name for an input; with width or height below 0, {w} and {h} are left in it to be
// filled in once the size is known.
std::string ExpandNamePattern(const std::string& pattern, const std::string& input, std::size_t place, int width,
                              int height, const std::string& extension = ".bmp");

// A name with {w} and {h} filled in with the size written.
std::string FillInSize(const std::string& name, int width, int height);

// Whether a name still waits for the size written.
bool WaitsForSize(const std::string& name);

}  // namespace rastrix::batch
