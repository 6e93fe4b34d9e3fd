// libFuzzer entry for the user's device-profile file and the export the Export for Device
// dialog remembers: both are text read from the settings folder.
#include "FuzzEntry.h"
#include "ProfileFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rastrix::fuzz::StopOnFault("profile reader", rastrix::fuzz::CheckProfileInput({data, size}));
    return 0;
}
