// libFuzzer entry for JPEG files: the marker checks made before decoding, the decoder and the
// EXIF orientation reader on the same bytes.
#include <cstdio>
#include <cstdlib>

#include "JpegFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = rastrix::fuzz::CheckJpegInput({data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "JPEG reader: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
