// The PNG decoder's own time, for bench/scale_vs_peers.sh: one file's image data inflated and
// unfiltered row by row in the file's own sample format (no conversion, nothing kept or written),
// the file mapped as rastrix-batch maps it. Prints the rows decoded.
//   png_inflate FILE.png
#include <fcntl.h>
#include <spng.h>
#include <sys/mman.h>
#include <sys/stat.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: png_inflate FILE.png\n");
        return 2;
    }
    const int fd = open(argv[1], O_RDONLY);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || info.st_size <= 0) {
        std::perror(argv[1]);
        return 1;
    }
    const auto size = std::size_t(info.st_size);
    void* bytes = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (bytes == MAP_FAILED) {
        std::perror(argv[1]);
        return 1;
    }
    spng_ctx* ctx = spng_ctx_new(0);
    std::size_t rowBytes = 0;
    if (!ctx || spng_set_png_buffer(ctx, bytes, size) != 0 ||
        spng_decoded_image_size(ctx, SPNG_FMT_PNG, &rowBytes) != 0 ||
        spng_decode_image(ctx, nullptr, 0, SPNG_FMT_PNG, SPNG_DECODE_PROGRESSIVE) != 0) {
        std::fprintf(stderr, "%s: not a PNG spng decodes\n", argv[1]);
        return 1;
    }
    spng_ihdr ihdr{};
    spng_get_ihdr(ctx, &ihdr);
    rowBytes /= ihdr.height;
    std::vector<unsigned char> row(rowBytes);
    long rows = 0;
    for (int e = 0; e == 0; ++rows) {
        e = spng_decode_row(ctx, row.data(), row.size());
        if (e != 0 && e != SPNG_EOI) {
            std::fprintf(stderr, "%s: %s\n", argv[1], spng_strerror(e));
            return 1;
        }
    }
    spng_ctx_free(ctx);
    std::printf("%ld rows\n", rows);
    return 0;
}
