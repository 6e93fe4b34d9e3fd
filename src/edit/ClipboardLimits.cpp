// Kept apart from Clipboard.cpp, which needs the file layout: the header and layout files both
// define kBmpHeaderReadBytes, so the two cannot be included together.
#include "edit/ClipboardLimits.h"

#include <cstdint>

#include "document/BmpHeader.h"

namespace rastrix {

static_assert(kBmpMaxSide == 65535 && kBmpMaxPixels == (std::int64_t(1) << 28),
              "kClipboardTooLargeText names these limits");

bool FitsNewImage(const Bitmap& b) {
    return b.Width() <= kBmpMaxSide && b.Height() <= kBmpMaxSide &&
           std::int64_t(b.Width()) * b.Height() <= kBmpMaxPixels;
}

}  // namespace rastrix
