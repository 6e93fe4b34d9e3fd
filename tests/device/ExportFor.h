#pragma once
// The export the device tests make most: a container, a layout, an invert and a palette name.
#include <gtest/gtest.h>

#include "device/DeviceExport.h"
#include "device/PaletteProblemText.h"

namespace rastrix::device_test {

inline DeviceFile ExportFor(const Bitmap& picture, DeviceContainer container, DeviceLayout layout, bool invert = false,
                            const char* palette = "") {
    DeviceExport e;
    e.container = container;
    e.layout = layout;
    e.invert = invert;
    if (*palette)
        if (const PaletteOrFile named = SetExportPalette(e, palette, PosixFileSystem()); !named.Ok())
            ADD_FAILURE() << PaletteProblemText(named);
    return ExportForDevice(picture, e);
}

}  // namespace rastrix::device_test
