#pragma once
#include <cstdint>
#include <string>

#include "codec/PaletteFile.h"
#include "color/OptimisedPalette.h"
#include "color/PaletteMapping.h"

namespace rastrix {

// The words for the colour layer's and the palette files' problems. They are worded here, in
// the lowest layer that words them (a device file's reasons take them in), once for both front
// ends: rastrix-batch puts the clause inside its own lines, the editor's message boxes show it
// as a sentence of its own.
enum class Wording : std::uint8_t {
    Clause,    // "line 3 is not a colour ...": within a longer line
    Sentence,  // "Line 3 is not a colour ... .": first letter raised, a full stop after it
};

std::string PaletteProblemText(const PaletteNameProblem& problem, Wording wording = Wording::Clause);
std::string PaletteProblemText(const PaletteFileProblem& problem, Wording wording = Wording::Clause);
// The file's problem when there is one ("'x' is neither a palette (...) nor a palette file: ..."),
// else the name's.
std::string PaletteProblemText(const PaletteOrFile& named, Wording wording = Wording::Clause);
std::string PaletteProblemText(const OptimisedPaletteProblem& problem, Wording wording = Wording::Clause);
std::string PaletteProblemText(const MapProblem& problem, Wording wording = Wording::Clause);

}  // namespace rastrix
