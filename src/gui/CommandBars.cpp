#include "gui/CommandBars.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "editor/CommandTable.h"
#include "frame/CommandDispatch.h"
#include "frame/MenuModel.h"
#include "frame/ToolBarTables.h"
#include "gui/Artwork.h"

namespace rastrix::gui {
namespace {

QString FromView(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Commands whose menu item can carry a check: those whose record has a check rule.
bool CanBeChecked(CommandId id) {
    const Command* c = StandardCommands().Find(id);
    return c != nullptr && c->checked != nullptr;
}

// The drawing bar's buttons are as wide as the platform makes them for 20-pixel images, so all
// of them stand left of the colour bar.
constexpr QSize kDrawingButtonSize(27, 32);

}  // namespace

CommandBars::CommandBars(QMenuBar* menuBar, QWidget* frameArea) : QObject(frameArea), frameArea_(frameArea) {
    BuildMenu(menuBar);
    mainBar_ = BuildToolBar(false);
}

QAction* CommandBars::NewAction(CommandId id, QObject* owner) {
    auto* action = new QAction(owner);
    action->setData(NumberOf(id));
    connect(action, &QAction::triggered, this, [this, id] { emit commandChosen(id); });
    return action;
}

void CommandBars::BuildMenu(QMenuBar* menuBar) {
    for (const MenuBarEntry& entry : kMainMenu) {
        if (!entry.IsPopup()) {
            QAction* action = NewAction(entry.id, menuBar);
            action->setText(FromView(entry.text));
            menuBar->addAction(action);
            menuActions_.insert(entry.id, action);
            continue;
        }
        QMenu* menu = menuBar->addMenu(FromView(entry.text));
        for (CommandId id : entry.items) {
            if (id == kMenuSeparator) {
                menu->addSeparator();
                continue;
            }
            const CommandInfo* info = FindCommand(id);
            QAction* action = NewAction(id, menu);
            // "&Open\tCtrl+O": the menu shows the part after the tab as the key label.
            action->setText(info ? FromView(info->menuText) : QString::number(NumberOf(id)));
            action->setCheckable(CanBeChecked(id));
            action->setEnabled(info && info->menuStartsEnabled);
            menu->addAction(action);
            menuActions_.insert(id, action);
        }
    }
}

QToolBar* CommandBars::BuildToolBar(bool drawing) {
    auto* bar = new QToolBar(frameArea_);
    bar->setAccessibleName(drawing ? QStringLiteral("Drawing tools") : QStringLiteral("Tools"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(drawing ? QSize(20, 20) : QSize(16, 16));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->layout()->setSpacing(0);
    QHash<CommandId, QAction*>& buttons = drawing ? drawingButtons_ : mainButtons_;
    buttons.clear();
    for (const ToolBarButton& b : ToolBarButtons(drawing ? ToolBarKind::Drawing : ToolBarKind::Main)) {
        if (b.IsSeparator()) {
            bar->addSeparator();
            continue;
        }
        QAction* action = NewAction(b.id, bar);
        const QString tip = FromView(ToolTipText(b.id));
        action->setText(tip);
        action->setToolTip(tip);
        action->setIcon(drawing ? DrawingToolBarIcon(b.image) : MainToolBarIcon(b.image));
        bar->addAction(action);
        if (QWidget* button = bar->widgetForAction(action)) {
            button->setAccessibleName(tip);
            button->setFocusPolicy(Qt::TabFocus);  // reachable from the keyboard
            if (drawing) button->setFixedSize(kDrawingButtonSize);
        }
        const ButtonState state{b.state};
        action->setEnabled(state.Clickable());
        buttons.insert(b.id, action);
    }
    return bar;
}

QAction* CommandBars::ButtonAction(CommandId id) const {
    if (QAction* a = mainButtons_.value(id, nullptr)) return a;
    return drawingBar_ ? drawingButtons_.value(id, nullptr) : nullptr;
}

void CommandBars::ShowStates(const CommandStates& states) {
    if (states.DrawingToolBarExists() && !drawingBar_) {
        drawingBar_ = BuildToolBar(true);
        drawingBar_->show();
        emit drawingToolBarChanged();
    } else if (!states.DrawingToolBarExists() && drawingBar_) {
        emit drawingToolBarChanged();
        drawingButtons_.clear();
        drawingBar_->hide();
        drawingBar_->deleteLater();  // a click on it may still be on its way out
        drawingBar_ = nullptr;
    }

    for (auto it = menuActions_.cbegin(); it != menuActions_.cend(); ++it) {
        const std::optional<MenuItemState> item = states.MenuItem(it.key());
        if (!item) continue;
        QAction* action = it.value();
        action->setEnabled(item->enabled);
        if (action->isCheckable() || item->checked) {
            action->setCheckable(true);
            action->setChecked(item->checked);
        }
    }
    for (const QHash<CommandId, QAction*>* buttons : {&mainButtons_, &drawingButtons_}) {
        for (auto it = buttons->cbegin(); it != buttons->cend(); ++it) {
            const std::optional<ButtonState> button = states.Button(it.key());
            if (!button) continue;
            QAction* action = it.value();
            // Indeterminate shows as greyed; a pressed button stays down until the core lifts it.
            action->setEnabled(button->Clickable());
            action->setCheckable(button->Pressed());
            action->setChecked(button->Pressed());
        }
    }
}

void CommandBars::SetPlainMenuText(CommandId id, const std::string& text) {
    QAction* action = MenuAction(id);
    if (!action) return;
    QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    shown.replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (action->text() != shown) action->setText(shown);
}

}  // namespace rastrix::gui
