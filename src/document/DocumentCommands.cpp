#include "document/DocumentCommands.h"

#include <array>
#include <utility>

#include "document/ChangeSize.h"
#include "document/Join.h"
#include "document/NewImage.h"
#include "document/OpenFile.h"
#include "document/SaveFile.h"
#include "document/Undo.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "view/EditorView.h"

namespace rastrix {
namespace {

bool Modified(const Editor& ed) { return ed.doc.modified != 0; }
Availability UndoRule(const Editor& ed) {
    return ed.doc.undoDepth > 0 ? kCanRun : Availability{Availability::Kind::NothingToUndo};
}

constexpr std::size_t kFixedCount = 8;

template <std::size_t... K>
constexpr std::array<Command, kFixedCount + sizeof...(K)> MakeCommands(std::index_sequence<K...>) {
    return {{
        {CommandId::New, nullptr, nullptr, nullptr, NewCommand},
        {CommandId::Open, nullptr, nullptr, nullptr, OpenCommand},
        {CommandId::JoinFiles, nullptr, nullptr, nullptr, JoinCommand},
        {CommandId::OpenNamed, nullptr, nullptr, nullptr, OpenNamedCommand},
        // Save is greyed until the image changes, but the S key saves an unmodified image too.
        {CommandId::Save, Modified, nullptr, nullptr, SaveCommand, ImageRule},
        {CommandId::SaveAs, nullptr, nullptr, nullptr, SaveAsCommand, ImageRule},
        {CommandId::Undo, nullptr, nullptr, nullptr, Undo, UndoRule},
        {CommandId::ChangeImageSize, nullptr, nullptr, nullptr, ChangeSizeCommand, ImageRule},
        // Recent file k; its menu text is the entry's path, or a placeholder.
        {RecentFileCommand(int(K)), nullptr, nullptr, nullptr, RunMember<OpenRecentCommand, RecentFileCommand(int(K))>}...,
    }};
}

constexpr auto kCommands = MakeCommands(std::make_index_sequence<kRecentCount>{});

}  // namespace

CommandList DocumentCommands() { return kCommands; }

}  // namespace rastrix
