#include "editor/RecentFiles.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "editor/Text.h"

namespace rastrix {
bool IsStorableRecentPath(std::string_view path) {
    // A tab would split the entry in two when the list is read back, shifting every later one;
    // a zero byte would end the list there.
    return path.size() <= kRecentPathMax && path.find_first_of(std::string_view("\t\0", 2)) == std::string_view::npos;
}

void MoveToFront(RecentFiles& recent, std::string_view path) {
    // Copied first: path may view one of the entries that are about to move.
    std::string top(path);
    auto& entries = recent.entries;
    if (entries[0].empty()) {
        entries[0] = std::move(top);
        return;
    }

    int k = recent.recentIndex;
    if (k < 0 || k >= kRecentCount) k = kRecentCount - 1;
    if (k == kRecentCount - 1) {
        for (int j = 0; j < kRecentCount; ++j) {
            if (CompareNoCase(entries[j], top)) {
                k = j;
                break;
            }
        }
    }

    for (int j = k; j >= 1; --j) entries[j] = std::move(entries[j - 1]);
    entries[0] = std::move(top);
}

const std::string& RecentMenuText(const RecentFiles& recent, int k) {
    static const std::string none;
    return (k >= 0 && k < kRecentCount) ? recent.entries[k] : none;
}

const std::string& BeginReopen(RecentFiles& recent, int k) {
    static const std::string none;
    if (k < 0 || k >= kRecentCount) return none;
    recent.recentIndex = k;
    return recent.entries[k];
}

}  // namespace rastrix
