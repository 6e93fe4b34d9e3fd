#include "codec/OptimisedPalette.h"

#include <libimagequant.h>

#include <memory>

namespace rastrix {

namespace {

struct AttrDeleter {
    void operator()(liq_attr* a) const { liq_attr_destroy(a); }
};
struct ImageDeleter {
    void operator()(liq_image* i) const { liq_image_destroy(i); }
};
struct ResultDeleter {
    void operator()(liq_result* r) const { liq_result_destroy(r); }
};

// The quantiser asks for rows of RGBA on demand, so the image is never copied whole.
void RowOfImage(liq_color rowOut[], int row, int width, void* user) {
    const Pixel* src = static_cast<const Bitmap*>(user)->Row(row);
    for (int x = 0; x < width; ++x) {
        const Pixel p = src[x];
        rowOut[x] = liq_color{static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                              static_cast<unsigned char>(p), 255};
    }
}

OptimisedPaletteResult Failure(const char* why) { return {{}, why}; }

}  // namespace

OptimisedPaletteResult MakeOptimisedPalette(const Bitmap& image, int colours) {
    if (colours < 2 || colours > kMaxPaletteColours)
        return Failure("an optimised palette needs from 2 to 256 colours");
    if (image.IsEmpty()) return Failure("an empty image has no colours to choose a palette from");
    std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
    if (!attr) return Failure("there is not enough memory to choose a palette");
    if (liq_set_max_colors(attr.get(), colours) != LIQ_OK) return Failure("the quantiser refused the number of colours");
    // The quantiser only reads through the callback; the cast drops no promise it could break.
    std::unique_ptr<liq_image, ImageDeleter> input(liq_image_create_custom(
        attr.get(), RowOfImage, const_cast<Bitmap*>(&image), image.Width(), image.Height(), 0));
    if (!input) return Failure("the quantiser refused the image");
    liq_result* raw = nullptr;
    if (liq_image_quantize(input.get(), attr.get(), &raw) != LIQ_OK || !raw)
        return Failure("the quantiser could not choose a palette for the image");
    std::unique_ptr<liq_result, ResultDeleter> result(raw);
    const liq_palette* pal = liq_get_palette(result.get());
    OptimisedPaletteResult out;
    for (unsigned i = 0; i < pal->count && i < unsigned(kMaxPaletteColours); ++i) {
        const liq_color& c = pal->entries[i];
        out.colours.push_back(std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | std::uint32_t(c.b));
    }
    return out;
}

}  // namespace rastrix
