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
    // The words its value may be, where they are not all in the message for a value it cannot
    // take: a palette's names besides a file, the profiles besides the user's own. The shells'
    // completion offers them; nullptr where that message lists them or the value is free.
    std::vector<std::string> (*words)() = nullptr;
};

std::span<const OptionSpec> OptionTable();

}  // namespace rastrix::batch
