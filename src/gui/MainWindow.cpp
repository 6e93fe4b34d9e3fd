#include "gui/MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>

#include "editor/CommandIds.h"
#include "frame/CommandDispatch.h"
#include "frame/EditorEvents.h"
#include "frame/ShownStatus.h"
#include "gui/Artwork.h"
#include "gui/ColorBarWidget.h"
#include "gui/CommandBars.h"
#include "gui/ImageConversion.h"
#include "gui/ImageView.h"
#include "gui/KeyRouter.h"
#include "gui/QtHost.h"
#include "gui/StatusBarWidget.h"

namespace rastrix::gui {
namespace {

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// The frame's background: the colour of a scroll bar's trough.
const QColor kFrameBackground(200, 200, 200);

}  // namespace

FrameArea::FrameArea(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Rastrix"));
}

void FrameArea::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), kFrameBackground);
    emit painted();
}
void FrameArea::resizeEvent(QResizeEvent*) { emit resized(); }
void FrameArea::mouseMoveEvent(QMouseEvent* event) { emit mouseMoved(event->position().toPoint()); }
void FrameArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit leftPressed(event->position().toPoint());
}
void FrameArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit leftReleased();
}

MainWindow::MainWindow(Editor& ed, QtHost& host, QWidget* parent)
    : QMainWindow(parent), ed_(ed), host_(host), area_(new FrameArea(this)) {
    setWindowTitle(FromUtf8(ed.doc.caption));
    setWindowIcon(ProgramIcon());
    setCentralWidget(area_);
    bars_ = new CommandBars(menuBar(), area_);
    status_ = new StatusBarWidget(area_);
    view_ = new ImageView(ed, area_);
    host_.SetParentWidget(this);
    host_.SetModelessActionHandler([this] { Refresh(); });
    host_.SetModelessMoveHandler([this](int x, int y) { AdjustDialogMoved(ed_, x, y); });

    connect(bars_, &CommandBars::commandChosen, this, &MainWindow::OnCommand);
    connect(bars_, &CommandBars::drawingToolBarChanged, this, [this] {
        if (QToolBar* bar = bars_->DrawingToolBar(); bar && !colorBar_) {
            colorBar_ = new ColorBarWidget(ed_, bar);
            connect(colorBar_, &ColorBarWidget::edited, this, &MainWindow::Refresh);
            colorBar_->show();
        }
    });
    connect(view_, &ImageView::edited, this, &MainWindow::Refresh);
    connect(area_, &FrameArea::resized, this, &MainWindow::OnResized);
    connect(area_, &FrameArea::painted, this, &MainWindow::OnAreaPainted);
    setAcceptDrops(true);
    connect(area_, &FrameArea::leftReleased, this, [this] {
        FrameButtonUp(ed_);
        Refresh();
    });
    // The frame's own area answers the mouse as the status bar does, in frame coordinates,
    // which the status bar's are shifted from by the height above it.
    auto toStatus = [this](QPoint p) {
        return p - QPoint(0, ed_.frame.layout.viewAreaHeight + ed_.frame.drawingBarHeight);
    };
    connect(area_, &FrameArea::mouseMoved, this, [this, toStatus](QPoint p) {
        const QPoint s = toStatus(p);
        StatusBarMouseMove(ed_, s.x(), s.y());
        Refresh();
    });
    connect(area_, &FrameArea::leftPressed, this, [this, toStatus](QPoint p) {
        const QPoint s = toStatus(p);
        StatusBarLeftDown(ed_, s.x(), s.y());
        Refresh();
    });
    connect(status_, &StatusBarWidget::mouseMoved, this, [this](int x, int y) {
        StatusBarMouseMove(ed_, x, y);
        Refresh();
    });
    connect(status_, &StatusBarWidget::leftPressed, this, [this](int x, int y) {
        StatusBarLeftDown(ed_, x, y);
        Refresh();
    });
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        connect(clipboard, &QClipboard::dataChanged, this, [this] {
            ClipboardMayHaveChanged(ed_);
            Refresh();
        });
    }

    keys_ = new KeyRouter(ed, this, area_, [this] { Refresh(); });
    qApp->installEventFilter(keys_);
    area_->setFocus();
}

MainWindow::~MainWindow() {
    host_.SetParentWidget(nullptr);
    host_.SetModelessActionHandler(nullptr);
    host_.SetModelessMoveHandler(nullptr);
}

