// libFuzzer entry for the stored settings: the three values decoded directly and through the
// store, then written back with one store call failing.
#include <cstdio>
#include <cstdlib>

#include "SettingsFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = rastrix::fuzz::CheckSettingsInput({data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "settings: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
