// The manual pages: every option that --help shows, under its heading, in roff that man reads
// as text; the examples are command lines rastrix-batch takes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchOptionTable.h"
#include "batch/BatchOptions.h"
#include "frame/CommandLine.h"
#include "manual/ManualPages.h"
#include "manual/Roff.h"

namespace rastrix::manual {
namespace {

struct EscapeCase {
    std::string text, roffText, roffCode;
};

class RoffEscape : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(RoffEscape, NothingIsReadAsARequestOrAnEscape) {
    EXPECT_EQ(RoffText(GetParam().text), GetParam().roffText);
    EXPECT_EQ(RoffCode(GetParam().text), GetParam().roffCode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoffEscape,
    ::testing::Values(EscapeCase{"bottom-left", "bottom-left", "bottom\\-left"},
                      EscapeCase{".hidden", "\\&.hidden", "\\&.hidden"},      // a request at the start of a line
                      EscapeCase{"'quoted'", "\\&'quoted'", "\\&'quoted'"},   // so is an apostrophe
                      EscapeCase{"a.b 'c'", "a.b 'c'", "a.b 'c'"},            // but not inside a line
                      EscapeCase{"x\n.y", "x\n\\&.y", "x\n\\&.y"},            // nor only on the first line
                      EscapeCase{"C:\\fB", "C:\\efB", "C:\\efB"},             // a backslash starts no font change
                      EscapeCase{"--files-from -", "--files-from -", "\\-\\-files\\-from \\-"}));

TEST(RoffParagraphs, BlankLinesSeparateAndLinesJoin) {
    EXPECT_EQ(Paragraphs("one\ntwo\n\n\nthree\n"), (std::vector<std::string>{"one two", "three"}));
    EXPECT_EQ(Paragraphs(""), std::vector<std::string>{});
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The text of a section: from its .SH line to the next one.
std::string SectionOf(const std::string& page, const std::string& title) {
    const std::size_t start = page.find(".SH \"" + title + "\"\n");
    if (start == std::string::npos) return {};
    const std::size_t end = page.find("\n.SH ", start + 1);
    return page.substr(start, end == std::string::npos ? end : end + 1 - start);
}

class ManualPage : public ::testing::TestWithParam<std::string (*)()> {};

TEST_P(ManualPage, HasEverySectionInOrderAndOnlyKnownRequests) {
    const std::string page = GetParam()();
    std::size_t at = 0;
    for (const char* title : {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS", "EXAMPLES", "FILES", "SEE ALSO"}) {
        const std::size_t found = page.find(".SH \"" + std::string(title) + "\"\n", at);
        ASSERT_NE(found, std::string::npos) << title << " missing or out of order";
        at = found;
        EXPECT_GT(SectionOf(page, title).size(), std::string(title).size() + 8) << title << " is empty";
    }
    EXPECT_NE(page.find(".TH "), std::string::npos);
    EXPECT_NE(page.find("\"Rastrix " + std::string(VersionNumber()) + "\""), std::string::npos);
    for (const std::string& line : Lines(page)) {
        if (line.empty() || (line[0] != '.' && line[0] != '\'')) continue;
        const std::string request = line.substr(0, line.find(' '));
        EXPECT_TRUE(request == ".TH" || request == ".SH" || request == ".SS" || request == ".PP" || request == ".TP" ||
                    request == ".br" || request == ".RS" || request == ".RE" || request == ".nf" || request == ".fi" ||
                    request == ".BR" || request == ".\\\"")
            << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ManualPage, ::testing::Values(&BatchManualPage, &EditorManualPage));

TEST(BatchManual, ListsWhatHelpListsUnderTheSameHeadings) {
    const std::string options = SectionOf(BatchManualPage(), "OPTIONS");
    std::size_t at = 0;
    for (const batch::OptionSpec& o : batch::OptionTable()) {
        const std::string name = RoffCode("--" + std::string(o.longName));
        if (o.help.empty()) {  // a second spelling: not in --help, not here
            EXPECT_EQ(options.find(name + "\\fR"), std::string::npos) << o.longName;
            continue;
        }
        const std::size_t heading = options.find(".SS \"" + std::string(o.group) + "\"");
        ASSERT_NE(heading, std::string::npos) << o.group;
        const std::size_t entry = options.find("\\fB" + name + "\\fR", at);
        ASSERT_NE(entry, std::string::npos) << o.longName << " missing or out of order";
        EXPECT_LT(heading, entry) << o.longName << " before its heading";
        at = entry;
        const std::string body = options.substr(entry, options.find(".TP", entry) - entry);
        EXPECT_NE(body.find(RoffText(o.help)), std::string::npos) << o.longName;
        EXPECT_NE(body.find("e.g. \\fB" + RoffCode(o.example) + "\\fR"), std::string::npos) << o.longName;
        const std::string shortTag = o.shortName ? std::string("\\fB\\-") + o.shortName + "\\fR, " : "";
        const std::string valueTag = o.valueName.empty() ? "" : " \\fI" + RoffCode(o.valueName) + "\\fR";
        EXPECT_NE(options.find(".TP\n" + shortTag + "\\fB" + name + "\\fR" + valueTag + "\n"), std::string::npos)
            << o.longName;
    }
}

TEST(BatchManual, ExitStatusAndDescriptionComeFromHelp) {
    const std::string page = BatchManualPage();
    const std::vector<std::string> help = Paragraphs(batch::BatchHelpText());
    const std::string& last = help.back();
    ASSERT_EQ(last.rfind("Exit status: ", 0), 0u) << last;
    EXPECT_NE(SectionOf(page, "EXIT STATUS").find(RoffText(last.substr(13))), std::string::npos);
    // The first paragraph of --help is the usage line and the description.
    const std::string& first = help.front();
    EXPECT_NE(SectionOf(page, "DESCRIPTION").find(RoffText(first.substr(first.find("FILE... ") + 8))), std::string::npos);
    EXPECT_NE(SectionOf(page, "SYNOPSIS").find("\\fBrastrix\\-batch\\fR [OPTION]... FILE..."), std::string::npos);
}

// The words of a command line after the program's name, single quotes taken off.
std::vector<std::string> ArgumentsAfter(std::string_view command, std::string_view program) {
    command.remove_prefix(command.find(std::string(program) + " ") + program.size() + 1);
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (const char c : command) {
        if (c == '\'') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

TEST(BatchManual, EveryExampleIsACommandLineItTakes) {
    const std::string examples = SectionOf(BatchManualPage(), "EXAMPLES");
    for (const Example& e : BatchExamples()) {
        EXPECT_NE(examples.find(RoffCode(e.command)), std::string::npos) << e.command;
        const std::vector<std::string> args = ArgumentsAfter(e.command, "rastrix-batch");
        ASSERT_FALSE(args.empty()) << e.command;
        const batch::ParsedArguments parsed = batch::ParseBatchArguments(args);
        EXPECT_TRUE(parsed.options) << e.command << ": " << parsed.error;
    }
    EXPECT_EQ(ArgumentsAfter("x | rastrix-batch -F '#FF 80' -o ''", "rastrix-batch"),
              (std::vector<std::string>{"-F", "#FF 80", "-o", ""}));
}

TEST(EditorManual, ListsTheUsageOptionsAndTheSettingsFolder) {
    const std::string page = EditorManualPage();
    const std::string options = SectionOf(page, "OPTIONS");
    EXPECT_NE(options.find(".TP\n\\fB\\-\\-help\\fR\nshow this text and exit\n"), std::string::npos) << options;
    EXPECT_NE(options.find(".TP\n\\fB\\-\\-version\\fR\nshow the version and exit\n"), std::string::npos) << options;
    EXPECT_NE(SectionOf(page, "SYNOPSIS").find("\\fBrastrix\\fR [FILE]"), std::string::npos);
    // The usage text's paragraph after its options describes what the editor does now.
    const std::string description = SectionOf(page, "DESCRIPTION");
    for (const char* part : {"PNG or JPEG", "Scale Image", "Reduce Colours", "LVGL", "Export for Device"})
        EXPECT_NE(description.find(part), std::string::npos) << part << "\n" << description;
    EXPECT_EQ(options.find("Besides"), std::string::npos) << options;
    const std::string files = SectionOf(page, "FILES");
    EXPECT_NE(files.find("$XDG_CONFIG_HOME/Orlane/Rastrix, or ~/.config/Orlane/Rastrix when"), std::string::npos) << files;
    for (const char* value : {"Settings", "Recent", "Colors"}) EXPECT_NE(files.find(value), std::string::npos) << value;
    EXPECT_NE(SectionOf(page, "SEE ALSO").find(".BR rastrix\\-batch (1)"), std::string::npos);
}

}  // namespace
}  // namespace rastrix::manual
