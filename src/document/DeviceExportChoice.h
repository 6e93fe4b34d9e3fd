#pragma once
#include <string>
#include <string_view>

#include "device/DeviceExport.h"
#include "device/DeviceProfiles.h"

namespace rastrix {

// The Export for Device dialog's last choice is remembered between sessions as this settings
// value (text, one key=value a line), beside the values the editor has always stored.
inline constexpr std::string_view kDeviceExportValueName = "DeviceExport";

// The value's text, and the choice read back from it: a key the program does not know or a value
// out of range is passed over (that field keeps its default), so an edited or older value never
// stops the dialog from opening.
std::string EncodeChoice(const ExportChoice& choice);
ExportChoice DecodeChoice(std::string_view text);

}  // namespace rastrix
