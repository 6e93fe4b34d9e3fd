// The C header and X bitmap texts: written to compile warning-free as C and C++
// (gcc -Wall -Wextra -pedantic), with one array a plane.
#include <cstdio>

#include "device/DeviceContainer.h"

namespace rastrix {

namespace {

std::string Upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return u;
}

// Values of `bytes` each `wordBytes` long (read low byte first) as hex, `perLine` to a line,
// each line starting with `indent`; commas between them, and after the last with `lastComma`.
std::string HexLines(std::span<const std::uint8_t> bytes, int wordBytes, int perLine, std::string_view indent,
                     bool lastComma) {
    std::string out;
    const std::size_t count = bytes.size() / std::size_t(wordBytes);
    out.reserve(count * std::size_t(4 + 2 * wordBytes) + count / std::size_t(perLine) * indent.size());
    char text[16];
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t v = 0;
        for (int b = wordBytes - 1; b >= 0; --b) v = v << 8 | bytes[i * std::size_t(wordBytes) + std::size_t(b)];
        if (i % std::size_t(perLine) == 0) out += indent;
        const int n = std::snprintf(text, sizeof text, "0x%0*x", 2 * wordBytes, unsigned(v));
        out.append(text, std::size_t(n));
        const bool last = i + 1 == count;
        if (!last || lastComma) out += ',';
        out += (last || (i + 1) % std::size_t(perLine) == 0) ? '\n' : ' ';
    }
    return out;
}

std::string_view ElementType(int wordBytes) {
    return wordBytes == 4 ? "uint32_t" : wordBytes == 2 ? "uint16_t" : "uint8_t";
}

int PerLine(int wordBytes) { return wordBytes == 4 ? 8 : wordBytes == 2 ? 12 : 16; }

// Text that stays inside a comment: no "*/" to end it, no "/*" that -Wcomment warns of.
std::string InComment(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        const bool pair = i + 1 < text.size() && ((text[i] == '*' && text[i + 1] == '/') || (text[i] == '/' && text[i + 1] == '*'));
        if (pair) out += ' ';
    }
    return out;
}

}  // namespace

std::string CSourceText(const PackedImage& packed, const CSourceNotes& notes) {
    const std::string macro = Upper(notes.name);
    const std::string attribute = notes.progmem ? " PROGMEM" : "";
    std::string out = "/* " + notes.name + ": " + std::to_string(packed.width) + " x " + std::to_string(packed.height) +
                      " pixels, " + std::to_string(packed.bytes.size()) + " bytes.\n * Layout " + notes.layoutText + ".\n";
    if (!notes.valuesText.empty()) out += " * " + InComment(notes.valuesText) + "\n";
    if (!notes.function.empty()) out += " * For " + InComment(notes.function) + "\n";
    out += " * Made by Rastrix. */\n#ifndef " + macro + "_H\n#define " + macro + "_H\n\n#include <stdint.h>\n";
    if (notes.progmem)
        out += "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#elif !defined(PROGMEM)\n#define PROGMEM\n#endif\n";
    out += "\n#define " + macro + "_WIDTH " + std::to_string(packed.width) + "\n#define " + macro + "_HEIGHT " +
           std::to_string(packed.height) + "\n";
    if (!notes.palette.empty()) {
        out += "\n/* The colours the indexes stand for, 0xRRGGBB. */\nconst uint32_t " + notes.name + "_palette[" +
               std::to_string(notes.palette.size()) + "]" + attribute + " = {\n";
        std::vector<std::uint8_t> words;
        for (const Pixel p : notes.palette)
            for (int b = 0; b < 4; ++b) words.push_back(std::uint8_t(ValueOf(p) >> (8 * b)));
        for (std::size_t b = 3; b < words.size(); b += 4) words[b] = 0;
        out += HexLines(words, 4, PerLine(4), "    ", true) + "};\n";
    }
    for (const PackedPlane& plane : packed.planes) {
        const std::size_t count = plane.size / std::size_t(plane.wordBytes);
        out += "\nconst " + std::string(ElementType(plane.wordBytes)) + " " + notes.name + std::string(plane.suffix) + "[" +
               std::to_string(count) + "]" + attribute + " = {\n";
        out += HexLines(std::span(packed.bytes).subspan(plane.offset, plane.size), plane.wordBytes, PerLine(plane.wordBytes),
                        "    ", true);
        out += "};\n";
    }
    out += "\n#endif\n";
    return out;
}

std::string XbmText(const PackedImage& packed, std::string_view name) {
    const std::string n(name);
    std::string out = "#define " + n + "_width " + std::to_string(packed.width) + "\n#define " + n + "_height " +
                      std::to_string(packed.height) + "\nstatic const unsigned char " + n + "_bits[] = {\n";
    out += HexLines(packed.bytes, 1, 12, "   ", false);
    out += "};\n";
    return out;
}

}  // namespace rastrix
