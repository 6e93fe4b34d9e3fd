// The completion scripts: bash offers the option names, the fixed values and folders where the
// option table says so; zsh's file is read by zsh without an error. Both shells run the script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "batch/BatchOptionTable.h"
#include "batch/BatchSteps.h"
#include "batch/BatchValues.h"
#include "manual/Completions.h"
#include "store/StoreTestSupport.h"

namespace rastrix::manual {
namespace {

const batch::OptionSpec& Option(std::string_view longName) {
    for (const batch::OptionSpec& o : batch::OptionTable())
        if (o.longName == longName) return o;
    throw std::runtime_error("no option --" + std::string(longName));
}

bool Contains(const std::vector<std::string>& words, const std::string& w) {
    return std::find(words.begin(), words.end(), w) != words.end();
}

TEST(ValueChoices, FixedListsAreFoundAndFreeValuesAreNot) {
    EXPECT_EQ(ValueChoices(Option("flip")), (std::vector<std::string>{"h", "v"}));
    EXPECT_EQ(ValueChoices(Option("rotate")), (std::vector<std::string>{"90", "180", "270"}));
    EXPECT_EQ(ValueChoices(Option("shift")), (std::vector<std::string>{"left", "right", "up", "down"}));
    const std::vector<std::string> depth = ValueChoices(Option("depth"));
    for (const char* w : {"1", "8", "24", "keep"}) EXPECT_TRUE(Contains(depth, w)) << w;
    EXPECT_TRUE(Contains(ValueChoices(Option("shape")), "line-up"));
    EXPECT_TRUE(Contains(ValueChoices(Option("fill-style")), "diagonal-cross"));
    // A colour is offered by its names.
    for (const char* colour : {"foreground", "background"}) {
        EXPECT_EQ(ValueChoices(Option(colour)).size(), 148u) << colour;
        EXPECT_TRUE(Contains(ValueChoices(Option(colour)), "tomato")) << colour;
        EXPECT_EQ(KindOfValue(Option(colour)), ValueKind::Words) << colour;
    }
    // A pattern, a described range, a number, names: no list.
    for (const char* free : {"select", "size", "bucket", "line-width", "jobs", "output", "out-dir",
                             "files-from", "join", "crop", "name"})
        EXPECT_EQ(ValueChoices(Option(free)), std::vector<std::string>{}) << free;
    EXPECT_EQ(KindOfValue(Option("flip")), ValueKind::Words);
    EXPECT_EQ(KindOfValue(Option("out-dir")), ValueKind::Folders);
    EXPECT_EQ(KindOfValue(Option("output")), ValueKind::Files);
    EXPECT_EQ(KindOfValue(Option("select")), ValueKind::Files);
    // A palette is a name or a file; a profile one of the built-in ones (or the user's own).
    EXPECT_EQ(KindOfValue(Option("palette")), ValueKind::WordsOrFiles);
    for (const char* w : {"bw", "epaper7", "bwr", "optimised:"}) EXPECT_TRUE(Contains(ValueChoices(Option("palette")), w)) << w;
    EXPECT_TRUE(Contains(ValueChoices(Option("for")), "ssd1306"));
    EXPECT_EQ(KindOfValue(Option("for")), ValueKind::Words);
}

TEST(ValueChoices, EveryWordOfEveryListIsTakenAndNothingElse) {
    for (const batch::OptionSpec& o : batch::OptionTable()) {
        for (const std::string& offered : ValueChoices(o)) {
            // A word ending in ':' is the start of one: optimised: takes its number after it.
            const std::string w = offered.ends_with(':') ? offered + "16" : offered;
            batch::BatchOptions scratch;
            EXPECT_EQ(o.apply(scratch, std::span<const std::string>(&w, 1)), "") << o.longName << " " << w;
            // An open list takes more (a palette file, a profile of the user's own); a closed one
            // refuses anything else with a message naming its words, in their order.
            if (!o.closedWords) continue;
            const std::string other = w + "x";
            std::string named;
            for (const std::string& word : ValueChoices(o)) named += (named.empty() ? "" : ", ") + word;
            EXPECT_EQ(o.apply(scratch, std::span<const std::string>(&other, 1)), "'" + other + "' is not " + batch::OrList(named))
                << o.longName;
        }
    }
}

// Every command an option of rastrix-batch runs (found by giving each option every word it
// offers, or its example) has that option's name in the batch tool's refusals, so an option
// added for a new command cannot leave its refusal saying "this step".
TEST(BatchStepNames, EveryCommandAnOptionRunsIsNamedAfterItsOption) {
    std::map<CommandId, std::set<std::string>> runBy;  // each command and the options that ran it
    const auto collect = [&runBy](std::vector<std::string> args, const std::string& option) {
        args.insert(args.end(), {"in.bmp", "-o", "out.bmp"});  // nothing is read or written
        const batch::ParsedArguments parsed = batch::ParseBatchArguments(args);
        if (!parsed.options) return;
        for (const batch::Step& s : parsed.options->steps) {
            if (s.kind == batch::StepKind::Command) runBy[s.command].insert(option);
            if (s.kind == batch::StepKind::MarkBorder) runBy[CommandId::MarkBorder].insert(option);
            if (s.kind == batch::StepKind::Size) runBy[CommandId::ChangeImageSize].insert(option);
        }
    };
    for (const batch::OptionSpec& o : batch::OptionTable()) {
        const std::string name = "--" + std::string(o.longName);
        if (o.valueCount == 0) collect({name}, name);
        for (const std::string& word : ValueChoices(o)) collect({name, word}, name);
        std::vector<std::string> example;  // "--size '800x600>'" as the shell hands it over
        std::string token;
        for (const char ch : std::string(o.example) + " ") {
            if (ch != ' ') {
                if (ch != '\'') token += ch;
            } else if (!token.empty()) {
                example.push_back(token);
                token.clear();
            }
        }
        collect(example, name);
    }
    ASSERT_FALSE(runBy.empty());
    for (const auto& [id, options] : runBy) {
        // The one option that runs it, and its refusal names that option.
        ASSERT_EQ(options.size(), 1u) << "command " << id;
        const std::string refusal = batch::RefusalText(id, {Availability::Kind::NeedsSelection});
        EXPECT_TRUE(refusal.starts_with(*options.begin() + " ")) << "command " << id << ": " << refusal;
    }
}

// A word the value may be is somewhere in the option's help line or its value's name, a word
// of its own there (the manual page and --help are made from these lines).
bool Names(std::string_view text, std::string_view word) {
    const auto partOfWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == ':'; };
    for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || !partOfWord(text[at - 1])) && (end == text.size() || !partOfWord(text[end]))) return true;
    }
    return false;
}

