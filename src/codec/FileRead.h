#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/BmpHeader.h"
#include "store/FileOps.h"

namespace rastrix {

// Files larger than this are refused at the Allocate step with EFBIG: no bitmap this program
// opens needs that many bytes (the largest bitmap at 32 bits, with generous room for headers).
inline constexpr std::uint64_t kMaxReadableFileBytes = std::uint64_t(kBmpMaxPixels) * 4 + (std::uint64_t(1) << 20);

// Reads a whole image file. The file is always closed before returning.
FileBytesResult ReadWholeFile(FileSystem& files, const std::string& path);

// The same, mapped from the file where the system allows (result.View() shows the bytes):
// a large image file then costs no copy in fresh memory.
FileBytesResult MapWholeFile(FileSystem& files, const std::string& path);
// The same with the pages mapped as they are touched: for a reader that lets them go as it
// goes (DecodeBmp's `finished`), so that the whole file is never held beside its image.
FileBytesResult MapWholeFileAsTouched(FileSystem& files, const std::string& path);

// Why a file whose bytes were mapped is refused when another program cut it short meanwhile.
inline constexpr const char* kFileCutShortText = "The file was cut short by another program while it was being read.";

// Reads at most `count` bytes from the start of the file (fewer when the file is shorter).
FileBytesResult ReadFileStart(FileSystem& files, const std::string& path, std::size_t count);

}  // namespace rastrix
