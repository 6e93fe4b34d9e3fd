#pragma once
#include <QHash>
#include <QObject>
#include <QPointer>
#include <string>

#include "editor/CommandStates.h"

class QAction;
class QMenuBar;
#include <QToolBar>
class QWidget;

namespace rastrix {
// QHash keys of command ids (Qt 6.4 hashes no scoped enums by itself).
inline std::size_t qHash(CommandId id, std::size_t seed = 0) noexcept { return ::qHash(NumberOf(id), seed); }
}  // namespace rastrix

namespace rastrix::gui {

// The menu bar and the two tool bars, built from the command tables, and the states the core
// gives each command shown on them. A menu item and a tool-bar button of the same command are
// separate actions, because their states can differ. No action has a shortcut: the key labels
// are only shown after the tab in the menu texts, and the keys themselves go through the
// frame's key routing.
class CommandBars : public QObject {
    Q_OBJECT
public:
    // The tool bars are children of frameArea, placed by the frame's layout.
    CommandBars(QMenuBar* menuBar, QWidget* frameArea);

    QToolBar* MainToolBar() const { return mainBar_; }
    // nullptr while the drawing tools are hidden.
    QToolBar* DrawingToolBar() const { return drawingBar_; }
    QAction* MenuAction(CommandId id) const { return menuActions_.value(id, nullptr); }
    // The button of id on the main or the drawing tool bar, or nullptr.
    QAction* ButtonAction(CommandId id) const;

    // Shows the command states: greyed and checked menu items, indeterminate and pressed
    // buttons; creates or removes the drawing tool bar as the core has it.
    void ShowStates(const CommandStates& states);
    // A menu item whose text the program fills in (a recent file): the text is shown as it is,
    // so an "&" in a path is not taken for a mnemonic.
    void SetPlainMenuText(CommandId id, const std::string& text);

signals:
    void commandChosen(rastrix::CommandId id);
    // The drawing tool bar was just created or is about to go.
    void drawingToolBarChanged();

private:
    void BuildMenu(QMenuBar* menuBar);
    QToolBar* BuildToolBar(bool drawing);
    QAction* NewAction(CommandId id, QObject* owner);

    QWidget* frameArea_;
    QToolBar* mainBar_ = nullptr;
    QPointer<QToolBar> drawingBar_;
    QHash<CommandId, QAction*> menuActions_;
    QHash<CommandId, QAction*> mainButtons_;
    QHash<CommandId, QAction*> drawingButtons_;
};

}  // namespace rastrix::gui
