#pragma once
#include <string>

#include "device/DeviceExport.h"

namespace rastrix {

struct Editor;

// Writes the current image as the device file the parameters describe to `path`, whole or not at
// all (through a temporary file renamed over it). The image and its undo levels are not changed.
// Parameters that do not go together, a palette that cannot be had or a failed write are told to
// the user (false).
bool RunExportForDevice(Editor& ed, const DeviceExport& e, const std::string& path);

}  // namespace rastrix