TEST(ValueChoices, TheHelpOfAClosedListNamesEachOfItsWords) {
    for (const char* name : {"shape", "depth", "dither", "format", "layout"}) EXPECT_TRUE(Option(name).closedWords) << name;
    for (const batch::OptionSpec& o : batch::OptionTable()) {
        if (!o.closedWords) continue;
        for (const std::string& w : ValueChoices(o))
            EXPECT_TRUE(Names(o.help, w) || Names(o.valueName, w)) << "--" << o.longName << "'s help does not name " << w;
    }
}

bool HasShell(const char* shell) { return std::system((std::string("command -v ") + shell + " >/dev/null 2>&1").c_str()) == 0; }

std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return "popen failed";
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = ::pclose(pipe);
    return status == 0 ? out : out + "[exit " + std::to_string(status) + "]";
}

class BashCompletionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HasShell("bash")) GTEST_SKIP() << "bash is not installed";
        Script("rastrix-batch", BashCompletion(), "_rastrix_batch");
        Script("rastrix", EditorBashCompletion(), "_rastrix");
        std::filesystem::create_directory(dir.Path() / "shots");
        std::ofstream(dir.Path() / "scan.bmp") << "BM";
    }
    // A script that completes the words given as arguments, as bash does at a <TAB> after them.
    void Script(const std::string& program, const std::string& completion, const std::string& function) {
        std::ofstream(dir.Path() / (program + ".bash")) << completion;
        std::ofstream(dir.Path() / (program + ".sh")) << "source " + program + ".bash\n"
                                                         "COMP_WORDS=(" + program + " \"$@\")\n"
                                                         "COMP_CWORD=$#\n" + function + "\n"
                                                         "printf '%s\\n' \"${COMPREPLY[@]}\" | sort\n";
    }
    // What bash offers the program for the last word, one a line, sorted; words as bash splits them.
    std::string Offers(const std::vector<std::string>& words, const std::string& program = "rastrix-batch") {
        std::string quoted;
        for (const std::string& w : words) quoted += " '" + w + "'";
        return Output("cd '" + dir.Path().string() + "' && bash --norc --noprofile " + program + ".sh" + quoted + " 2>&1");
    }
    testing::TempFolder dir;
};

