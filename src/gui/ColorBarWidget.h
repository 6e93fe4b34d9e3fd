#pragma once
#include <QWidget>
#include <array>

#include "raster/Color.h"

namespace rastrix::gui {

// The colour bar in the drawing tools: twenty-four swatches in a sunken edge, under the
// picker cursor.
class ColorBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit ColorBarWidget(QWidget* parent);

    void SetColors(const std::array<Color, 24>& colors, int swatchWidth);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<Color, 24> colors_{};
    int swatchWidth_ = 8;
};

}  // namespace rastrix::gui
