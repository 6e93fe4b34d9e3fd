#pragma once
#include <cstddef>

namespace rastrix {

// A mapped file that another program cuts short raises SIGBUS on the pages it lost, which would
// end the program in the middle of reading an image. While a file is mapped its range is
// registered here; a SIGBUS inside a registered range puts a page of zeros where the lost page
// was and marks the range, so the reader finishes on zeros and can be told the file changed.
// A SIGBUS anywhere else goes to whatever handled it before. Safe to use from several threads.

// Registers a mapped range. False when every slot is taken: the caller should not map then.
bool RegisterMappedRange(const void* begin, std::size_t size);
// Forgets the range that begins at begin.
void UnregisterMappedRange(const void* begin);
// Whether a page of the range that begins at begin was lost since it was registered.
bool MappedRangeLost(const void* begin);

}  // namespace rastrix
