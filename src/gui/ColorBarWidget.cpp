#include "gui/ColorBarWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include "frame/EditorEvents.h"
#include "gui/Artwork.h"
#include "gui/ImageConversion.h"

namespace rastrix::gui {

ColorBarWidget::ColorBarWidget(Editor& ed, QWidget* parent) : QWidget(parent), ed_(ed) {
    setCursor(PickerCursor());
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Colors"));
}

void ColorBarWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const Bitmap bar = RenderColorBar(ed_);
    if (!bar.IsEmpty()) painter.drawImage(kEdge, kEdge, WrapBitmap(bar));
    qDrawWinPanel(&painter, rect(), palette(), true);
}

void ColorBarWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint() - QPoint(kEdge, kEdge);
    ColorBarMouseMove(ed_, p.x(), p.y());
    emit edited();
}

void ColorBarWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    const QPoint p = event->position().toPoint() - QPoint(kEdge, kEdge);
    ColorBarButtonDown(ed_, p.x(), p.y(), event->button() == Qt::LeftButton);
    emit edited();
}

}  // namespace rastrix::gui
