// libFuzzer entry for the user's device-profile file and the export the Export for Device
// dialog remembers: both are text read from the settings folder.
#include <cstdio>
#include <cstdlib>

#include "ProfileFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = rastrix::fuzz::CheckProfileInput({data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "profile reader: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
