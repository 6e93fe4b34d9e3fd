#pragma once
#include <QWidget>

#include "editor/Editor.h"

namespace rastrix::gui {

// The colour bar in the drawing tools: the bar the core renders, in a sunken edge, under the
// picker cursor. Moves and presses go to the core in the bar's client coordinates.
class ColorBarWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kEdge = 2;

    ColorBarWidget(Editor& ed, QWidget* parent);

signals:
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Editor& ed_;
};

}  // namespace rastrix::gui
