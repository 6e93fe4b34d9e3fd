#pragma once
#include <string>
#include <vector>

#include "batch/BatchOptionTable.h"

namespace rastrix::manual {

// The words the shells offer for an option's value: the words its table row declares (the list
// its parser looks values up in), or a colour's names. Empty for a free value (a number, a
// size, a file name).
std::vector<std::string> ValueChoices(const batch::OptionSpec& option);

// What a shell offers for an option's values: the fixed words (and files too where the value
// names a FILE, as --palette's NAME|FILE), folders for a DIR, else files.
enum class ValueKind { Words, WordsOrFiles, Folders, Files };
ValueKind KindOfValue(const batch::OptionSpec& option);

// Completion scripts for rastrix-batch, every option of its table: bash (the function
// _rastrix_batch) and zsh (a #compdef file for _arguments).
std::string BashCompletion();
std::string ZshCompletion();
// The same for the editor, rastrix: its options (from its usage text), then BMP, PNG and JPEG files.
std::string EditorBashCompletion();
std::string EditorZshCompletion();

}  // namespace rastrix::manual
