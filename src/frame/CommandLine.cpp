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

std::string UsageText() {
    return "Usage: rastrix [FILE]\n"
           "Opens FILE, a BMP image, in the Rastrix editor; without FILE the editor starts empty.\n"
           "The words after the program name form one file name, spaces included.\n"
           "\n"
           "  --help     show this text and exit\n"
           "  --version  show the version and exit\n"
           "\n"
           "Besides BMP files, FILE may be a PNG or JPEG picture (a photo is turned upright as it was\n"
           "taken). The editor also scales images (Edit > Scale Image...), reduces them to a palette\n"
           "with or without dithering (Edit > Reduce Colours...), saves 16- and 32-bit BMP files\n"
           "(File > Save As...) and writes C arrays, raw buffers, XBM and LVGL images for display\n"
           "libraries (File > Export for Device...). rastrix-batch does the same on many files.\n";
}

std::string_view VersionNumber() { return RASTRIX_VERSION; }

std::string VersionText() { return "Rastrix " + std::string(VersionNumber()) + "\n"; }

CommandLineArgument ArgumentFromWords(int argc, const char* const* argv) {
    if (argc == 2 && argv[1] != nullptr) {
        const std::string_view word = argv[1];
        if (word == "--help") return {CommandLineArgument::Request::Help, {}, {}};
        if (word == "--version") return {CommandLineArgument::Request::Version, {}, {}};
    }
    std::string joined;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) joined += ' ';
        if (argv[i] != nullptr) joined += argv[i];
    }
    CommandLineArgument result;
    result.words = argc > 1 ? argc - 1 : 0;
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

std::string SeveralWordsProblem(const CommandLineArgument& argument, bool pathExists) {
    if (argument.words < 2 || !argument.Ok() || argument.path.empty() || pathExists) return {};
    return "rastrix: Rastrix opens one file at a time. The " + std::to_string(argument.words) +
           " words given were read as one file name, \"" + argument.path +
           "\", and there is no such file. Put a file name with spaces in double quotes.\n";
}

}  // namespace rastrix
