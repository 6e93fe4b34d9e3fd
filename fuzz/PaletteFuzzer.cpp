// libFuzzer entry for palette files: the parser that tells a BMP, a colour list, JASC-PAL, GIMP
// and an Adobe colour table apart by their bytes, and each reader behind it.
#include <cstdio>
#include <cstdlib>

#include "PaletteFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = rastrix::fuzz::CheckPaletteInput({data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "palette reader: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
