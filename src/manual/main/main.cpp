// rastrix-manual: writes one of the manual pages or completion scripts (see CMakeLists.txt).
//   rastrix-manual rastrix.1|rastrix-batch.1|bash|zsh|rastrix-bash|rastrix-zsh|readme-examples OUTPUT
// (readme-examples: the README's block of rastrix-batch examples, to paste when the list changes)
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "manual/Completions.h"
#include "manual/ManualPages.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: rastrix-manual rastrix.1|rastrix-batch.1|bash|zsh|rastrix-bash|rastrix-zsh|readme-examples OUTPUT\n", stderr);
        return 2;
    }
    const std::string_view what = argv[1];
    std::string text;
    if (what == "rastrix.1")
        text = rastrix::manual::EditorManualPage();
    else if (what == "rastrix-batch.1")
        text = rastrix::manual::BatchManualPage();
    else if (what == "bash")
        text = rastrix::manual::BashCompletion();
    else if (what == "zsh")
        text = rastrix::manual::ZshCompletion();
    else if (what == "rastrix-bash")
        text = rastrix::manual::EditorBashCompletion();
    else if (what == "rastrix-zsh")
        text = rastrix::manual::EditorZshCompletion();
    else if (what == "readme-examples")
        text = rastrix::manual::ReadmeBatchExamples();
    else {
        std::fprintf(stderr, "rastrix-manual: no such file to write: %s\n", argv[1]);
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "rastrix-manual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
