#pragma once
#include <QColor>
#include <QWidget>
#include <array>

class QLabel;

namespace rastrix::gui {

// The five-part status bar: image, pointer, foreground swatch, background swatch, selection.
// The parts stand at the right edges the frame's layout gives; parts 2 and 3 show the two
// current colours. Mouse moves and left presses are reported in the bar's own coordinates.
class StatusBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit StatusBarWidget(QWidget* parent = nullptr);

    static constexpr int kParts = 5;

    void SetPartEdges(const std::array<int, kParts>& rightEdges);
    void SetText(int part, const QString& text);
    // The two swatches and the names they are read out with.
    void SetSwatches(const QColor& fore, const QColor& back);

    QString Text(int part) const;
    QRect PartRect(int part) const;
    QWidget* Part(int part) const;

    // The height this bar wants: one line of text with its frame.
    static int PreferredHeight(const QFont& font);

    // The widest text the image part shows for an image the program commonly holds.
    static constexpr const char* kWidestImageText = "4000W x 3000H, 24 bits per pixel, 100%";
    // base, made smaller in half points (not below 6) until text fits into room pixels.
    static QFont FontToFit(const QFont& base, const QString& text, int room);

signals:
    void mouseMoved(int x, int y);
    void leftPressed(int x, int y);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceParts();

    std::array<QLabel*, kParts> parts_{};
    std::array<int, kParts> edges_{};
};

}  // namespace rastrix::gui
