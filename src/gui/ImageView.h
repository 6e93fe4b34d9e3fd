#pragma once
#include <QWidget>
#include <optional>

#include "editor/Editor.h"
#include "frame/EditorEvents.h"

class QScrollBar;

namespace rastrix::gui {

// The client area of the image window: shows the surface the core renders and passes the
// mouse to the core in client coordinates.
class ImageSurface : public QWidget {
    Q_OBJECT
public:
    ImageSurface(Editor& ed, QWidget* parent);

signals:
    // The core was told about a mouse event or painted; the frame shows the editor again.
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Editor& ed_;
};

// The image window: a two-pixel sunken edge round the surface and the two scroll bars, placed
// and set as the view state says.
class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(Editor& ed, QWidget* parent);

    // Shows the view state: placement in the frame, scroll bars, cursor, and a repaint when the
    // core asks for one.
    void ShowState();

    ImageSurface* Surface() const { return surface_; }
    QScrollBar* HorizontalBar() const { return hBar_; }
    QScrollBar* VerticalBar() const { return vBar_; }

    static constexpr int kEdge = 2;

signals:
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QScrollBar* NewBar(Qt::Orientation orientation, ScrollBarKind kind);
    void OnBarAction(QScrollBar* bar, ScrollBarKind kind, int action);

    Editor& ed_;
    ImageSurface* surface_;
    QScrollBar* hBar_;
    QScrollBar* vBar_;
    std::optional<CursorKind> cursor_;
};

// The cursor of a kind, with the program's own pictures for the pen, bucket and picker.
QCursor CursorFor(CursorKind kind);

}  // namespace rastrix::gui
