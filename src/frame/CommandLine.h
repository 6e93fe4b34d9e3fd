#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace rastrix {

// Longest file path the program keeps (a 256-byte buffer with its terminator).
inline constexpr std::size_t kMaxPathLength = 255;

// The one optional file argument. path is empty when no file was named; error is non-empty when
// the argument was refused, and path is then empty too.
struct CommandLineArgument {
    // A single word "--help" or "--version" asks for the usage or the version instead of a file;
    // anything else names a file, however it starts.
    enum class Request { OpenFile, Help, Version };
    Request request = Request::OpenFile;
    std::string path;
    std::string error;
    int words = 0;  // how many words followed the program name
    bool Ok() const { return error.empty(); }
};

// What "--help" and "--version" print, each ending in a line break.
std::string UsageText();
std::string VersionText();
// The program's version number alone ("0.1"), set in one place: the CMake project version.
std::string_view VersionNumber();

// The argument part of a command line: leading spaces are skipped (only spaces, not tabs); text
// that starts with a double quote runs to the next double quote, or to the end when there is
// none; anything else is the rest of the line unchanged, spaces and further words included.
std::string_view ExtractArgumentText(std::string_view text);

// The argument from the words after the program name: they are joined by single spaces (what an
// unquoted argument with spaces in it gives) and then read as above. A path longer than 255
// bytes is refused with a message rather than shortened into some other file's name.
CommandLineArgument ArgumentFromWords(int argc, const char* const* argv);

// Several words that, joined, name no existing file are most likely several files: a usage
// error, whose message this gives (empty when the argument stands as it is).
std::string SeveralWordsProblem(const CommandLineArgument& argument, bool pathExists);

}  // namespace rastrix
