// libFuzzer entry for the BMP reader: the whole-file decoder and the header reader on the
// same bytes.
#include "FuzzEntry.h"
#include "BmpFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rastrix::fuzz::StopOnFault("BMP reader", rastrix::fuzz::CheckBmpInput({data, size}));
    return 0;
}
