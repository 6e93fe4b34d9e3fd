#include "draw/ColorBar.h"

#include "draw/Colors.h"
#include "editor/Editor.h"
#include "raster/Canvas.h"

namespace rastrix {

namespace {

// The colour the bar shows in column x, or kInvalidColor off the bar. The y of the event does
// not matter: every swatch is one colour from top to bottom.
Color ProbeColorBar(const Editor& ed, int x) { return RenderColorBar(ed).GetPixel(x, kColorBarProbeRow); }

}  // namespace

Bitmap RenderColorBar(const Editor& ed) {
    const FrameLayout& layout = ed.frame.layout;
    if (!layout.hasDrawingBar || layout.swatchWidth <= 0) return {};
    const int sw = layout.swatchWidth;
    Bitmap bar(layout.colorBarWidth, kColorBarClientHeight);
    Canvas canvas(bar);
    Rect swatch{0, 0, sw, kColorBarClientHeight};
    for (const Color c : kColorBarColors) {
        canvas.FillRect(swatch, Brush::Solid(c));
        swatch.left += sw;
        swatch.right += sw;
    }
    return bar;
}

void ColorBarMouseMove(Editor& ed, int x, int /*y*/) {
    const Color c = ProbeColorBar(ed, x);
    if (c != kInvalidColor) ShowColor(ed, c);
}

void ColorBarButtonDown(Editor& ed, int x, int /*y*/, bool left) {
    const Color c = ProbeColorBar(ed, x);
    if (c == kInvalidColor) return;
    if (left) SetForeColor(ed, c);
    else SetBackColor(ed, c);
}

}  // namespace rastrix
