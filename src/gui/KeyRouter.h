#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

#include "editor/Editor.h"

class QWidget;

namespace rastrix::gui {

// The application-wide key filter: a key pressed in the frame (or in the modeless dialog) is
// turned into a key code and routed by the core, as the message loop re-targets
// WM_KEYDOWN. Keys the core takes are consumed; the others go on to the focused widget (Tab
// moves the focus, Alt+letter opens a menu). Keys in modal dialogs and open menus are left
// alone, as they run their own loops.
class KeyRouter : public QObject {
    Q_OBJECT
public:
    // frame: the main window; frameFocus: the widget that takes the focus when a key moves it
    // to the frame. afterKey runs after the core handled a key.
    KeyRouter(Editor& ed, QWidget* frame, QWidget* frameFocus, std::function<void()> afterKey);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Editor& ed_;
    QPointer<QWidget> frame_;
    QPointer<QWidget> frameFocus_;
    std::function<void()> afterKey_;
};

}  // namespace rastrix::gui
