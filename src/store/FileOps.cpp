#include "store/FileOps.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace rastrix {
namespace {

FileBytesResult ReadFailure(FileStep step, int error, std::uint64_t storedSize = 0) {
    FileBytesResult result;
    result.storedSize = storedSize;
    result.failure = {step, error};
    return result;
}

WriteResult WriteFailure(FileStep step, int error) { return {false, {step, error != 0 ? error : EIO}}; }

}  // namespace

std::string_view StepName(FileStep step) {
    switch (step) {
        case FileStep::CreateFolder: return "create folder";
        case FileStep::Open: return "open";
        case FileStep::Size: return "size";
        case FileStep::Allocate: return "allocate";
        case FileStep::Read: return "read";
        case FileStep::Write: return "write";
        case FileStep::Flush: return "flush";
        case FileStep::Close: return "close";
        case FileStep::Rename: return "rename";
    }
    return "unknown step";
}

std::string Describe(const FileFailure& failure) {
    std::string text(StepName(failure.step));
    text += ": ";
    text += failure.errorNumber == kNotRegularFile ? "not a regular file" : std::strerror(failure.errorNumber);
    return text;
}

FileBytesResult ReadFileBytes(FileSystem& files, const std::filesystem::path& file, std::size_t limit,
                              LongerFile longer, FileAccess access) {
    FileSystem::Handle handle = -1;
    if (const int error = files.OpenRead(file, handle)) return ReadFailure(FileStep::Open, error);
    // Nothing was written, so a failing close loses nothing and is not reported.
    struct Closer {
        FileSystem& files;
        FileSystem::Handle handle;
        ~Closer() { files.Close(handle); }
    } closer{files, handle};

    std::uint64_t size = 0;
    if (const int error = files.Size(handle, size)) return ReadFailure(FileStep::Size, error);
    if (size > limit && longer == LongerFile::Refuse) return ReadFailure(FileStep::Allocate, EFBIG, size);

    FileBytesResult result;
    result.storedSize = size;
    if (access != FileAccess::Read && size > 0 && size <= limit) {
        const std::uint8_t* data = nullptr;
        const auto pages = access == FileAccess::MapWhereAllowed ? FileSystem::Pages::AtOnce : FileSystem::Pages::AsTouched;
        if (files.Map(handle, size, pages, data) == 0) {
            result.mapping = std::make_shared<const FileMapping>(files, data, static_cast<std::size_t>(size));
            result.ok = true;
            return result;
        }
    }
    try {
        const auto wanted = static_cast<std::size_t>(size < limit ? size : limit);
        ReserveLargeBuffer(result.bytes, wanted);
        result.bytes.resize(wanted);
    } catch (const std::bad_alloc&) {
        return ReadFailure(FileStep::Allocate, ENOMEM, size);
    }
    std::size_t total = 0;
    while (total < result.bytes.size()) {
        std::size_t got = 0;
        if (const int error = files.Read(handle, std::span(result.bytes).subspan(total), got))
            return ReadFailure(FileStep::Read, error, size);
        if (got == 0) break;  // the file shrank since its size was taken
        total += got;
    }
    result.bytes.resize(total);
    result.ok = true;
    return result;
}

void ReserveLargeBuffer(std::vector<std::uint8_t>& buffer, std::size_t n) {
    constexpr std::size_t kLarge = std::size_t(8) << 20;
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    if (n < kLarge || buffer.capacity() >= n) return;
    buffer.reserve(n);  // a block this large is mapped fresh and not yet touched
#ifdef MADV_HUGEPAGE
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (begin + kHugePage - 1) / kHugePage * kHugePage;
    const std::uintptr_t last = (begin + n) / kHugePage * kHugePage;
    if (last > first) (void)::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

std::string AbsolutePathOf(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

WriteResult WriteFileAtomically(FileSystem& files, const std::filesystem::path& target,
                                std::span<const std::uint8_t> bytes, unsigned newMode) {
    return WriteFileAtomically(files, target, WholeBytes(bytes), newMode);
}

ByteSource WholeBytes(std::span<const std::uint8_t> bytes) {
    return [bytes, given = false]() mutable {
        const bool first = !given;
        given = true;
        return first ? bytes : std::span<const std::uint8_t>();
    };
}

WriteResult WriteFileAtomically(FileSystem& files, const std::filesystem::path& target, const ByteSource& pieces,
                                unsigned newMode) {
    // Through a symbolic link the write replaces the file it points at, beside that file, and
    // the link stays a link.
    std::filesystem::path file;
    if (const int error = files.ResolveLinks(target, file)) return WriteFailure(FileStep::Open, error);
    FileSystem::Handle handle = -1;
    std::filesystem::path temp;
    if (const int error = files.CreateTemp(file, newMode, handle, temp)) return WriteFailure(FileStep::Open, error);

    // Undoes everything done so far; the target has not been touched yet.
    bool open = true;
    auto abandon = [&](FileStep step, int error) {
        if (open) files.Close(handle);
        files.Remove(temp);
        return WriteFailure(step, error);
    };

    for (std::span<const std::uint8_t> bytes = pieces(); !bytes.empty(); bytes = pieces()) {
        while (!bytes.empty()) {
            std::size_t put = 0;
            const int error = files.Write(handle, bytes, put);
            if (error != 0 || put == 0) return abandon(FileStep::Write, error != 0 ? error : ENOSPC);
            bytes = bytes.subspan(put < bytes.size() ? put : bytes.size());
        }
    }
    if (const int error = files.Flush(handle)) return abandon(FileStep::Flush, error);
    // Some file systems report a failed write only when the file is closed.
    const int closeError = files.Close(handle);
    open = false;
    if (closeError) return abandon(FileStep::Close, closeError);
    if (const int error = files.Rename(temp, file)) return abandon(FileStep::Rename, error);

    // The new file is in place at this point; syncing the folder only makes the rename survive
    // a power cut sooner, and some file systems refuse it, so its result is ignored.
    files.FlushFolder(file.parent_path());
    return {};
}

}  // namespace rastrix
