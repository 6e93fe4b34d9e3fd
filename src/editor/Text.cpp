#include "editor/Text.h"

namespace rastrix {

namespace {
char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
}  // namespace

bool CompareNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

std::uint32_t ParseDecimal(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10u + std::uint32_t(c - '0');
    }
    return value;
}

std::string InsertThousandsSeparators(std::string_view digits) {
    std::string out;
    const std::size_t n = digits.size();
    out.reserve(n + (n ? (n - 1) / 3 : 0));
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

std::size_t FileTitleOf(std::string_view path) {
    const std::size_t pos = path.find_last_of("/\\");
    return pos == std::string_view::npos ? 0 : pos + 1;
}

}  // namespace rastrix
