#include "gui/Artwork.h"

#include <QImage>
#include <QPixmap>
#include <cstdio>
#include <iterator>

// The artwork is kept as XPM text under resources/ and compiled in as C arrays.
#include "cursors/bucket-cursor.xpm"
#include "cursors/pen-cursor.xpm"
#include "cursors/picker-cursor.xpm"
#include "icons/rastrix-16.xpm"
#include "icons/rastrix-32.xpm"
#include "icons/rastrix-48.xpm"
#include "toolbar/draw-00-pen.xpm"
#include "toolbar/draw-01-bucket.xpm"
#include "toolbar/draw-02-picker.xpm"
#include "toolbar/draw-03-rect.xpm"
#include "toolbar/draw-04-roundrect.xpm"
#include "toolbar/draw-05-ellipse.xpm"
#include "toolbar/draw-06-line.xpm"
#include "toolbar/draw-07-linestyle.xpm"
#include "toolbar/draw-08-fillstyle.xpm"
#include "toolbar/draw-09-fillline.xpm"
#include "toolbar/draw-10-fillsolid.xpm"
#include "toolbar/draw-11-fill2color.xpm"
#include "toolbar/draw-12-fillinterior.xpm"
#include "toolbar/draw-13-fillexterior.xpm"
#include "toolbar/main-00-new.xpm"
#include "toolbar/main-01-open.xpm"
#include "toolbar/main-02-save.xpm"
#include "toolbar/main-03-spare.xpm"
#include "toolbar/main-04-drawtools.xpm"
#include "toolbar/main-05-fit.xpm"
#include "toolbar/main-06-actual.xpm"
#include "toolbar/main-07-zoom2.xpm"
#include "toolbar/main-08-zoom4.xpm"
#include "toolbar/main-09-zoom8.xpm"
#include "toolbar/main-10-undo.xpm"
#include "toolbar/main-11-cut.xpm"
#include "toolbar/main-12-copy.xpm"
#include "toolbar/main-13-paste.xpm"
#include "toolbar/main-14-adjust.xpm"
#include "toolbar/main-15-crop.xpm"
#include "toolbar/main-16-markborder.xpm"
#include "toolbar/main-17-restoresel.xpm"
#include "toolbar/main-18-unselect.xpm"
#include "toolbar/main-19-rot90cw.xpm"
#include "toolbar/main-20-rot90ccw.xpm"
#include "toolbar/main-21-rot180.xpm"
#include "toolbar/main-22-fliph.xpm"
#include "toolbar/main-23-flipv.xpm"
#include "toolbar/main-24-shiftl.xpm"
#include "toolbar/main-25-shiftr.xpm"
#include "toolbar/main-26-shiftu.xpm"
#include "toolbar/main-27-shiftd.xpm"

namespace rastrix::gui {
namespace {

using Xpm = const char* const*;

constexpr Xpm mainStrip[] = {
    main_00_new_xpm,
    main_01_open_xpm,
    main_02_save_xpm,
    main_03_spare_xpm,
    main_04_drawtools_xpm,
    main_05_fit_xpm,
    main_06_actual_xpm,
    main_07_zoom2_xpm,
    main_08_zoom4_xpm,
    main_09_zoom8_xpm,
    main_10_undo_xpm,
    main_11_cut_xpm,
    main_12_copy_xpm,
    main_13_paste_xpm,
    main_14_adjust_xpm,
    main_15_crop_xpm,
    main_16_markborder_xpm,
    main_17_restoresel_xpm,
    main_18_unselect_xpm,
    main_19_rot90cw_xpm,
    main_20_rot90ccw_xpm,
    main_21_rot180_xpm,
    main_22_fliph_xpm,
    main_23_flipv_xpm,
    main_24_shiftl_xpm,
    main_25_shiftr_xpm,
    main_26_shiftu_xpm,
    main_27_shiftd_xpm,
};
static_assert(std::size(mainStrip) == mainToolBarImageCount);

constexpr Xpm drawingStrip[] = {
    draw_00_pen_xpm,
    draw_01_bucket_xpm,
    draw_02_picker_xpm,
    draw_03_rect_xpm,
    draw_04_roundrect_xpm,
    draw_05_ellipse_xpm,
    draw_06_line_xpm,
    draw_07_linestyle_xpm,
    draw_08_fillstyle_xpm,
    draw_09_fillline_xpm,
    draw_10_fillsolid_xpm,
    draw_11_fill2color_xpm,
    draw_12_fillinterior_xpm,
    draw_13_fillexterior_xpm,
};
static_assert(std::size(drawingStrip) == drawingToolBarImageCount);

QPixmap PixmapFromXpm(Xpm xpm) { return QPixmap::fromImage(QImage(xpm)); }

// The hot spot is written after width, height, colour count and characters per pixel in the
// XPM header; a header without one gives the image's centre.
QCursor CursorFromXpm(Xpm xpm) {
    int width = 0, height = 0, colors = 0, charsPerPixel = 0, hotX = -1, hotY = -1;
    const int fields = std::sscanf(xpm[0], "%d %d %d %d %d %d", &width, &height, &colors, &charsPerPixel,
                                   &hotX, &hotY);
    if (fields < 6) {
        hotX = width / 2;
        hotY = height / 2;
    }
    return QCursor(PixmapFromXpm(xpm), hotX, hotY);
}

QIcon IconFromStrip(const Xpm* strip, int count, int imageIndex) {
    if (imageIndex < 0 || imageIndex >= count) return QIcon();
    return QIcon(PixmapFromXpm(strip[imageIndex]));
}

}  // namespace

QIcon MainToolBarIcon(int imageIndex) {
    return IconFromStrip(mainStrip, mainToolBarImageCount, imageIndex);
}

QIcon DrawingToolBarIcon(int imageIndex) {
    return IconFromStrip(drawingStrip, drawingToolBarImageCount, imageIndex);
}

QCursor PenCursor() { return CursorFromXpm(pen_cursor_xpm); }
QCursor BucketCursor() { return CursorFromXpm(bucket_cursor_xpm); }
QCursor PickerCursor() { return CursorFromXpm(picker_cursor_xpm); }

QIcon ProgramIcon() {
    QIcon icon;
    for (Xpm xpm : {rastrix_16_xpm, rastrix_32_xpm, rastrix_48_xpm}) icon.addPixmap(PixmapFromXpm(xpm));
    return icon;
}

}  // namespace rastrix::gui
