#include "manual/Completions.h"

#include <algorithm>
#include <string_view>

#include "batch/BatchColorNames.h"
#include "manual/ManualPages.h"

namespace rastrix::manual {

namespace {

constexpr std::string_view kHeader = "written by rastrix-manual from rastrix-batch's option table; do not edit.\n";

std::string Joined(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
    return out;
}

// Text inside single quotes in a shell script.
std::string Quoted(std::string_view text) {
    std::string out;
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out;
}

// An _arguments explanation ([...]) or message (:...:) of zsh.
std::string ZshText(std::string_view text, std::string_view special) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || special.find(c) != std::string_view::npos) out += '\\';
        out += c;
    }
    return Quoted(out);
}

std::string ZshAction(const batch::OptionSpec& o) {
    switch (KindOfValue(o)) {
        case ValueKind::Words: return "(" + Joined(ValueChoices(o)) + ")";
        case ValueKind::WordsOrFiles: return "{compadd -S \"\" -- " + Joined(ValueChoices(o)) + "; _files}";
        case ValueKind::Folders: return "_files -/";
        case ValueKind::Files: break;
    }
    return "_files";
}

}  // namespace

std::vector<std::string> ValueChoices(const batch::OptionSpec& option) {
    if (option.valueCount != 1) return {};
    if (option.words) return option.words();
    // A colour is offered by its names (#RRGGBB and R,G,B are typed).
    if (option.valueName == "COLOUR") {
        std::vector<std::string> names;
        for (const batch::NamedColor& c : batch::NamedColors()) names.emplace_back(c.name);
        return names;
    }
    return {};
}

ValueKind KindOfValue(const batch::OptionSpec& option) {
    if (!ValueChoices(option).empty())
        return option.valueName.ends_with("|FILE") ? ValueKind::WordsOrFiles : ValueKind::Words;
    return option.valueName == "DIR" ? ValueKind::Folders : ValueKind::Files;
}

std::string BashCompletion() {
    std::string names, words, folders;
    for (const batch::OptionSpec& o : batch::OptionTable()) {
        if (o.help.empty()) continue;  // a second spelling, not offered twice
        std::string pattern = "--" + std::string(o.longName);
        names += (names.empty() ? "" : " ") + pattern;
        if (o.shortName) {
            names += std::string(" -") + o.shortName;
            pattern = std::string("-") + o.shortName + "|" + pattern;
        }
        if (o.valueCount == 0) continue;
        switch (KindOfValue(o)) {
            case ValueKind::Words:
                words += "        " + pattern + ") _rastrix_batch_words '" + Joined(ValueChoices(o)) + "'; return ;;\n";
                break;
            case ValueKind::WordsOrFiles:
                words += "        " + pattern + ") _rastrix_batch_words '" + Joined(ValueChoices(o)) +
                         "'; COMPREPLY+=($(compgen -f -- \"$cur\")); return ;;\n";
                break;
            case ValueKind::Folders: folders += (folders.empty() ? "" : "|") + pattern; break;
            case ValueKind::Files: break;
        }
    }
    std::string s = "# bash completion for rastrix-batch, " + std::string(kHeader);
    s += "# The words of $1 that start as $cur does; a word holding ':' (16:555, optimised:) is offered\n"
         "# from after the last ':' of $cur, which bash took for the word's start.\n"
         "_rastrix_batch_words()\n{\n"
         "    COMPREPLY=($(compgen -W \"$1\" -- \"$cur\"))\n"
         "    [[ $cur == *:* ]] && COMPREPLY=(\"${COMPREPLY[@]#\"${cur%\"${cur##*:}\"}\"}\")\n"
         "    [[ ${#COMPREPLY[@]} == 1 && -z ${COMPREPLY[0]} ]] && COMPREPLY=()\n"
         "}\n"
         "_rastrix_batch()\n{\n"
         "    local i=$COMP_CWORD cur=${COMP_WORDS[COMP_CWORD]} prev=\n"
         "    # bash splits a value at ':' (--depth 16:555): join it again\n"
         "    if [[ $cur == : ]] && (( i > 1 )); then\n"
         "        cur=${COMP_WORDS[i-1]}:\n"
         "        (( i-- ))\n"
         "    elif (( i > 2 )) && [[ ${COMP_WORDS[i-1]} == : ]]; then\n"
         "        cur=${COMP_WORDS[i-2]}:$cur\n"
         "        (( i -= 2 ))\n"
         "    fi\n"
         "    (( i > 0 )) && prev=${COMP_WORDS[i-1]}\n"
         "    # bash splits --name=value at the '=': complete the value of --name\n"
         "    if [[ $cur == = ]]; then\n"
         "        cur=\n"
         "    elif [[ $prev == = ]] && (( i > 1 )); then\n"
         "        prev=${COMP_WORDS[i-2]}\n"
         "    fi\n"
         "    case $prev in\n" +
         words;
    if (!folders.empty()) s += "        " + folders + ") COMPREPLY=($(compgen -d -- \"$cur\")); return ;;\n";
    s += "    esac\n"
         "    if [[ $cur == -* ]]; then\n"
         "        COMPREPLY=($(compgen -W '" + names + "' -- \"$cur\"))\n"
         "    else\n"
         "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
         "    fi\n"
         "}\n"
         "complete -o filenames -F _rastrix_batch rastrix-batch\n";
    return s;
}

