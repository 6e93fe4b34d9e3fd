#include "draw/Colors.h"

#include <cstdio>

#include "editor/CommandIds.h"
#include "editor/Editor.h"

namespace rastrix {

Brush ForeBrush(const Editor& ed) { return Brush::Solid(ed.settings.foreColor); }
Brush BackBrush(const Editor& ed) { return Brush::Solid(ed.settings.backColor); }

void SetForeColor(Editor& ed, Color c) {
    ed.settings.foreColor = ClearTopByte(c);
    DrawForeSwatch(ed);
}

void SetBackColor(Editor& ed, Color c) {
    ed.settings.backColor = ClearTopByte(c);
    DrawBackSwatch(ed);
}

std::string ColorStatusText(Color c) {
    char text[32];
    std::snprintf(text, sizeof text, "RGB=%u,%u,%u", unsigned(RedOf(c)), unsigned(GreenOf(c)),
                  unsigned(BlueOf(c)));
    return text;
}

void ShowColor(Editor& ed, Color c) { ed.pointerStatus = ColorStatusText(c); }

void DrawForeSwatch(Editor& ed) {
    ed.draw.foreSwatch = ForeBrush(ed).color;
}

void DrawBackSwatch(Editor& ed) {
    ed.draw.backSwatch = BackBrush(ed).color;
}

Rect SwatchRect(const Editor& ed, int part) {
    if (part != 2 && part != 3) return {};
    const FrameLayout& l = ed.frame.layout;
    return {l.statusPartEdges[std::size_t(part - 1)] + 1, 1, l.statusPartEdges[std::size_t(part)] - 1,
            l.statusBar.Height() - 1};
}

void ChooseCurrentColor(Editor& ed, CommandId id) {
    const bool fore = id == CommandId::SetForegroundColor;
    if (!fore && id != CommandId::SetBackgroundColor) return;
    Color& current = fore ? ed.settings.foreColor : ed.settings.backColor;
    if (const auto chosen = ed.host.ChooseColor(current, ed.settings.customColors)) current = ClearTopByte(*chosen);
    if (fore) DrawForeSwatch(ed);
    else DrawBackSwatch(ed);
}

}  // namespace rastrix
