#include "draw/DrawCommands.h"

#include "draw/Colors.h"
#include "draw/ShapeFills.h"
#include "draw/StyleDialogs.h"
#include "editor/CommandIds.h"

namespace rastrix {
namespace {

template <FillKind Kind>
Availability Offered(const Editor& ed) {
    return FillRule(ed, Kind);
}

template <FillKind Kind>
void Filled(Editor& ed) {
    RunFill(ed, Kind);
}

template <FillKind Kind>
constexpr Command FillCommand() {
    return {FillCommandOf(Kind), nullptr, nullptr, nullptr, Filled<Kind>, Offered<Kind>};
}

const Command kCommands[] = {
    {CommandId::SetForegroundColor, nullptr, nullptr, nullptr,
     RunMember<ChooseCurrentColor, CommandId::SetForegroundColor>},
    {CommandId::SetBackgroundColor, nullptr, nullptr, nullptr,
     RunMember<ChooseCurrentColor, CommandId::SetBackgroundColor>},
    {CommandId::SetLineStyle, nullptr, nullptr, nullptr, SetLineStyle},
    {CommandId::SetFillStyle, nullptr, nullptr, nullptr, SetFillStyle},
    FillCommand<FillKind::Line>(),
    FillCommand<FillKind::Solid>(),
    FillCommand<FillKind::TwoColor>(),
    FillCommand<FillKind::Interior>(),
    FillCommand<FillKind::Exterior>(),
};

}  // namespace

CommandList DrawCommands() { return kCommands; }

}  // namespace rastrix
