#include "batch/BatchExamples.h"

namespace rastrix::batch {

namespace {

// No example writes over its inputs with a step that loses anything: the one that works in
// place only turns the pictures.
constexpr BatchExample kExamples[] = {
    {"epaper-drawings",
     "Anti-aliased black-and-white drawings (1024 x 600 PNG) as clean 1-bit BMPs for an 800 x 480 e-paper panel: "
     "scaled to fit, every pixel black or white by its lightness, black always index 0",
     "rastrix-batch --fit 800x480 --palette bw --threshold 50% --out-dir epaper/ drawings/*.png"},
    {"epaper-photos",
     "Photos for a 7-colour e-paper panel: turned upright, the panel's inks as the colour table in its order "
     "(black, white, green, blue, red, yellow, orange), dithered",
     "rastrix-batch --fit 800x480 --palette epaper7 --dither fs --out-dir panel/ photos/*.jpg"},
    {"epaper-photos-24",
     "The same for a reader that takes 24-bit files only (Waveshare's 7-colour examples): every pixel one of the "
     "seven inks, written as colours",
     "rastrix-batch --fit 800x480 --palette epaper7 --dither fs --depth 24 --out-dir panel24/ photos/*.jpg"},
    {"tft-photos",
     "Photos for a 320 x 240 TFT screen: turned upright, scaled to fit with black bars (nothing cut off), written as "
     "16-bit 5-6-5 files with the bit-field masks small readers need; a JPEG much larger than the screen is decoded "
     "reduced on the way (--cover fills the screen and crops instead)",
     "rastrix-batch -B 0,0,0 --fit 320x240 --depth 16 --out-dir tft/ photos/*.jpg"},
    {"icons",
     "Logos with transparency as 64 x 64 32-bit files that keep it (at every other depth transparent pixels are laid "
     "on white, or on the first --background given)",
     "rastrix-batch --fit 64x64 --depth 32 --out-dir icons/ logos/*.png"},
    {"eight-bit-copies",
     "8-bit copies of pictures for a 256-colour screen, each with the 256 colours that suit it best, dithered; the "
     "originals stay as they are",
     "rastrix-batch --palette optimised:256 --dither fs --out-dir assets-8bit/ assets/*.bmp"},
    {"trim-scans",
     "Trim the plain border of every scan in a folder (see what Mark Border takes for a border: a near-uniform "
     "band of the picture at an edge goes too)",
     "find scans -name '*.bmp' | rastrix-batch --files-from - --mark-border --crop --out-dir trimmed/"},
    {"turn-in-place",
     "Turn scans that were stored lying on their side a quarter to the right, in place, keeping their names and "
     "depths (a turn loses nothing)",
     "rastrix-batch --in-place -r 90 sideways/*.bmp"},
    {"orange-ellipse",
     "An orange ellipse on a picture, turned a quarter to the right, written to another file",
     "rastrix-batch -F '#FF8000' --select 10,10,200,120 --shape ellipse --fill solid -r 90 -o out.bmp in.bmp"},
};

}  // namespace

std::span<const BatchExample> BatchExamples() { return kExamples; }

}  // namespace rastrix::batch
