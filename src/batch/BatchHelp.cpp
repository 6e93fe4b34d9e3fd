#include "batch/BatchOptionTable.h"

namespace rastrix::batch {

std::string BatchHelpText() {
    std::string text =
        "Usage: rastrix-batch [OPTION]... FILE...\n"
        "Applies the editor's own commands to each BMP, PNG or JPEG file, in the order given, and\n"
        "writes uncompressed BMP files exactly as the editor saves them. '-' reads standard input.\n";
    std::string_view group;
    for (const OptionSpec& o : OptionTable()) {
        if (o.help.empty()) continue;  // a second spelling of the option above
        if (o.group != group) {
            group = o.group;
            text += "\n" + std::string(group) + ":\n";
        }
        std::string names = o.shortName ? std::string("  -") + o.shortName + ", " : std::string("      ");
        names += "--" + std::string(o.longName);
        if (!o.valueName.empty()) names += " " + std::string(o.valueName);
        text += names + "\n        " + std::string(o.help) + "\n        e.g. " + std::string(o.example) + "\n";
    }
    text +=
        "\nExit status: 0 when every file was written (or skipped with --skip-existing, or would be\n"
        "written with --dry-run), 1 when some failed (each is named with its\n"
        "reason), 2 for a usage error, 128 + the signal's number when SIGINT, SIGTERM or SIGHUP\n"
        "stopped the run (130, 143, 129): no new file is started and no temporary file is left.\n"
        "A file is written whole or not at all; a file named twice is done once.\n";
    return text;
}

}  // namespace rastrix::batch
