#include "manual/Roff.h"

#include <cctype>

namespace rastrix::manual {

namespace {

std::string Escape(std::string_view text, bool code) {
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        // A line that starts with a dot or an apostrophe would be read as a request.
        if (lineStart && (c == '.' || c == '\'')) out += "\\&";
        if (c == '\\')
            out += "\\e";
        else if (c == '-' && code)
            out += "\\-";
        else
            out += c;
        lineStart = c == '\n';
    }
    return out;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string RoffText(std::string_view text) { return Escape(text, false); }
std::string RoffCode(std::string_view text) { return Escape(text, true); }

RoffPage::RoffPage(std::string_view name, std::string_view source) {
    text_ = ".\\\" Written by rastrix-manual from the program's own help text; do not edit.\n";
    text_ += ".TH " + RoffCode(Upper(name)) + " 1 \"\" \"" + RoffText(source) + "\" \"User Commands\"\n";
}

void RoffPage::Section(std::string_view title) { text_ += ".SH \"" + RoffText(Upper(title)) + "\"\n"; }

void RoffPage::Subsection(std::string_view title) { text_ += ".SS \"" + RoffText(title) + "\"\n"; }

void RoffPage::Paragraph(std::string_view prose) { text_ += ".PP\n" + RoffText(prose) + "\n"; }

void RoffPage::Entry(std::string_view roffTag, std::string_view prose, std::string_view example) {
    text_ += ".TP\n" + std::string(roffTag) + "\n" + RoffText(prose) + "\n";
    if (!example.empty()) text_ += ".br\ne.g. \\fB" + RoffCode(example) + "\\fR\n";
}

void RoffPage::CodeBlock(std::string_view code) {
    text_ += ".PP\n.RS\n.nf\n" + RoffCode(code) + "\n.fi\n.RE\n";
}

void RoffPage::Raw(std::string_view roffLine) { text_ += std::string(roffLine) + "\n"; }

std::vector<std::string> Paragraphs(std::string_view text) {
    std::vector<std::string> paragraphs;
    std::string current;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty()) {
            if (!current.empty()) paragraphs.push_back(std::move(current));
            current.clear();
            continue;
        }
        if (!current.empty()) current += ' ';
        current += line;
    }
    if (!current.empty()) paragraphs.push_back(std::move(current));
    return paragraphs;
}

}  // namespace rastrix::manual
