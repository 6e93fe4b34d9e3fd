#include "gui/StatusBarWidget.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

#include "editor/SettingsRecord.h"
#include "frame/StatusBarRules.h"

namespace rastrix::gui {
namespace {

QString ColorName(const QColor& c) {
    return QStringLiteral("RGB=%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
}

// Pixels between one part's frame and the next part.
constexpr int kPartGap = 2;
// The smallest point size the status texts are drawn at, however narrow the part.
constexpr qreal kSmallestPointSize = 6.0;

}  // namespace

QFont StatusBarWidget::FontToFit(const QFont& base, const QString& text, int room) {
    QFont font = base;
    qreal size = base.pointSizeF() > 0 ? base.pointSizeF() : QFontInfo(base).pointSizeF();
    for (; size > kSmallestPointSize; size -= 0.5) {
        font.setPointSizeF(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= room) return font;
    }
    font.setPointSizeF(kSmallestPointSize);
    return font;
}

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Status"));
    setAutoFillBackground(true);
    static constexpr const char* kNames[kParts] = {"Image", "Pointer", "Foreground color", "Background color",
                                                   "Selection"};
    for (int i = 0; i < kParts; ++i) {
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setIndent(2);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        // A text part is read out by its text and described by what it shows; a swatch is
        // named by its colour's role and described by the colour.
        label->setAccessibleName(QLatin1String(kNames[i]));
        label->setAccessibleDescription(QLatin1String(kNames[i]));
        // Reachable from the keyboard so that a screen reader can read each part.
        label->setFocusPolicy(Qt::TabFocus);
        label->setAutoFillBackground(true);
        parts_[std::size_t(i)] = label;
    }
    // The part edges were made for a smaller font than today's desktops use: the texts take the
    // largest size at which the widest image text fits the image part of a frame of the default
    // width, measured from the font itself.
    const WindowRect defaultFrame = SettingsRecord{}.windowRect;
    const int imagePart = ComputeStatusPartEdges(defaultFrame.right - defaultFrame.left)[0] - kPartGap;
    const QLabel* label = parts_[0];
    setFont(FontToFit(font(), QString::fromLatin1(kWidestImageText),
                      imagePart - 2 * label->frameWidth() - label->indent()));
}

int StatusBarWidget::PreferredHeight(const QFont& font) { return QFontMetrics(font).height() + 8; }

void StatusBarWidget::SetPartEdges(const std::array<int, kParts>& rightEdges) {
    if (rightEdges == edges_) return;
    edges_ = rightEdges;
    PlaceParts();
}

QRect StatusBarWidget::PartRect(int part) const {
    const int left = part == 0 ? 0 : edges_[std::size_t(part - 1)];
    const int right = std::min(edges_[std::size_t(part)], width());
    // The frame of a part stops two pixels short of the next one, as the platform draws it.
    return QRect(left, 2, std::max(0, right - left - kPartGap), std::max(0, height() - 2));
}

void StatusBarWidget::PlaceParts() {
    for (int i = 0; i < kParts; ++i) parts_[std::size_t(i)]->setGeometry(PartRect(i));
}

void StatusBarWidget::resizeEvent(QResizeEvent*) { PlaceParts(); }

void StatusBarWidget::SetText(int part, const QString& text) {
    QLabel* label = parts_[std::size_t(part)];
    if (label->text() == text) return;
    label->setText(text);
    if (part != 2 && part != 3) label->setAccessibleName(text.trimmed().isEmpty() ? label->accessibleDescription() : text);
}

QString StatusBarWidget::Text(int part) const { return parts_[std::size_t(part)]->text(); }

QWidget* StatusBarWidget::Part(int part) const { return parts_[std::size_t(part)]; }

void StatusBarWidget::SetSwatches(const QColor& fore, const QColor& back) {
    for (auto [part, color] : {std::pair{2, fore}, std::pair{3, back}}) {
        QLabel* label = parts_[std::size_t(part)];
        QPalette palette = label->palette();
        if (palette.color(QPalette::Window) == color) continue;
        palette.setColor(QPalette::Window, color);
        label->setPalette(palette);
        label->setAccessibleDescription(ColorName(color));
    }
}

void StatusBarWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseMoved(p.x(), p.y());
}

void StatusBarWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    emit leftPressed(p.x(), p.y());
}

}  // namespace rastrix::gui
