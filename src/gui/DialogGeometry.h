#pragma once
#include <cstddef>

#include "editor/DialogModel.h"

namespace rastrix::gui {

// Which controls of a template belong together, read from where they stand: the templates
// list labels and fields in any order, so position is what ties them.

// The static text that labels a field: the nearest text on the field's row to its left, or
// failing that the nearest text just above it (a line of text apart at most). -1 when there is none.
int LabelOf(const DialogTemplate& t, std::size_t field);

// The edit field a pair of arrows stands beside: the nearest edit on the arrows' row. -1 when
// there is none.
int FieldBeside(const DialogTemplate& t, std::size_t arrows);

}  // namespace rastrix::gui
