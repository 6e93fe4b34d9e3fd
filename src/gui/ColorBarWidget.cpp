#include "gui/ColorBarWidget.h"

#include <QPainter>
#include <qdrawutil.h>

#include "gui/Artwork.h"
#include "gui/ImageConversion.h"

namespace rastrix::gui {

ColorBarWidget::ColorBarWidget(QWidget* parent) : QWidget(parent) {
    setCursor(PickerCursor());
    setAccessibleName(QStringLiteral("Colors"));
}

void ColorBarWidget::SetColors(const std::array<Color, 24>& colors, int swatchWidth) {
    if (colors == colors_ && swatchWidth == swatchWidth_) return;
    colors_ = colors;
    swatchWidth_ = swatchWidth;
    update();
}

void ColorBarWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    painter.fillRect(inner, Qt::white);
    for (int i = 0; i < int(colors_.size()); ++i)
        painter.fillRect(QRect(inner.left() + i * swatchWidth_, inner.top(), swatchWidth_, inner.height()),
                         ToQColor(colors_[std::size_t(i)]));
    qDrawWinPanel(&painter, rect(), palette(), true);
}

}  // namespace rastrix::gui