void MainWindow::OnAreaPainted() {
    if (!startFile_) return;
    // The frame is laid out and painted: the file named at start opens now, so a report of a
    // file that cannot be opened stands in front of the frame. Queued, so the paint ends first.
    QMetaObject::invokeMethod(
        this,
        [this, file = std::move(*startFile_)] {
            OpenStartFile(ed_, file);
            startPending_ = false;
            Refresh();
        },
        Qt::QueuedConnection);
    startFile_.reset();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    // Several files: the first opens. Something that is no local file is handed over by its
    // name all the same, and fails to open as any missing file does.
    const QMimeData* data = event->mimeData();
    QString name;
    if (data->hasUrls() && !data->urls().isEmpty()) {
        const QUrl url = data->urls().first();
        name = url.isLocalFile() ? url.toLocalFile() : url.toString();
    } else {
        name = data->text().trimmed();
    }
    event->acceptProposedAction();
    const QByteArray path = name.toUtf8();
    FileDropped(ed_, std::string(path.constData(), std::size_t(path.size())));
    Refresh();
}

FrameMetrics MainWindow::Metrics() const {
    FrameMetrics metrics;
    metrics.mainToolBarHeight = bars_->MainToolBar()->sizeHint().height();
    metrics.statusBarHeight = StatusBarWidget::PreferredHeight(status_->font());
    return metrics;
}

void MainWindow::Start(const Store& store, const std::string& argument) {
    StartUp(ed_, store, Metrics());
    started_ = true;
    if (!argument.empty()) startFile_ = argument, startPending_ = true;
    const WindowRect& r = ed_.settings.windowRect;
    setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (ed_.settings.maximized) showMaximized();
    else show();
    ClipboardMayHaveChanged(ed_);
    ShowCommandStates(true);
    Refresh();
}

WindowRect MainWindow::CurrentRect() const {
    // The rectangle kept is the one setGeometry takes back at the next start.
    const QRect g = geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void MainWindow::OnResized() {
    const SizeKind kind = isMinimized() ? SizeKind::Minimized : isMaximized() ? SizeKind::Maximized : SizeKind::Restored;
    FrameResized(ed_, kind, area_->width(), area_->height(), CurrentRect());
    Refresh();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        // A restore from the task bar may keep the size and so bring no resize of its own.
        if (isMinimized()) FrameResized(ed_, SizeKind::Minimized, 0, 0), Refresh();
        else OnResized();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        ClipboardMayHaveChanged(ed_);  // another program may have changed it meanwhile
        Refresh();
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (!isMinimized() && !isMaximized()) FrameMoved(ed_, CurrentRect());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const bool mayClose = RequestClose(ed_);
    Refresh();
    if (mayClose) event->accept();
    else event->ignore();
}

void MainWindow::OnCommand(CommandId id) {
    RunCommand(ed_, id);
    ShowCommandStates(true);  // a clicked button may have toggled itself; show the core's state
    Refresh();
}

void MainWindow::ShowCommandStates(bool always) {
    // The commands' states are read off the editor here, after every event, and nowhere else.
    CommandStates states = ShownCommandStates(ed_);
    if (!always && shownStates_ == states) return;
    bars_->ShowStates(states);
    shownStates_ = std::move(states);
}

void MainWindow::PlaceChildren() {
    const FrameLayout& l = ed_.frame.layout;
    const QRect mainBar = ToQRect(l.mainToolBar);
    if (bars_->MainToolBar()->geometry() != mainBar) bars_->MainToolBar()->setGeometry(mainBar);
    const QRect statusBar = ToQRect(l.statusBar);
    if (status_->geometry() != statusBar) status_->setGeometry(statusBar);
    status_->SetPartEdges(l.statusPartEdges);
    if (QToolBar* drawing = bars_->DrawingToolBar()) {
        const QRect band = ToQRect(l.drawingToolBar);
        if (l.hasDrawingBar && drawing->geometry() != band) drawing->setGeometry(band);
        if (colorBar_ && colorBar_->geometry() != ToQRect(l.colorBar)) {
            colorBar_->setGeometry(ToQRect(l.colorBar));
            colorBar_->raise();
        }
    }
}

void MainWindow::ShowRecentFiles() {
    if (ed_.recent.entries == shownRecent_) return;
    shownRecent_ = ed_.recent.entries;
    for (int k = 0; k < kRecentCount; ++k) bars_->SetPlainMenuText(RecentFileCommand(k), RecentMenuText(ed_.recent, k));
}

void MainWindow::Refresh() {
    if (ed_.closeRequested) {
        // Exit: the frame closes as by its close box, once the command's handlers are done.
        ed_.closeRequested = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    ShowCommandStates(false);
    if (started_) ShowRecentFiles();
    const QString caption = FromUtf8(ed_.doc.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    PlaceChildren();
    const StatusTexts texts = ShownStatus(ed_);
    for (int i = 0; i < StatusBarWidget::kParts; ++i) status_->SetText(i, FromUtf8(texts[std::size_t(i)]));
    status_->SetSwatches(ToQColor(ed_.settings.foreColor), ToQColor(ed_.settings.backColor));
    view_->ShowState();
}

}  // namespace rastrix::gui
