// libFuzzer entry for JPEG files: the marker checks made before decoding, the decoder and the
// EXIF orientation reader on the same bytes.
#include "FuzzEntry.h"
#include "JpegFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rastrix::fuzz::StopOnFault("JPEG reader", rastrix::fuzz::CheckJpegInput({data, size}));
    return 0;
}
