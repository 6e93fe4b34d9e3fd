#pragma once
#include <cstdint>
#include <string>

namespace rastrix {

// Why a command stopped short of what it was asked, as a value: its kind and the facts each
// front end words it from. The window shows it at once in a message box (ReportError.h);
// rastrix-batch reads the first one of a file off the editor and prints it in its own words.
struct Problem {
    enum class Kind : std::uint8_t {
        SystemCall,  // a call to the system failed: errorCode (an errno value), line, and file when it concerns one
        Refusal,     // the command could not go on (a limit, a bad value, a damaged file): text says what and why
    };
    Kind kind = Kind::Refusal;
    int errorCode = 0;   // SystemCall
    unsigned line = 0;   // SystemCall: the program's place, which the message box's caption names
    std::string file;    // the file concerned, or empty
    std::string text;    // Refusal: the editor's sentences, as its message box shows them
};

}  // namespace rastrix
