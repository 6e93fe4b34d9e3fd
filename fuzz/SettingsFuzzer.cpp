// libFuzzer entry for the stored settings: the three values decoded directly and through the
// store, then written back with one store call failing.
#include "FuzzEntry.h"
#include "SettingsFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rastrix::fuzz::StopOnFault("settings", rastrix::fuzz::CheckSettingsInput({data, size}));
    return 0;
}
