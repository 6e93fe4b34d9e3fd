#include "frame/CommandLine.h"

namespace rastrix {

std::string_view ExtractArgumentText(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    text.remove_prefix(start);
    if (text.front() != '"') return text;
    text.remove_prefix(1);
    return text.substr(0, text.find('"'));  // npos: no closing quote, the rest of the line
}

CommandLineArgument ArgumentFromWords(int argc, const char* const* argv) {
    std::string joined;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) joined += ' ';
        if (argv[i] != nullptr) joined += argv[i];
    }
    CommandLineArgument result;
    const std::string_view path = ExtractArgumentText(joined);
    if (path.size() > kMaxPathLength) {
        result.error = "The file name on the command line is " + std::to_string(path.size()) +
                       " characters long. File names of at most " + std::to_string(kMaxPathLength) +
                       " characters can be opened.";
        return result;
    }
    result.path = path;
    return result;
}

}  // namespace rastrix
