#include "manual/ManualPages.h"

#include <algorithm>
#include <vector>

#include "batch/BatchExamples.h"
#include "batch/BatchOptionTable.h"
#include "batch/BatchOptions.h"
#include "frame/CommandLine.h"
#include "frame/SettingsCodec.h"
#include "manual/DeviceManual.h"
#include "manual/Roff.h"
#include "store/Store.h"

namespace rastrix::manual {

namespace {

constexpr Example kEditorExamples[] = {
    {"Open a picture:", "rastrix photo.bmp"},
    {"The words after the program name are one file name, so no quotes are needed:", "rastrix my holiday photo.bmp"},
    {"Show the version:", "rastrix --version"},
};

struct HelpParts {
    std::string synopsis;                 // after "Usage: ", without the program name
    std::vector<std::string> paragraphs;  // the rest, each joined into one line
};

HelpParts SplitHelp(std::string_view help, std::string_view program) {
    HelpParts parts;
    const std::size_t end = help.find('\n');
    std::string_view usage = help.substr(0, end);
    const std::string prefix = "Usage: " + std::string(program);
    if (usage.substr(0, prefix.size()) == prefix) usage.remove_prefix(prefix.size());
    usage.remove_prefix(std::min(usage.size(), usage.find_first_not_of(' ')));
    parts.synopsis = usage;
    if (end != std::string_view::npos) parts.paragraphs = Paragraphs(help.substr(end + 1));
    return parts;
}

void Head(RoffPage& page, std::string_view program, std::string_view summary, const HelpParts& parts) {
    page.Section("Name");
    page.Raw(RoffCode(program) + " \\- " + RoffText(summary));
    page.Section("Synopsis");
    page.Raw("\\fB" + RoffCode(program) + "\\fR " + RoffCode(parts.synopsis));
    page.Section("Description");
    if (!parts.paragraphs.empty()) page.Paragraph(parts.paragraphs.front());
}

void Examples(RoffPage& page, std::span<const Example> examples) {
    page.Section("Examples");
    for (const Example& e : examples) {
        page.Paragraph(e.what);
        page.CodeBlock(e.command);
    }
}

// The settings folder as the store finds it, written for a reader.
std::string SettingsFolders() {
    const std::string xdg = Store::FolderFor("/XDG", nullptr).string().substr(4);
    const std::string home = Store::FolderFor(nullptr, "/HOME").string().substr(5);
    return "$XDG_CONFIG_HOME" + xdg + ", or ~" + home + " when XDG_CONFIG_HOME is not set";
}

std::string OptionTag(const batch::OptionSpec& o) {
    std::string tag;
    if (o.shortName) tag = "\\fB\\-" + std::string(1, o.shortName) + "\\fR, ";
    tag += "\\fB" + RoffCode("--" + std::string(o.longName)) + "\\fR";
    if (!o.valueName.empty()) tag += " \\fI" + RoffCode(o.valueName) + "\\fR";
    return tag;
}

}  // namespace

std::span<const Example> BatchExamples() {
    static const std::vector<Example> examples = [] {
        std::vector<Example> out;
        for (const batch::BatchExample& e : batch::BatchExamples()) out.push_back({e.comment, e.command});
        return out;
    }();
    return examples;
}

std::string ReadmeBatchExamples() {
    constexpr std::size_t kWidth = 100;
    std::string out;
    for (const batch::BatchExample& e : batch::BatchExamples()) {
        // The comment in lines of at most kWidth characters, each "# " and whole words.
        std::string line = "#";
        std::string_view rest = e.comment;
        while (!rest.empty()) {
            const std::size_t end = rest.find(' ');
            const std::string_view word = rest.substr(0, end);
            if (line.size() > 1 && line.size() + 1 + word.size() > kWidth) {
                out += line + "\n";
                line = "#";
            }
            line += " ";
            line += word;
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
        out += line + "\n" + std::string(e.command) + "\n";
    }
    return out;
}
std::span<const Example> EditorExamples() { return kEditorExamples; }

std::string BatchManualPage() {
    constexpr std::string_view kProgram = "rastrix-batch";
    const HelpParts parts = SplitHelp(batch::BatchHelpText(), kProgram);
    RoffPage page(kProgram, "Rastrix " + std::string(VersionNumber()));
    Head(page, kProgram, "the Rastrix editor's commands on many BMP, PNG or JPEG files", parts);

    page.Section("Options");
    std::string_view group;
    for (const batch::OptionSpec& o : batch::OptionTable()) {
        if (o.help.empty()) continue;  // a second spelling of the option above, as in --help
        if (o.group != group) page.Subsection(group = o.group);
        page.Entry(OptionTag(o), o.help, o.example);
    }

    DeviceFilesSection(page);

    page.Section("Exit status");
    constexpr std::string_view kExit = "Exit status: ";
    for (const std::string& p : parts.paragraphs)
        if (p.starts_with(kExit)) page.Paragraph(p.substr(kExit.size()));
    Examples(page, BatchExamples());
    page.Section("Files");
    page.Paragraph("rastrix-batch reads and writes no settings: every run starts from the editor's default colours "
                   "and styles, whatever the editor keeps in its settings folder, " + SettingsFolders() + ".");
    page.Paragraph(UserProfilesParagraph(SettingsFolders()));
    page.Section("See also");
    page.Raw(".BR rastrix (1)");
    return page.Text();
}

std::vector<UsageOption> EditorOptions() {
    // The usage text's later paragraphs list the options, one a line: the name, then what it does.
    std::vector<UsageOption> options;
    const std::string usage = UsageText();
    std::string_view rest = usage;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.starts_with("  -")) continue;
        line.remove_prefix(2);
        const std::size_t gap = line.find("  ");
        std::string_view text = gap == std::string_view::npos ? std::string_view() : line.substr(gap);
        text.remove_prefix(std::min(text.size(), text.find_first_not_of(' ')));
        options.push_back({std::string(line.substr(0, gap)), std::string(text)});
    }
    return options;
}

std::string EditorManualPage() {
    constexpr std::string_view kProgram = "rastrix";
    const HelpParts parts = SplitHelp(UsageText(), kProgram);
    RoffPage page(kProgram, "Rastrix " + std::string(VersionNumber()));
    Head(page, kProgram, "a small, fast editor for BMP images and pictures for small displays", parts);
    // What the usage text says after its options belongs to the description too.
    for (std::size_t i = 1; i < parts.paragraphs.size(); ++i)
        if (!parts.paragraphs[i].starts_with("  -")) page.Paragraph(parts.paragraphs[i]);

    page.Section("Options");
    for (const UsageOption& o : EditorOptions()) page.Entry("\\fB" + RoffCode(o.name) + "\\fR", o.text);

    page.Section("Exit status");
    page.Paragraph("0 when the editor was closed, or when it printed what --help or --version asked for; "
                   "1 when that text could not be written; 2 when several words were given that, joined, "
                   "name no file (Rastrix opens one file at a time).");
    Examples(page, kEditorExamples);
    page.Section("Files");
    page.Paragraph("The settings folder: " + SettingsFolders() + ". It holds the values " +
                   std::string(kSettingsValueName) + " (the window's place, the colours, tools and styles), " +
                   std::string(kRecentValueName) + " (the recent files) and " + std::string(kColorsValueName) +
                   " (the custom colours), one file each, each written whole; and DeviceExport, the last choice of "
                   "File > Export for Device..., and DeviceProfiles, your own device profiles (see rastrix-batch(1)).");
    page.Section("See also");
    page.Raw(".BR rastrix\\-batch (1)");
    return page.Text();
}

}  // namespace rastrix::manual
