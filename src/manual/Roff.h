#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rastrix::manual {

// Text for a manual page in the man macros of roff. Prose keeps its hyphens; command-line
// words (option names, commands) get real minus signs, so they can be copied from the page.
std::string RoffText(std::string_view text);
std::string RoffCode(std::string_view text);

// A manual page, section by section. Each call adds whole lines.
class RoffPage {
public:
    RoffPage(std::string_view name, std::string_view source);
    void Section(std::string_view title);     // .SH, upper case
    void Subsection(std::string_view title);  // .SS
    void Paragraph(std::string_view prose);   // .PP and the text
    // .TP: a tagged entry; tag is already roff (fonts and escapes), body is prose.
    void Entry(std::string_view roffTag, std::string_view prose, std::string_view example = {});
    void CodeBlock(std::string_view code);    // lines shown as typed, indented
    void Raw(std::string_view roffLine);      // one line that is already roff
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// The paragraphs of a plain text, each with its lines joined by spaces.
std::vector<std::string> Paragraphs(std::string_view text);

}  // namespace rastrix::manual