TEST_F(BashCompletionTest, OffersOptionsValuesFoldersAndFiles) {
    EXPECT_EQ(Offers({"--de"}), "--depth\n");
    EXPECT_EQ(Offers({"--fl"}), "--flip\n");
    EXPECT_EQ(Offers({"--flip", ""}), "h\nv\n");
    EXPECT_EQ(Offers({"--flip", "=", ""}), "h\nv\n");  // --flip= split at the '='
    EXPECT_EQ(Offers({"-r", "1"}), "180\n");
    EXPECT_EQ(Offers({"-b", "k"}), "keep\n");
    EXPECT_EQ(Offers({"--out-dir", ""}), "shots\n");   // folders only
    EXPECT_EQ(Offers({"--output", "s"}), "scan.bmp\nshots\n");
    EXPECT_EQ(Offers({"-m", "sc"}), "scan.bmp\n");     // an input
    EXPECT_EQ(Offers({"--allow-col"}), "--allow-colour-loss\n");  // the second spelling is not offered
    // bash splits 16:555 at the ':' and puts back only what follows the last one it saw
    EXPECT_EQ(Offers({"--depth", "16", ":", ""}), "555\n");
    EXPECT_EQ(Offers({"-b", "16", ":", "5"}), "555\n");
    EXPECT_EQ(Offers({"--depth", "=", "16", ":"}), "555\n");
    EXPECT_EQ(Offers({"--depth", "1"}), "1\n16\n16:555\n");
    // a palette by name or a palette file
    EXPECT_EQ(Offers({"--palette", "ep"}), "epaper7\n");
    EXPECT_EQ(Offers({"--palette", "s"}), "scan.bmp\nshots\n");
    EXPECT_EQ(Offers({"--palette", "opt"}), "optimised:\n");
    EXPECT_EQ(Offers({"--for", "ssd1306"}).substr(0, 8), "ssd1306\n");
    const std::string all = Offers({"-"});
    for (const batch::OptionSpec& o : batch::OptionTable()) {
        if (o.help.empty()) continue;
        EXPECT_NE(all.find("--" + std::string(o.longName) + "\n"), std::string::npos) << o.longName;
        if (o.shortName) {
            EXPECT_NE(all.find(std::string("-") + o.shortName + "\n"), std::string::npos) << o.shortName;
        }
    }
}

// The editor's: its options alone, else the pictures it opens and the folders on the way.
TEST_F(BashCompletionTest, TheEditorIsOfferedItsOptionsThenPictures) {
    for (const char* name : {"photo.JPG", "view.jpeg", "logo.png", "notes.txt", "sky.jpe"}) std::ofstream(dir.Path() / name) << "x";
    EXPECT_EQ(Offers({"--"}, "rastrix"), "--help\n--version\n");
    EXPECT_EQ(Offers({""}, "rastrix"), "logo.png\nphoto.JPG\nscan.bmp\nshots\nview.jpeg\n");
    EXPECT_EQ(Offers({"s"}, "rastrix"), "scan.bmp\nshots\n");
}

TEST(ZshCompletion, ZshReadsItAndItNamesEveryOption) {
    const std::string script = ZshCompletion();
    EXPECT_EQ(script.rfind("#compdef rastrix-batch\n", 0), 0u);
    EXPECT_NE(script.find("{-b+,--depth=}'[bits per pixel"), std::string::npos) << script;
    EXPECT_NE(script.find("'*''--flip=''[flip horizontally or vertically"), std::string::npos);
    EXPECT_NE(script.find(":h|v:(h v)'"), std::string::npos);
    EXPECT_NE(script.find(":DIR:_files -/'"), std::string::npos);
    EXPECT_NE(script.find("('\\''-'\\'' for standard output)"), std::string::npos);  // a quote inside quotes
    for (const batch::OptionSpec& o : batch::OptionTable())
        EXPECT_EQ(script.find("--" + std::string(o.longName) + "=") != std::string::npos ||
                      script.find("--" + std::string(o.longName) + "}") != std::string::npos ||
                      script.find("--" + std::string(o.longName) + "'") != std::string::npos,
                  !o.help.empty())
            << o.longName;
    if (!HasShell("zsh")) GTEST_SKIP() << "zsh is not installed: its syntax check is left out";
    testing::TempFolder dir;
    std::ofstream(dir.Path() / "_rastrix-batch") << script;
    EXPECT_EQ(Output("zsh -n '" + (dir.Path() / "_rastrix-batch").string() + "' 2>&1"), "");
    std::ofstream(dir.Path() / "_rastrix") << EditorZshCompletion();
    EXPECT_EQ(Output("zsh -n '" + (dir.Path() / "_rastrix").string() + "' 2>&1"), "");
}

}  // namespace
}  // namespace rastrix::manual
