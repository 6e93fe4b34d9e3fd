#include "document/PaletteBrowse.h"

#include "editor/Editor.h"
#include "editor/Host.h"

namespace rastrix {

std::optional<std::string> BrowseForPalette(Editor& ed) {
    FileDialogRequest request;
    request.title = kPaletteBrowseTitle;
    request.filters = {{"Palettes (bitmaps and colour lists)", "*.bmp *.txt *.hex *.pal *.gpl *.act"}, {"All Files", "*"}};
    const auto chosen = ed.host.OpenFileDialog(request);
    if (!chosen) return std::nullopt;
    return chosen->path;
}

}  // namespace rastrix
