#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rastrix::manual {

// One example of the EXAMPLES section: what it does, and the command as typed.
struct Example {
    std::string_view what;
    std::string_view command;
};

// rastrix-batch's examples (batch::BatchExamples, the one list) and the editor's.
std::span<const Example> BatchExamples();
std::span<const Example> EditorExamples();

// rastrix-batch(1): the synopsis, description and exit status from its --help text, every
// option of its option table under the same headings, examples, files and see also.
std::string BatchManualPage();
// The README's block of rastrix-batch examples, made from the same list: each comment as
// "# " lines of at most 100 characters, then its command.
std::string ReadmeBatchExamples();
// The editor's options as its usage text lists them, one a line: "--help", "show this text and exit".
struct UsageOption {
    std::string name, text;
};
std::vector<UsageOption> EditorOptions();
// rastrix(1): the same from the editor's usage text, with the settings folder under FILES.
std::string EditorManualPage();

}  // namespace rastrix::manual
