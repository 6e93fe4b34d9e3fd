// The scaling libraries we looked at before writing our own, on the same decoded picture in
// memory: our ScaleBitmap (Lanczos-3), libswscale's SWS_LANCZOS and stb_image_resize (its
// default filter; it has no Lanczos). Times one call each, three times, and gives each result's
// mean absolute difference from ours. Not part of the build (it needs libswscale-dev and
// libstb-dev, which the program does not use); from the repository root:
//   g++ -O3 -std=c++20 -Isrc -Itests bench/scale_libraries.cpp src/raster/*.cpp src/codec/PngDecoder.cpp \
//       -o /tmp/scale_libraries -lswscale -lavutil -lspng && /tmp/scale_libraries photo.png
extern "C" {
#include <libswscale/swscale.h>
}
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "codec/PngDecoder.h"
#include "raster/Scale.h"
#include "support/RandomPicture.h"

using namespace rastrix;

namespace {

double Since(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

double MeanDifference(const Bitmap& a, const Bitmap& b) { return testing::Difference(a, b).mean; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const BmpReadResult decoded = DecodePng(bytes);
    if (!decoded.image) return 1;
    const Bitmap& src = decoded.image->bitmap;
    const int w = src.Width(), h = src.Height();
    for (auto [ow, oh] : {std::pair{800, 480}, {2000, 1500}})
        for (int round = 0; round < 3; ++round) {
            auto t = std::chrono::steady_clock::now();
            const auto ours = ScaleBitmap(src, ow, oh, ScaleFit::Exact, ScaleFilter::Lanczos);
            const double oursMs = Since(t);

            Bitmap sws(ow, oh), stb(ow, oh);
            t = std::chrono::steady_clock::now();
            SwsContext* c = sws_getContext(w, h, AV_PIX_FMT_BGR0, ow, oh, AV_PIX_FMT_BGR0,
                                           SWS_LANCZOS | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
            const std::uint8_t* srcPlanes[1] = {reinterpret_cast<const std::uint8_t*>(src.Data())};
            const int srcStrides[1] = {w * 4};
            std::uint8_t* dstPlanes[1] = {reinterpret_cast<std::uint8_t*>(sws.Data())};
            const int dstStrides[1] = {ow * 4};
            sws_scale(c, srcPlanes, srcStrides, 0, h, dstPlanes, dstStrides);
            sws_freeContext(c);
            const double swsMs = Since(t);

            t = std::chrono::steady_clock::now();
            stbir_resize_uint8_generic(reinterpret_cast<const unsigned char*>(src.Data()), w, h, w * 4,
                                       reinterpret_cast<unsigned char*>(stb.Data()), ow, oh, ow * 4, 4,
                                       STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_DEFAULT,
                                       STBIR_COLORSPACE_SRGB, nullptr);
            const double stbMs = Since(t);
            for (Bitmap* b : {&sws, &stb})
                for (int i = 0; i < ow * oh; ++i) b->Data()[i] = ClearTopByte(b->Data()[i]);
            std::printf("%dx%d -> %dx%d: ours %.0f ms | libswscale Lanczos %.0f ms, %.2f levels from ours | "
                        "stb_image_resize %.0f ms, %.2f levels from ours\n",
                        w, h, ow, oh, oursMs, swsMs, MeanDifference(sws, *ours), stbMs, MeanDifference(stb, *ours));
        }
}
