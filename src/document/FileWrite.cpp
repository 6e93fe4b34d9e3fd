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

std::string BmpNameOf(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::size_t stem = (dot == std::string::npos || dot == 0) ? fileName.size() : dot;
    return fileName.substr(0, stem) + ".bmp";
}

}  // namespace rastrix