std::string ZshCompletion() {
    std::string s = "#compdef rastrix-batch\n# zsh completion for rastrix-batch, " + std::string(kHeader);
    s += "_arguments -s -S \\\n";
    for (const batch::OptionSpec& o : batch::OptionTable()) {
        if (o.help.empty()) continue;
        const bool value = o.valueCount > 0;
        const std::string longSpec = "--" + std::string(o.longName) + (value ? "=" : "");
        // Commands may come again and again, in any order: every option can be repeated.
        s += "  '*'";
        s += o.shortName ? "{-" + std::string(1, o.shortName) + (value ? "+" : "") + "," + longSpec + "}"
                         : "'" + longSpec + "'";
        s += "'[" + ZshText(o.help, "[]") + "]";
        std::string_view names = o.valueName;
        for (int i = 0; i < o.valueCount; ++i) {
            const std::size_t space = names.find(' ');
            s += ":" + ZshText(names.substr(0, space), ":") + ":" + ZshAction(o);
            if (space != std::string_view::npos) names.remove_prefix(space + 1);
        }
        s += "' \\\n";
    }
    s += "  '*:input file:_files'\n";
    return s;
}

// The editor takes one picture, or one of its options alone.
std::string EditorBashCompletion() {
    std::string names;
    for (const UsageOption& o : EditorOptions()) names += (names.empty() ? "" : " ") + o.name;
    return "# bash completion for rastrix, written by rastrix-manual from the editor's usage text; do not edit.\n"
           "_rastrix()\n{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]}\n"
           "    if [[ $cur == -* ]] && (( COMP_CWORD == 1 )); then\n"
           "        COMPREPLY=($(compgen -W '" + names + "' -- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    # pictures it opens, and folders on the way to them\n"
           "    local extglob; shopt -q extglob && extglob=1; shopt -s extglob\n"
           "    COMPREPLY=($(compgen -f -X '!*.@([bB][mM][pP]|[pP][nN][gG]|[jJ][pP]?([eE])[gG])' -- \"$cur\") $(compgen -d -- \"$cur\"))\n"
           "    [[ $extglob ]] || shopt -u extglob\n"
           "}\n"
           "complete -o filenames -F _rastrix rastrix\n";
}

std::string EditorZshCompletion() {
    std::string s = "#compdef rastrix\n# zsh completion for rastrix, written by rastrix-manual from the editor's usage text; do not edit.\n";
    s += "_arguments -s -S \\\n";
    for (const UsageOption& o : EditorOptions()) s += "  '(- *)" + o.name + "[" + ZshText(o.text, "[]") + "]' \\\n";
    s += "  '1:picture:_files -g \"*.(#i)(bmp|png|jpg|jpeg)(-.)\"'\n";
    return s;
}

}  // namespace rastrix::manual
