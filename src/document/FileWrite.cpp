#include "document/FileWrite.h"

#include <string_view>

namespace rastrix {

std::string WithBmpExtension(const std::string& path) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (path.size() > 4) {
        const std::string_view tail(path.data() + path.size() - 4, 4);
        bool bmp = true;
        for (std::size_t i = 0; i < 4; ++i) bmp = bmp && lower(tail[i]) == ".bmp"[i];
        if (bmp) return path;
    }
    return path + ".bmp";
}

}  // namespace rastrix
