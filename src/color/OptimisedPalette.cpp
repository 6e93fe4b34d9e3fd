#include "color/OptimisedPalette.h"

#include <dlfcn.h>
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

// Rows of RGBA are handed over on demand, so the image is never copied. The quantiser is shown
// every pixel: a detail of a colour of its own one pixel wide (a line, a dot of text) is lost
// when only every second row and column are seen.
void RowOfImage(liq_color rowOut[], int row, int width, void* user) {
    const Pixel* src = static_cast<const Bitmap*>(user)->Row(row);
    for (int x = 0; x < width; ++x) {
        const Pixel p = src[x];
        rowOut[x] = liq_color{RedOf(p), GreenOf(p), BlueOf(p), 255};
    }
}

// Debian's libimagequant runs its loops on OpenMP threads. One thread (for the calling thread
// only): the palette is then the same on every machine whatever its cores, and a busy machine
// is not slowed further by threads waiting for each other.
void UseOneQuantiserThread() {
    using SetThreads = void (*)(int);
    if (auto set = reinterpret_cast<SetThreads>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"))) set(1);
}

}  // namespace

OptimisedPaletteResult MakeOptimisedPalette(const Bitmap& image, int colors) {
    using Kind = OptimisedPaletteProblem::Kind;
    const auto Failure = [colors](Kind kind) {
        return OptimisedPaletteResult{{}, {kind, colors, kind == Kind::ColorCount ? kOptimisedColorLimits : Limits{}}};
    };
    if (!kOptimisedColorLimits.Hold(colors)) return Failure(Kind::ColorCount);
    if (image.IsEmpty()) return Failure(Kind::EmptyImage);
    std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
    if (!attr) return Failure(Kind::NoMemory);
    if (liq_set_max_colors(attr.get(), colors) != LIQ_OK) return Failure(Kind::CountRefused);
    UseOneQuantiserThread();
    // The callback only reads the image.
    std::unique_ptr<liq_image, ImageDeleter> input(liq_image_create_custom(
        attr.get(), RowOfImage, const_cast<Bitmap*>(&image), image.Width(), image.Height(), 0));
    if (!input) return Failure(Kind::ImageRefused);
    liq_result* raw = nullptr;
    if (liq_image_quantize(input.get(), attr.get(), &raw) != LIQ_OK || !raw)
        return Failure(Kind::NotChosen);
    std::unique_ptr<liq_result, ResultDeleter> result(raw);
    const liq_palette* pal = liq_get_palette(result.get());
    OptimisedPaletteResult out;
    for (unsigned i = 0; i < pal->count && i < unsigned(kMaxPaletteColors); ++i) {
        const liq_color& c = pal->entries[i];
        out.colors.push_back(PixelFromRgb(c.r, c.g, c.b));
    }
    return out;
}

}  // namespace rastrix
