#include "gui/KeyRouter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>

#include "frame/EditorEvents.h"
#include "gui/DialogWindow.h"
#include "gui/KeyMapping.h"

namespace rastrix::gui {

KeyRouter::KeyRouter(Editor& ed, QWidget* frame, QWidget* frameFocus, std::function<void()> afterKey)
    : QObject(frame), ed_(ed), frame_(frame), frameFocus_(frameFocus), afterKey_(std::move(afterKey)) {}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !frame_) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    // The event is seen once more for every parent it propagates to; route it only where it
    // is first delivered.
    QWidget* focus = QApplication::focusWidget();
    if (widget != (focus ? focus : widget->window())) return false;
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) return false;

    QWidget* window = widget->window();
    const auto* dialog = qobject_cast<const DialogWindow*>(window);
    const bool inModeless = dialog && !dialog->isModal();
    if (window != frame_ && !inModeless) return false;

    auto* key = static_cast<QKeyEvent*>(event);
    // A tool-bar button reached with Tab is pushed with Space or Enter, as buttons are.
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !inModeless) {
        if (key->key() == Qt::Key_Space) return false;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            button->click();
            return true;
        }
    }
    const std::optional<KeyCode> code = KeyCodeFor(key->key(), key->modifiers());
    if (!code) return false;

    KeyPress press;
    press.key = *code;
    press.ctrlDown = key->modifiers().testFlag(Qt::ControlModifier);
    press.altDown = key->modifiers().testFlag(Qt::AltModifier);
    press.adjustDialogHasFocus = inModeless;
    press.imageWindowExists = ed_.view.imageWindowExists;
    press.frameHasFocus = window == frame_;
    const KeyRoute route = FrameKeyDown(ed_, press);
    if (route == KeyRoute::FocusFrame && frameFocus_) frameFocus_->setFocus(Qt::OtherFocusReason);
    const bool taken = route != KeyRoute::Unchanged && route != KeyRoute::AdjustDialog;
    if (afterKey_) afterKey_();
    return taken;
}

}  // namespace rastrix::gui
