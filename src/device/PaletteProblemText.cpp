#include "device/PaletteProblemText.h"

namespace rastrix {

namespace {

std::string Worded(std::string clause, Wording wording) {
    if (wording == Wording::Clause || clause.empty()) return clause;
    if (clause.front() >= 'a' && clause.front() <= 'z') clause.front() = char(clause.front() - 'a' + 'A');
    if (clause.back() != '.') clause += '.';  // a BMP reader's reason is a sentence already
    return clause;
}

std::string N(std::size_t n) { return std::to_string(n); }

// A line of a palette file as the message shows it: quoted, its first 40 characters.
std::string Quoted(const std::string& line) { return "'" + line.substr(0, 40) + "'"; }

std::string FileClause(const PaletteFileProblem& p) {
    using Kind = PaletteFileProblem::Kind;
    const std::string line = "line " + std::to_string(p.line);
    switch (p.kind) {
        case Kind::None: break;
        case Kind::Unread: return Describe(p.failure);
        case Kind::ReaderFailed: return p.text;
        case Kind::TooLarge:
            return "the palette file is larger than " + N(p.limit / 1024) + " KiB; a text palette is one colour a line";
        case Kind::Bmp: return std::string(BmpErrorMessage(p.bmpError));
        case Kind::NoColorTable: return "the BMP file has no colour table (only files of 1, 2, 4 or 8 bits have one)";
        case Kind::NoFormat: return "the palette file is neither a BMP file, an Adobe colour table nor text";
        case Kind::ActLength: return "an Adobe colour table is 768 or 772 bytes long";
        case Kind::ActCount:
            return "the Adobe colour table says it holds " + N(p.count) + " colours; 1 to " + N(p.limit) + " can be used";
        case Kind::NotHexColor: return line + " is not a colour of the form #RRGGBB (or RRGGBB): " + Quoted(p.text);
        case Kind::TooManyColors: return line + " is colour " + N(p.limit + 1) + "; a palette holds at most " + N(p.limit);
        case Kind::NoHexColors: return "the palette file holds no colour lines (#RRGGBB)";
        case Kind::JascHeader: return line + " of a JASC-PAL file must be " + (p.line == 1 ? "'JASC-PAL'" : "'0100'");
        case Kind::JascCount:
            return line + " of a JASC-PAL file must be its number of colours, 1 to " + N(p.limit) + ": " + Quoted(p.text);
        case Kind::NotJascColor: return line + " is not a colour of the form 'red green blue' (0 to 255): " + Quoted(p.text);
        case Kind::JascMoreColors:
            return line + " is colour " + N(p.count + 1) + ", but line 3 says the file holds " + N(p.count);
        case Kind::JascFewerColors:
            return "the JASC-PAL file holds " + N(p.held) + (p.held == 1 ? " colour" : " colours") + ", but line 3 says " + N(p.count);
        case Kind::GimpHeader: return "line 1 of a GIMP palette must be 'GIMP Palette'";
        case Kind::NotGimpColor:
            return line + " is not a colour of the form 'red green blue name' (0 to 255): " + Quoted(p.text);
        case Kind::NoGimpColors: return "the GIMP palette holds no colours";
    }
    return {};
}

}  // namespace

std::string PaletteProblemText(const PaletteNameProblem& p, Wording wording) {
    switch (p.kind) {
        case PaletteNameProblem::Kind::None: return {};
        case PaletteNameProblem::Kind::OptimisedCount:
            return Worded("an optimised palette needs a number of colours " + FromTo(p.limits) + ", as in optimised:16", wording);
        case PaletteNameProblem::Kind::Unknown:
            return Worded("unknown palette '" + p.name + "'; known: " + std::string(PaletteNames()) + ", or a palette file", wording);
    }
    return {};
}

std::string PaletteProblemText(const PaletteFileProblem& p, Wording wording) { return Worded(FileClause(p), wording); }

std::string PaletteProblemText(const PaletteOrFile& named, Wording wording) {
    if (named.file.kind == PaletteFileProblem::Kind::None) return PaletteProblemText(named.choice.problem, wording);
    return Worded("'" + named.choice.problem.name + "' is neither a palette (" + std::string(PaletteNames()) +
                      ") nor a palette file: " + FileClause(named.file),
                  wording);
}

std::string PaletteProblemText(const OptimisedPaletteProblem& p, Wording wording) {
    using Kind = OptimisedPaletteProblem::Kind;
    switch (p.kind) {
        case Kind::None: return {};
        case Kind::ColorCount: return Worded("an optimised palette needs " + FromTo(p.limits) + " colours", wording);
        case Kind::EmptyImage: return Worded("an empty image has no colours to choose a palette from", wording);
        case Kind::NoMemory: return Worded("there is not enough memory to choose a palette", wording);
        case Kind::CountRefused: return Worded("the quantiser refused the number of colours", wording);
        case Kind::ImageRefused: return Worded("the quantiser refused the image", wording);
        case Kind::NotChosen: return Worded("the quantiser could not choose a palette for the image", wording);
    }
    return {};
}

std::string PaletteProblemText(const MapProblem& p, Wording wording) {
    using Kind = MapProblem::Kind;
    switch (p.kind) {
        case Kind::None: return {};
        case Kind::PaletteSize: return Worded("a palette needs " + FromTo(p.limits) + " colours", wording);
        case Kind::ThresholdColors: return Worded("a threshold needs a palette of two colours", wording);
        case Kind::ThresholdRange: return Worded("a threshold is a share " + FromTo(p.limits, "%"), wording);
        case Kind::ThresholdDither: return Worded("a threshold and dithering cannot be used together", wording);
        case Kind::NoMemory: return Worded("there is not enough memory to map the image to the palette", wording);
    }
    return {};
}

}  // namespace rastrix
