#pragma once
// The real main window of a fresh process, as the window benchmarks drive it: a settings folder
// of its own, message boxes printed and answered, the image surface's paint events and the
// image window's `edited` signals counted, and a way to wait until nothing more is painted.
#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <cstdio>
#include <string>

#include "editor/Editor.h"
#include "frame/ShownStatus.h"
#include "gui/ImageView.h"
#include "gui/MainWindow.h"
#include "gui/QtHost.h"
#include "gui/StatusBarWidget.h"
#include "store/Store.h"

#include "ProcessMeasures.h"

namespace rastrix::bench {

// A message box would wait for a user who is not there: it is printed and answered instead.
class PrintingHost : public gui::QtHost {
public:
    int ShowMessage(const std::string& text, const std::optional<std::string>&, MsgButtons, MsgIcon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return DialogAnswer::Ok;
    }
};

// Paint events: of the image surface, and of every other widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(const QWidget* surface) : surface_(surface) {}
    long surfacePaints = 0, otherPaints = 0, surfaceMoves = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++(watched == surface_ ? surfacePaints : otherPaints);
        if (watched == surface_ && event->type() == QEvent::MouseMove) ++surfaceMoves;
        return false;
    }

private:
    const QWidget* surface_;
};

inline void Wait(int ms) {
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// One main window with its editor; build it after the QApplication.
struct WindowRig {
    QTemporaryDir settings;
    Store store{settings.path().toStdString()};
    PrintingHost host;
    Editor ed{host};
    gui::MainWindow window{ed, host};
    QWidget* surface = window.View()->Surface();
    PaintCounter counter{surface};
    long edited = 0;

    WindowRig() {
        QCoreApplication::instance()->installEventFilter(&counter);
        QObject::connect(window.View(), &gui::ImageView::edited, [this] { ++edited; });
    }

    long Seen() const { return counter.surfacePaints + counter.otherPaints + edited; }

    // Round trips to the window system until `done` holds and one brings no paint or refresh:
    // the queue is idle and the server has what was painted. False after a minute.
    template <class Done>
    bool SyncUntilQuiet(const Done& done) {
        const auto start = Clock::now();
        for (;;) {
            const long seen = Seen();
            QGuiApplication::sync();
            if (done() && Seen() == seen) return true;
            if (Clock::now() - start > std::chrono::seconds(60)) return false;
        }
    }

    // What the editor holds is shown: nothing pending, no wait cursor, the status bar current.
    bool Settled() {
        return QTest::qWaitFor(
            [&] {
                return !window.StartPending() && !ed.view.repaintNeeded && ed.view.shownCursor != CursorKind::Wait &&
                       window.StatusBarPart()->Text(0) == QString::fromStdString(ShownStatus(ed)[0]);
            },
            60000);
    }

    // Starts the window on `argument` (a file, or "" for none) and gives it the screen's work
    // area: it starts maximised, but a server without a window manager (Xvfb) leaves it at its
    // restored size. True once it is shown and quiet.
    bool StartMaximised(const std::string& argument) {
        window.Start(store, argument);
        bool shown = QTest::qWaitForWindowExposed(&window, 60000) && Settled();
        if (QScreen* screen = window.screen(); screen && window.size() != screen->availableGeometry().size()) {
            window.setGeometry(screen->availableGeometry());
            shown = shown && QTest::qWaitFor([&] { return window.geometry() == screen->availableGeometry(); }, 10000);
            shown = shown && Settled();
        }
        // What the start or the resize queued (a paint's refresh) is over before anything is timed.
        return shown && SyncUntilQuiet([] { return true; });
    }

    // "platform xcb, screen 1920x1080, window WxH, surface WxH, zoom N%"
    void PrintSetting() const {
        const QSize screen = window.screen() ? window.screen()->size() : QSize();
        std::printf("platform %s, screen %dx%d, window %dx%d, surface %dx%d, zoom %d%%",
                    qPrintable(QGuiApplication::platformName()), screen.width(), screen.height(), window.width(),
                    window.height(), surface->width(), surface->height(), ed.settings.zoomPercent);
    }
};

}  // namespace rastrix::bench
