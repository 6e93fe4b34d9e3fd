#include "batch/BatchNames.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>

namespace rastrix::batch {

namespace {

constexpr std::string_view kWords[] = {"stem", "name", "ext", "n", "w", "h"};

bool IsWord(std::string_view word) {
    for (std::string_view w : kWords)
        if (w == word) return true;
    return false;
}

bool EndsIn(const std::string& name, const std::string& extension) {
    if (name.size() < extension.size()) return false;
    std::string end = name.substr(name.size() - extension.size());
    for (char& c : end) c = char(std::tolower(static_cast<unsigned char>(c)));
    return end == extension;
}

// Each {word} replaced by what `value` gives for it (the word kept, braces and all, when it
// gives nothing).
template <typename Value>
std::string Replace(const std::string& pattern, Value value) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t close = pattern[i] == '{' ? pattern.find('}', i) : std::string::npos;
        if (close == std::string::npos) {
            out += pattern[i];
            continue;
        }
        const std::string word = pattern.substr(i + 1, close - i - 1);
        const std::optional<std::string> v = value(word);
        out += v ? *v : "{" + word + "}";
        i = close;
    }
    return out;
}

}  // namespace

std::string NamePatternError(const std::string& pattern, bool keepFolders) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '}') return "'" + pattern + "' has a '}' that closes nothing";
        if (pattern[i] != '{') continue;
        const std::size_t close = pattern.find('}', i);
        if (close == std::string::npos) return "'" + pattern + "' has a '{' that is not closed";
        const std::string word = pattern.substr(i + 1, close - i - 1);
        if (!IsWord(word)) return "'{" + word + "}' is not one of {stem}, {name}, {ext}, {n}, {w}, {h}";
        i = close;
    }
    if (!keepFolders && pattern.find('/') != std::string::npos)
        return "'" + pattern + "' has a '/'; names go straight into --out-dir unless --keep-folders is given";
    return {};
}

std::string ExpandNamePattern(const std::string& pattern, const std::string& input, std::size_t place, int width,
                              int height, const std::string& extension) {
    const std::filesystem::path path(input);
    const std::string ext = path.extension().string();
    std::string name = Replace(pattern, [&](const std::string& word) -> std::optional<std::string> {
        if (word == "stem") return path.stem().string();
        if (word == "name") return path.filename().string();
        if (word == "ext") return ext.empty() ? ext : ext.substr(1);
        if (word == "n") return std::to_string(place);
        if (word == "w" && width >= 0) return std::to_string(width);
        if (word == "h" && height >= 0) return std::to_string(height);
        return std::nullopt;
    });
    return EndsIn(name, extension) ? name : name + extension;
}

std::string FillInSize(const std::string& name, int width, int height) {
    return Replace(name, [&](const std::string& word) -> std::optional<std::string> {
        if (word == "w") return std::to_string(width);
        if (word == "h") return std::to_string(height);
        return std::nullopt;
    });
}

bool WaitsForSize(const std::string& name) {
    return name.find("{w}") != std::string::npos || name.find("{h}") != std::string::npos;
}

}  // namespace rastrix::batch
