#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/BatchOptions.h"

namespace rastrix::batch {

// One command-line option: its names, what it takes, its help line and example, and what it
// does to the options. The parser and the --help text both read this one table.
struct OptionSpec {
    std::string_view longName;
    char shortName = 0;          // 0: long name only
    std::string_view valueName;  // empty: a flag
    int valueCount = 0;          // 0, 1, or 4 for --join
    std::string_view help;
    std::string_view example;
    std::string_view group;      // heading in --help
    // Applies the option; returns an error text for a value it cannot take.
    std::string (*apply)(BatchOptions& options, std::span<const std::string> values);
    // The words its value may be, from the same list its parser looks the value up in; the
    // shells' completion offers them. nullptr where the value is free (a number, a size, a file).
    std::vector<std::string> (*words)() = nullptr;
    // Whether the words are all it takes, so that a value that is none of them is refused with
    // a message naming them all; false where more may be given (a palette file besides the
    // palettes' names, a profile of the user's own besides the built-in ones).
    bool closedWords = false;
    // The editor's commands the option runs (for a word list, the command of each word in
    // turn): a refusal of one of them names this option.
    std::span<const CommandId> runs = {};
};

// The option that runs `id` ("--rotate"), or nullptr when none does.
const OptionSpec* OptionRunning(CommandId id);

std::span<const OptionSpec> OptionTable();

}  // namespace rastrix::batch
