#include "gui/ImageView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <qdrawutil.h>

#include "frame/EditorEvents.h"
#include "gui/Artwork.h"
#include "gui/ImageConversion.h"

namespace rastrix::gui {

QCursor CursorFor(CursorKind kind) {
    switch (kind) {
        case CursorKind::Arrow: return Qt::ArrowCursor;
        case CursorKind::Cross: return Qt::CrossCursor;
        case CursorKind::Wait: return Qt::WaitCursor;
        case CursorKind::Pen: return PenCursor();
        case CursorKind::Bucket: return BucketCursor();
        case CursorKind::Picker: return PickerCursor();
    }
    return Qt::ArrowCursor;
}

ImageSurface::ImageSurface(Editor& ed, QWidget* parent) : QWidget(parent), ed_(ed) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);  // every paint covers the whole area
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Image"));
}

void ImageSurface::paintEvent(QPaintEvent*) {
    const bool stale = ed_.surface.Width() != width() || ed_.surface.Height() != height();
    if (ed_.view.repaintNeeded || stale) {
        PaintImageWindow(ed_);
        // The paint put back the tool's cursor after a long operation; show it once this paint
        // is over.
        QMetaObject::invokeMethod(this, &ImageSurface::edited, Qt::QueuedConnection);
        // Once this paint has gone to the screen (the backing store is flushed when the paint
        // events are done), the spare levels an open left waiting may take the cores.
        QMetaObject::invokeMethod(this, [this] { ImageWindowShown(ed_); }, Qt::QueuedConnection);
    }
    QPainter painter(this);
    const QImage image = WrapBitmap(ed_.surface);
    painter.fillRect(rect(), Qt::white);
    if (!image.isNull()) painter.drawImage(0, 0, image);
}

void ImageSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    ImageMouseMove(ed_, p.x(), p.y(), event->buttons().testFlag(Qt::LeftButton),
                   event->buttons().testFlag(Qt::RightButton));
    emit edited();
}

void ImageSurface::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    ImageButtonDown(ed_, p.x(), p.y(), event->button() == Qt::LeftButton);
    emit edited();
}

// The window takes no double clicks: a second press is a press like the first.
void ImageSurface::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void ImageSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    ImageButtonUp(ed_, event->button() == Qt::LeftButton);
    emit edited();
}

ImageView::ImageView(Editor& ed, QWidget* parent)
    : QWidget(parent), ed_(ed), surface_(new ImageSurface(ed, this)) {
    hBar_ = NewBar(Qt::Horizontal, ScrollBarKind::Horizontal);
    vBar_ = NewBar(Qt::Vertical, ScrollBarKind::Vertical);
    connect(surface_, &ImageSurface::edited, this, &ImageView::edited);
    setFocusProxy(surface_);
    hide();
}

QScrollBar* ImageView::NewBar(Qt::Orientation orientation, ScrollBarKind kind) {
    auto* bar = new QScrollBar(orientation, this);
    bar->setSingleStep(1);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setAccessibleName(kind == ScrollBarKind::Horizontal ? QStringLiteral("Horizontal scroll bar")
                                                             : QStringLiteral("Vertical scroll bar"));
    bar->hide();
    connect(bar, &QScrollBar::actionTriggered, this, [this, bar, kind](int action) { OnBarAction(bar, kind, action); });
    return bar;
}

void ImageView::OnBarAction(QScrollBar* bar, ScrollBarKind kind, int action) {
    ScrollRequest request;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: request = ScrollRequest::LineForward; break;
        case QAbstractSlider::SliderSingleStepSub: request = ScrollRequest::LineBack; break;
        case QAbstractSlider::SliderPageStepAdd: request = ScrollRequest::PageForward; break;
        case QAbstractSlider::SliderPageStepSub: request = ScrollRequest::PageBack; break;
        case QAbstractSlider::SliderToMinimum: request = ScrollRequest::Top; break;
        case QAbstractSlider::SliderToMaximum: request = ScrollRequest::Bottom; break;
        case QAbstractSlider::SliderMove: request = ScrollRequest::ThumbTrack; break;
        default: return;
    }
    surface_->setFocus(Qt::OtherFocusReason);
    ImageScroll(ed_, kind, request, bar->sliderPosition());
    // The core has set the bars from the new origin: show them now, so the bar shows where the
    // core put the view rather than where the bar itself would have gone, and paint at once.
    if (ed_.view.repaintNeeded) surface_->repaint();
    ShowState();
    bar->setSliderPosition(bar->value());
    emit edited();
}

namespace {

void SetBar(QScrollBar* bar, const ScrollBarState& s) {
    const QSignalBlocker block(bar);
    const int top = std::max(s.minimum, s.maximum - s.page + 1);
    bar->setRange(s.minimum, top);
    bar->setPageStep(std::max(1, s.page));
    bar->setValue(s.position);
}

}  // namespace

void ImageView::ShowState() {
    const ViewState& v = ed_.view;
    if (!v.imageWindowExists) {
        hide();
        return;
    }
    const Rect r = v.ImageWindowRect();
    const QRect outer(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (geometry() != outer) setGeometry(outer);

    const int vw = v.vScroll.shown ? ed_.frame.vScrollWidth : 0;
    const int hh = v.hScroll.shown ? ed_.frame.hScrollHeight : 0;
    const QRect inner = rect().adjusted(kEdge, kEdge, -kEdge, -kEdge);
    const QRect client(inner.left(), inner.top(), std::max(0, inner.width() - vw), std::max(0, inner.height() - hh));
    if (surface_->geometry() != client) surface_->setGeometry(client);

    SetBar(hBar_, v.hScroll);
    SetBar(vBar_, v.vScroll);
    hBar_->setGeometry(client.left(), client.bottom() + 1, client.width(), hh);
    vBar_->setGeometry(client.right() + 1, client.top(), vw, client.height());
    hBar_->setVisible(v.hScroll.shown);
    vBar_->setVisible(v.vScroll.shown);

    // The tool's cursor over the image; the wait cursor while the core shows it.
    const CursorKind cursor = v.shownCursor == CursorKind::Wait ? CursorKind::Wait : v.toolCursor;
    if (cursor != cursor_) surface_->setCursor(CursorFor(cursor)), cursor_ = cursor;
    if (v.repaintNeeded) surface_->update();
    show();
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The corner between the two bars, then the sunken edge.
    painter.fillRect(rect().adjusted(kEdge, kEdge, -kEdge, -kEdge), palette().window());
    qDrawWinPanel(&painter, rect(), palette(), true);
}

}  // namespace rastrix::gui
