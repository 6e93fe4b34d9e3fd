#include "frame/FrameLayout.h"

#include <algorithm>

#include "frame/StatusBarRules.h"

namespace rastrix {

int SwatchWidthFor(int clientWidth) {
    // Truncates toward zero, so a frame narrower than 416 also lands on the minimum.
    return std::max((clientWidth - kColorBarReserve) / kColorBarSwatches, kMinSwatchWidth);
}

FrameLayout ComputeFrameLayout(int clientWidth, int clientHeight, bool drawingToolsExist,
                               const FrameMetrics& metrics) {
    const int w = clientWidth;
    const int h = clientHeight;
    const int tb = metrics.mainToolBarHeight;
    const int sh = metrics.statusBarHeight;

    FrameLayout l;
    l.clientWidth = w;
    l.clientHeight = h;
    l.statusPartEdges = ComputeStatusPartEdges(w);
    l.mainToolBar = {0, 0, w, tb};
    l.statusBar = {0, h - sh, w, h};
    l.viewAreaTop = tb + kViewAreaGap;
    l.viewAreaWidth = w;
    l.viewAreaHeight = h - l.viewAreaTop - sh;

    if (drawingToolsExist) {
        l.hasDrawingBar = true;
        l.viewAreaHeight -= kDrawingBarBand;
        // The bar fills its band exactly; it sits right on top of the status bar.
        l.drawingToolBar = {0, h - sh - kDrawingBarBand, w, h - sh};
        l.swatchWidth = SwatchWidthFor(w);
        l.colorBarWidth = kColorBarSwatches * l.swatchWidth;
        l.colorBar = {kColorBarLeft, kColorBarTop, kColorBarLeft + l.colorBarWidth + kColorBarEdge,
                      kColorBarTop + kColorBarHeight};
    }
    return l;
}

}  // namespace rastrix
