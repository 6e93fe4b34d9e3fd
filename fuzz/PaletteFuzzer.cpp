// libFuzzer entry for palette files: the parser that tells a BMP, a colour list, JASC-PAL, GIMP
// and an Adobe colour table apart by their bytes, and each reader behind it.
#include "FuzzEntry.h"
#include "PaletteFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rastrix::fuzz::StopOnFault("palette reader", rastrix::fuzz::CheckPaletteInput({data, size}));
    return 0;
}
