#pragma once
// The export the device tests make most: a container, a layout, an invert and a palette name.
#include <gtest/gtest.h>

#include "device/DeviceExport.h"

namespace rastrix::device_test {

inline DeviceFile ExportFor(const Bitmap& picture, DeviceContainer container, DeviceLayout layout, bool invert = false,
                            const char* palette = "") {
    DeviceExport e;
    e.container = container;
    e.layout = layout;
    e.invert = invert;
    if (*palette)
        if (std::string error = SetExportPalette(e, palette, PosixFileSystem()); !error.empty()) return {{}, error};
    return ExportForDevice(picture, e);
}

}  // namespace rastrix::device_test
