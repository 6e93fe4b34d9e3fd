// One scaling job as a whole process, for bench/scale_vs_peers.sh: reads a picture, scales it
// with the core's DecodeScaled and writes a BMP with the same encoders the program uses.
//   scale_job_bench IN OUT WIDTHxHEIGHT fit|cover|scale lanczos|nearest 16|16:555|32|24
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "codec/BmpDirectWriter.h"
#include "codec/FileRead.h"
#include "codec/ScaledPicture.h"
#include "store/FileSystem.h"

using namespace rastrix;

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s IN OUT WxH fit|cover|scale lanczos|nearest 16|16:555|32|24\n", argv[0]);
        return 2;
    }
    // Mapped as rastrix-batch maps its inputs.
    const FileBytesResult in = MapWholeFileAsTouched(PosixFileSystem(), argv[1]);
    if (!in) return 1;
    const std::span<const std::uint8_t> bytes = in.View();
    ScaleTarget target;
    if (std::sscanf(argv[3], "%dx%d", &target.width, &target.height) != 2) return 2;
    const std::string fit = argv[4], filter = argv[5], depth = argv[6];
    target.fit = fit == "cover" ? ScaleFit::Cover : fit == "scale" ? ScaleFit::Exact : ScaleFit::Fit;
    target.filter = filter == "nearest" ? ScaleFilter::Nearest : ScaleFilter::Lanczos;
    PictureOptions options;
    options.keepAlpha = depth == "32";
    const BmpReadResult r = DecodeScaled(bytes, target, options);
    if (!r.image) {
        std::fprintf(stderr, "%s: %s\n", argv[1], std::string(r.Message()).c_str());
        return 1;
    }
    std::vector<std::uint8_t> buffer;
    BmpFileBytes file;
    if (depth == "24") {
        file = EncodeBmpPieces(r.image->bitmap, 24, {}, buffer);
    } else {
        const DirectDepth d = depth == "32" ? DirectDepth::Bgra32 : depth == "16:555" ? DirectDepth::Rgb555 : DirectDepth::Rgb565;
        file = EncodeBmpDirect(r.image->bitmap, d, r.image->alpha ? &*r.image->alpha : nullptr, options.background, buffer);
    }
    if (file.status != EncodeStatus::Ok) return 1;
    std::ofstream out(argv[2], std::ios::binary);
    for (auto piece = file.pieces(); !piece.empty(); piece = file.pieces())
        out.write(reinterpret_cast<const char*>(piece.data()), std::streamsize(piece.size()));
    return out ? 0 : 1;
}
