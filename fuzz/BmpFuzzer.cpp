// libFuzzer entry for the BMP reader: the whole-file decoder and the header reader on the
// same bytes.
#include <cstdio>
#include <cstdlib>

#include "BmpFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = rastrix::fuzz::CheckBmpInput({data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "BMP reader: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
