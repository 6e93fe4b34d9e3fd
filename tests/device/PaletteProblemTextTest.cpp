// The words of every colour and palette-file problem, exactly as rastrix-batch prints them
// inside its lines and the editor shows them as sentences.
#include "device/PaletteProblemText.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace rastrix {
namespace {

struct WordsCase {
    const char* label;
    std::string clause;    // the words made as a clause
    std::string sentence;  // and as a sentence
    std::string expected;  // the clause expected; the sentence is it with a capital and a full stop
};

void PrintTo(const WordsCase& c, std::ostream* os) { *os << c.label; }

template <class Problem>
WordsCase Words(const char* label, const Problem& problem, std::string expected) {
    return {label, PaletteProblemText(problem), PaletteProblemText(problem, Wording::Sentence), std::move(expected)};
}

class PaletteProblemWords : public ::testing::TestWithParam<WordsCase> {};

TEST_P(PaletteProblemWords, AreTheClauseAndItsSentence) {
    const WordsCase& c = GetParam();
    EXPECT_EQ(c.clause, c.expected);
    std::string sentence = c.expected;
    if (sentence.front() >= 'a' && sentence.front() <= 'z') sentence.front() = char(sentence.front() - 'a' + 'A');
    if (sentence.back() != '.') sentence += '.';
    EXPECT_EQ(c.sentence, sentence);
}

using F = PaletteFileProblem::Kind;
using M = MapProblem::Kind;
using O = OptimisedPaletteProblem::Kind;

INSTANTIATE_TEST_SUITE_P(
    Problems, PaletteProblemWords,
    ::testing::Values(
        Words("MapPaletteSize", MapProblem{M::PaletteSize, 0, -1, {1, 256}}, "a palette needs from 1 to 256 colours"),
        Words("MapThresholdColors", MapProblem{M::ThresholdColors, 4, 50, {}}, "a threshold needs a palette of two colours"),
        Words("MapThresholdRange", MapProblem{M::ThresholdRange, 2, 101, {0, 100}}, "a threshold is a share from 0% to 100%"),
        Words("MapThresholdDither", MapProblem{M::ThresholdDither, 2, 50, {}}, "a threshold and dithering cannot be used together"),
        Words("MapNoMemory", MapProblem{M::NoMemory, 2, -1, {}}, "there is not enough memory to map the image to the palette"),
        Words("OptimisedCount", OptimisedPaletteProblem{O::ColorCount, 1, {2, 256}}, "an optimised palette needs from 2 to 256 colours"),
        Words("OptimisedEmpty", OptimisedPaletteProblem{O::EmptyImage, 16, {}}, "an empty image has no colours to choose a palette from"),
        Words("OptimisedNoMemory", OptimisedPaletteProblem{O::NoMemory, 16, {}}, "there is not enough memory to choose a palette"),
        Words("OptimisedCountRefused", OptimisedPaletteProblem{O::CountRefused, 16, {}}, "the quantiser refused the number of colours"),
        Words("OptimisedImageRefused", OptimisedPaletteProblem{O::ImageRefused, 16, {}}, "the quantiser refused the image"),
        Words("OptimisedNotChosen", OptimisedPaletteProblem{O::NotChosen, 16, {}}, "the quantiser could not choose a palette for the image"),
        Words("FileUnread", PaletteFileProblem{.kind = F::Unread, .failure = {FileStep::Open, EACCES}}, "open: Permission denied"),
        Words("FileReaderFailed", PaletteFileProblem{.kind = F::ReaderFailed, .text = "stopped by a signal"}, "stopped by a signal"),
        Words("FileTooLarge", PaletteFileProblem{.kind = F::TooLarge, .limit = 64 * 1024},
              "the palette file is larger than 64 KiB; a text palette is one colour a line"),
        Words("FileBmp", PaletteFileProblem{.kind = F::Bmp, .bmpError = BmpError::TruncatedColorTable},
              "The file ends inside its colour table."),
        Words("FileNoColorTable", PaletteFileProblem{.kind = F::NoColorTable},
              "the BMP file has no colour table (only files of 1, 2, 4 or 8 bits have one)"),
        Words("FileNoFormat", PaletteFileProblem{.kind = F::NoFormat}, "the palette file is neither a BMP file, an Adobe colour table nor text"),
        Words("FileActLength", PaletteFileProblem{.kind = F::ActLength}, "an Adobe colour table is 768 or 772 bytes long"),
        Words("FileActCount", PaletteFileProblem{.kind = F::ActCount, .count = 999, .limit = 256},
              "the Adobe colour table says it holds 999 colours; 1 to 256 can be used"),
        Words("FileNotHexColor", PaletteFileProblem{.kind = F::NotHexColor, .line = 7, .text = "red"},
              "line 7 is not a colour of the form #RRGGBB (or RRGGBB): 'red'"),
        Words("FileTooManyColors", PaletteFileProblem{.kind = F::TooManyColors, .line = 300, .limit = 256},
              "line 300 is colour 257; a palette holds at most 256"),
        Words("FileNoHexColors", PaletteFileProblem{.kind = F::NoHexColors}, "the palette file holds no colour lines (#RRGGBB)"),
        Words("FileJascFirstLine", PaletteFileProblem{.kind = F::JascHeader, .line = 1}, "line 1 of a JASC-PAL file must be 'JASC-PAL'"),
        Words("FileJascSecondLine", PaletteFileProblem{.kind = F::JascHeader, .line = 2}, "line 2 of a JASC-PAL file must be '0100'"),
        Words("FileJascCount", PaletteFileProblem{.kind = F::JascCount, .line = 3, .text = "many", .limit = 256},
              "line 3 of a JASC-PAL file must be its number of colours, 1 to 256: 'many'"),
        Words("FileNotJascColor", PaletteFileProblem{.kind = F::NotJascColor, .line = 9, .text = "1 2"},
              "line 9 is not a colour of the form 'red green blue' (0 to 255): '1 2'"),
        Words("FileJascMoreColors", PaletteFileProblem{.kind = F::JascMoreColors, .line = 8, .count = 4},
              "line 8 is colour 5, but line 3 says the file holds 4"),
        Words("FileJascFewerColors", PaletteFileProblem{.kind = F::JascFewerColors, .count = 4, .held = 3},
              "the JASC-PAL file holds 3 colours, but line 3 says 4"),
        Words("FileGimpHeader", PaletteFileProblem{.kind = F::GimpHeader, .line = 1}, "line 1 of a GIMP palette must be 'GIMP Palette'"),
        Words("FileNotGimpColor", PaletteFileProblem{.kind = F::NotGimpColor, .line = 2, .text = "x"},
              "line 2 is not a colour of the form 'red green blue name' (0 to 255): 'x'"),
        Words("FileNoGimpColors", PaletteFileProblem{.kind = F::NoGimpColors}, "the GIMP palette holds no colours"),
        Words("NameOptimisedCount", PaletteNameProblem{PaletteNameProblem::Kind::OptimisedCount, "optimised:1", {2, 256}},
              "an optimised palette needs a number of colours from 2 to 256, as in optimised:16"),
        Words("NameUnknown", PaletteNameProblem{PaletteNameProblem::Kind::Unknown, "grey5", {}},
              "unknown palette 'grey5'; known: bw, grey4, grey16, basic16, epaper7, bwr, bwy, optimised:N (N from 2 to 256), or a palette file"),
        Words("NeitherNameNorFile",
              PaletteOrFile{{{}, 0, {PaletteNameProblem::Kind::Unknown, "inks.pal", {}}},
                            {.kind = F::JascFewerColors, .count = 3, .held = 1}},
              "'inks.pal' is neither a palette (bw, grey4, grey16, basic16, epaper7, bwr, bwy, optimised:N (N from 2 to 256)) "
              "nor a palette file: the JASC-PAL file holds 1 colour, but line 3 says 3")),
    [](const auto& info) { return std::string(info.param.label); });

// No problem, no words (the editor passes an optimised palette's words on as they are).
TEST(PaletteProblemWords, NoneHasNoWords) {
    EXPECT_EQ(PaletteProblemText(MapProblem{}), "");
    EXPECT_EQ(PaletteProblemText(OptimisedPaletteProblem{}, Wording::Sentence), "");
    EXPECT_EQ(PaletteProblemText(PaletteFileProblem{}, Wording::Sentence), "");
    EXPECT_EQ(PaletteProblemText(PaletteOrFile{}), "");
}

}  // namespace
}  // namespace rastrix
