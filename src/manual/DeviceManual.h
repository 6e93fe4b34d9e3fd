#pragma once
#include <string>

#include "manual/Roff.h"

namespace rastrix::manual {

// The DEVICE FILES section of rastrix-batch(1): every layout, format and profile from the
// device layer's own tables, each with a command line that uses it.
void DeviceFilesSection(RoffPage& page);

// A command line of each, as the section shows it.
std::string LayoutExample(std::string_view layout);
std::string FormatExample(std::string_view format);
std::string ProfileExample(std::string_view profile);

// The FILES paragraph on the user's profile file.
std::string UserProfilesParagraph(const std::string& settingsFolders);

}  // namespace rastrix::manual
