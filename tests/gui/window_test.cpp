#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "gui/ColorBarWidget.h"
#include "gui/CommandBars.h"
#include "gui/DialogWindow.h"
#include "gui/ImageView.h"
#include "gui/MainWindow.h"
#include "gui/QtHost.h"
#include "gui/StatusBarWidget.h"
#include "selection/AdjustDialog.h"
#include <QLineEdit>
#include "frame/ShownStatus.h"
#include "frame/StatusBarRules.h"
#include "store/Store.h"

using namespace rastrix;
using namespace rastrix::gui;

namespace {

const std::string kSample = RASTRIX_SOURCE_DIR "/resources/sample.bmp";

// The Qt host with the user's answers scripted and the questions recorded.
class RecordingHost : public QtHost {
public:
    QStringList boxes;
    QStringList openTitles;

    int ShowMessage(const std::string& text, const std::optional<std::string>&, MsgButtons, MsgIcon) override {
        boxes << QString::fromStdString(text);
        // Whether the frame was on screen, laid out and painted, when the box came up.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* frame = qobject_cast<MainWindow*>(w))
                frameShownAtBox << (frame->isVisible() && frame->windowHandle() && frame->windowHandle()->isExposed());
        return DialogAnswer::Ok;
    }
    QList<bool> frameShownAtBox;
    std::optional<Color> ChooseColor(Color, std::array<Color, 16>&) override { return chosenColor; }
    std::optional<Color> chosenColor;
    std::optional<FileDialogResult> openAnswer;
    std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest& request) override {
        openTitles << QString::fromStdString(request.title);
        return openAnswer;
    }
};

// A started program: its own settings folder, the recording host, the editor and the frame.
struct Program {
    explicit Program(const std::string& argument = kSample) {
        window.Start(store, argument);
        QApplication::setActiveWindow(&window);
        ok = QTest::qWaitForWindowExposed(&window) && QTest::qWaitForWindowActive(&window) &&
             QTest::qWaitFor([this] { return Settled(); });
        QApplication::processEvents();
    }
    // The file named at start is open (or refused) and its first paint is shown.
    bool Settled() const {
        return !window.StartPending() && !ed.view.repaintNeeded && ed.view.shownCursor != CursorKind::Wait &&
               window.StatusBarPart()->Text(0) == QString::fromStdString(ShownStatus(ed)[0]);
    }
    QTemporaryDir folder;
    Store store{folder.path().toStdString()};
    RecordingHost host;
    Editor ed{host};
    MainWindow window{ed, host};
    bool ok = false;
};

void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

QToolButton* ButtonOf(QToolBar* bar, QAction* action) { return qobject_cast<QToolButton*>(bar->widgetForAction(action)); }

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!QFile::exists(QString::fromStdString(kSample))) QSKIP("resources/sample.bmp is missing");
    }

    void startsWithTheFileShownAndNamed() {
        Program p;
        QVERIFY(p.ok);
        QVERIFY(p.window.windowTitle().contains("sample.bmp"));
        QCOMPARE(p.window.StatusBarPart()->Text(0), QString::fromStdString(ShownStatus(p.ed)[0]));
        QVERIFY(p.window.StatusBarPart()->Text(0).startsWith("640W x 400H"));
        QCOMPARE(p.window.Bars()->MenuAction(CommandId::RecentFile0)->text(), QString::fromStdString(kSample));

        ImageView* view = p.window.View();
        QVERIFY(view->isVisible());
        const Rect r = p.ed.view.ImageWindowRect();
        QCOMPARE(view->geometry(), QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
        QCOMPARE(view->Surface()->accessibleName(), QString("Image"));
    }

    void aFileThatCannotBeOpenedIsReportedInFrontOfTheShownFrame() {
        Program p("/no/such/folder/picture.bmp");
        QVERIFY(p.ok);
        QTRY_COMPARE(p.host.boxes.size(), 1);
        QCOMPARE(p.host.frameShownAtBox, QList<bool>{true});
        QCOMPARE(p.ed.doc.fileSize, 0u);
    }

    void aDroppedFileOpensAsIfChosenInTheOpenDialog() {
        Program p("");
        QVERIFY(p.ok);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(kSample)), QUrl::fromLocalFile("/elsewhere/second.bmp")});
        const QPoint at = p.window.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&p.window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&p.window, &drop);
        QCOMPARE(p.ed.doc.currentPath, kSample);  // the first of the files
        QVERIFY(p.window.windowTitle().contains("sample.bmp"));
        QVERIFY(p.host.boxes.isEmpty());

        QMimeData web;
        web.setUrls({QUrl("https://example.com/picture.bmp")});
        QDragEnterEvent enterWeb(at, Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&p.window, &enterWeb);
        QDropEvent dropWeb(QPointF(at), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&p.window, &dropWeb);
        QCOMPARE(p.host.boxes.size(), 1);  // reported as a file that cannot be opened
        QCOMPARE(p.ed.doc.currentPath, kSample);
    }

    void theWidestImageTextFitsTheImagePartOfADefaultFrame() {
        StatusBarWidget bar;
        bar.resize(640, 30);
        bar.SetPartEdges(ComputeStatusPartEdges(640));
        bar.SetText(0, QString::fromLatin1(StatusBarWidget::kWidestImageText));
        const auto* label = qobject_cast<QLabel*>(bar.Part(0));
        QVERIFY(label);
        const int room = label->contentsRect().width() - label->indent();
        const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
        QVERIFY2(needed <= room, qPrintable(QString("%1 pixels of text in %2").arg(needed).arg(room)));
        // Made smaller only as far as it must be: half a point more would not fit.
        QFont larger = label->font();
        larger.setPointSizeF(larger.pointSizeF() + 0.5);
        QVERIFY(larger.pointSizeF() > QApplication::font().pointSizeF() ||
                QFontMetrics(larger).horizontalAdvance(label->text()) > room);
    }

    void theImageViewShowsTheCoreSurface() {
        Program p;
        QVERIFY(p.ok);
        const QImage shot = p.window.View()->Surface()->grab().toImage();
        const Bitmap& surface = p.ed.surface;
        QVERIFY(!surface.IsEmpty());
        QCOMPARE(shot.size(), QSize(surface.Width(), surface.Height()));
        const int w = surface.Width(), h = surface.Height();
        for (QPoint at : {QPoint(0, 0), QPoint(w / 2, h / 3), QPoint(w / 3, h - 1), QPoint(w - 1, h / 2)})
            QCOMPARE(shot.pixel(at) & 0xFFFFFFu, ValueOf(surface.Row(at.y())[at.x()]));
        // The picture itself, not a blank window: the centre is not all one colour.
        QVERIFY(shot.pixel(w / 2, h / 3) != shot.pixel(w / 3, h - 1));
    }

    void keysReachTheFrameCommands() {
        Program p;
        QVERIFY(p.ok);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(p.host.boxes.size(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(p.host.openTitles.size(), 1);

        // A plain key moves the focus from the image to the frame.
        p.window.View()->Surface()->setFocus();
        QCOMPARE(QApplication::focusWidget(), p.window.View()->Surface());
        QTest::keyClick(p.window.View()->Surface(), Qt::Key_Q);
        QCOMPARE(QApplication::focusWidget(), p.window.Area());
        QCOMPARE(p.host.boxes.size(), 1);
        QCOMPARE(p.host.openTitles.size(), 1);

        // The file chosen in the Open dialog is opened and named in the caption.
        QTemporaryDir dir;
        const QString other = dir.filePath("other.bmp");
        QVERIFY(QFile::copy(QString::fromStdString(kSample), other));
        p.host.openAnswer = FileDialogResult{other.toStdString(), 1};
        p.window.Area()->setFocus();
        QTest::keyClick(p.window.Area(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(p.host.openTitles.size(), 2);
        QVERIFY2(p.window.windowTitle().contains("other.bmp"), qPrintable(p.window.windowTitle()));
    }

    void buttonsRunCommandsAndShowTheirState() {
        Program p;
        QVERIFY(p.ok);
        CommandBars* bars = p.window.Bars();
        ButtonOf(bars->MainToolBar(), bars->ButtonAction(CommandId::Magnify2))->click();
        QCOMPARE(p.ed.settings.zoomPercent, 200);
        QVERIFY(bars->ButtonAction(CommandId::Magnify2)->isChecked());
        QVERIFY(!bars->ButtonAction(CommandId::ActualSize)->isChecked());
        QVERIFY(bars->MenuAction(CommandId::Magnify2)->isChecked());
        QTRY_VERIFY(p.window.StatusBarPart()->Text(0).endsWith("200%"));  // after the paint

        // The drawing tools come and go with their colour bar.
        QVERIFY(!bars->DrawingToolBar());
        bars->ButtonAction(CommandId::ShowDrawingTools)->trigger();
        QVERIFY(bars->DrawingToolBar());
        QVERIFY(bars->ButtonAction(CommandId::ShowDrawingTools)->isChecked());
        const Rect band = p.ed.frame.layout.drawingToolBar;
        QCOMPARE(bars->DrawingToolBar()->geometry().top(), band.top);
        QVERIFY(p.window.ColorBar());
        const Rect c = p.ed.frame.layout.colorBar;
        QCOMPARE(p.window.ColorBar()->geometry(), QRect(c.left, c.top, c.right - c.left, c.bottom - c.top));
        // The colour bar picks the current colours: left the foreground, right the background.
        ColorBarWidget* colors = p.window.ColorBar();
        const int sw = p.ed.frame.layout.swatchWidth;
        const QPoint red(ColorBarWidget::kEdge + 2 * sw + sw / 2, 10), blue(ColorBarWidget::kEdge + 4 * sw + 1, 10);
        SendMouse(colors, QEvent::MouseMove, red);
        QCOMPARE(p.window.StatusBarPart()->Text(1), QString("RGB=255,0,0"));
        SendMouse(colors, QEvent::MouseButtonPress, red, Qt::LeftButton);
        SendMouse(colors, QEvent::MouseButtonPress, blue, Qt::RightButton);
        QCOMPARE(p.ed.settings.foreColor, ColorFromRgb(255, 0, 0));
        QCOMPARE(p.ed.settings.backColor, ColorFromRgb(0, 0, 255));
        QCOMPARE(p.window.StatusBarPart()->Part(2)->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(p.window.StatusBarPart()->Part(3)->palette().color(QPalette::Window), QColor(0, 0, 255));

        bars->MenuAction(CommandId::ShowDrawingTools)->trigger();
        QVERIFY(!bars->DrawingToolBar());
    }

    void scrollBarsFollowTheView() {
        Program p;
        QVERIFY(p.ok);
        p.window.Bars()->MenuAction(CommandId::Magnify8)->trigger();
        QApplication::processEvents();
        QScrollBar* bar = p.window.View()->HorizontalBar();
        const ScrollBarState& s = p.ed.view.hScroll;
        QVERIFY(s.shown && bar->isVisible());
        QCOMPARE(bar->maximum(), s.maximum - s.page + 1);
        QCOMPARE(bar->pageStep(), s.page);
        QCOMPARE(bar->value(), p.ed.view.scrollOriginX);

        const int origin = p.ed.view.scrollOriginX;
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(p.ed.view.scrollOriginX, origin + 1);
        QCOMPARE(bar->value(), origin + 1);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);  // pages do not scroll
        QCOMPARE(p.ed.view.scrollOriginX, origin + 1);
        QCOMPARE(bar->value(), origin + 1);
        bar->setSliderPosition(5);  // the thumb dragged
        QCOMPARE(p.ed.view.scrollOriginX, 5);
        QCOMPARE(bar->value(), 5);

        p.window.Bars()->MenuAction(CommandId::FitToWindow)->trigger();
        QApplication::processEvents();
        QVERIFY(!bar->isVisible() && !p.window.View()->VerticalBar()->isVisible());
    }

    void mouseReportsReachTheStatusBar() {
        Program p;
        QVERIFY(p.ok);
        StatusBarWidget* status = p.window.StatusBarPart();
        const QRect fore = status->PartRect(2);
        SendMouse(status, QEvent::MouseMove, fore.center());
        QCOMPARE(status->Text(1), QString("RGB=0,0,0"));
        SendMouse(status, QEvent::MouseMove, status->PartRect(0).center());
        QCOMPARE(status->Text(1), QString(" "));
        QCOMPARE(status->Part(2)->palette().color(QPalette::Window), QColor(Qt::black));
        // Read out by assistive technology: the texts, and the swatches by their colours.
        QCOMPARE(status->Part(0)->accessibleName(), status->Text(0));
        QCOMPARE(status->Part(1)->accessibleName(), QString("Pointer"));  // blank text
        QCOMPARE(status->Part(3)->accessibleName(), QString("Background color"));
        QCOMPARE(status->Part(3)->accessibleDescription(), QString("RGB=255,255,255"));

        // A click on the foreground swatch asks for a colour.
        p.host.chosenColor = ColorFromRgb(0, 128, 255);
        SendMouse(status, QEvent::MouseButtonPress, fore.center(), Qt::LeftButton);
        QCOMPARE(p.ed.settings.foreColor, ColorFromRgb(0, 128, 255));
        QCOMPARE(status->Part(2)->palette().color(QPalette::Window), QColor(0, 128, 255));

        SendMouse(p.window.View()->Surface(), QEvent::MouseMove, QPoint(3, 4));
        QVERIFY2(status->Text(1).startsWith("Pos="), qPrintable(status->Text(1)));
        QCOMPARE(status->Text(1), QString::fromStdString(p.ed.pointerStatus));
    }

    void draggingMarksASelection() {
        Program p;
        QVERIFY(p.ok);
        QWidget* surface = p.window.View()->Surface();
        QCOMPARE(surface->cursor().shape(), Qt::CrossCursor);  // the rectangle tool
        SendMouse(surface, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton);
        SendMouse(surface, QEvent::MouseMove, QPoint(50, 40), Qt::LeftButton);
        SendMouse(surface, QEvent::MouseButtonRelease, QPoint(50, 40), Qt::LeftButton);
        QVERIFY(p.ed.selection.active);
        const Rect& r = p.ed.selection.rect;
        QCOMPARE(r.left, 10 + p.ed.view.scrollOriginX);
        QCOMPARE(r.top, 10 + p.ed.view.scrollOriginY);
        QTRY_COMPARE(p.window.StatusBarPart()->Text(4),
                     QString("Selection@ %1,%2 (%3W x %4H)").arg(r.left).arg(r.top).arg(r.right - r.left).arg(r.bottom - r.top));
        QVERIFY(p.window.Bars()->MenuAction(CommandId::Crop)->isEnabled());
        QVERIFY(AdjustDialogOpen(p.ed));  // a release with a selection opens it
    }

    void theAdjustDialogIsModelessAndKeepsItsKeys() {
        Program p;
        QVERIFY(p.ok);
        StatusBarWidget* status = p.window.StatusBarPart();
        SendMouse(status, QEvent::MouseButtonPress, status->PartRect(4).center(), Qt::LeftButton);
        AdjustSelectionDialog* model = OpenAdjustDialogModel(p.ed);
        QVERIFY(model);
        auto* dialog = qobject_cast<DialogWindow*>(p.host.ModelessWindow(*model));
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        QCOMPARE(dialog->focusWidget(), dialog->Control(ControlId::AdjustLeft));  // the first field has the focus
        QApplication::setActiveWindow(dialog);
        QTRY_COMPARE(QApplication::focusWidget(), dialog->Control(ControlId::AdjustLeft));
        auto* width = qobject_cast<QLineEdit*>(dialog->Control(ControlId::AdjustWidth));
        QCOMPARE(width->accessibleName(), QString("Width:"));
        QCOMPARE(width->text(), QString::number(p.ed.selection.rect.right - p.ed.selection.rect.left));

        // Typing and Enter resize the selection; the frame shows it.
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, "25");
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(p.ed.selection.rect.right - p.ed.selection.rect.left, 25);
        QCOMPARE(width->text(), QString("25"));
        QCOMPARE(width->selectedText(), QString("25"));  // the model selects what Enter applied

        // An arrow spins its field and takes the focus there.
        const Rect& sel = p.ed.selection.rect;
        const int height = sel.bottom - sel.top;
        auto arrows = dialog->Control(ControlId::AdjustHeight + ControlId::AdjustArrowsOffset)->findChildren<QToolButton*>();
        QCOMPARE(arrows[0]->accessibleName(), QString("Height: up"));
        arrows[0]->click();
        QCOMPARE(sel.bottom - sel.top, height + 1);
        QCOMPARE(QApplication::focusWidget(), dialog->Control(ControlId::AdjustHeight));
        width->setFocus();

        // Keys in the dialog stay there: F1 shows no help.
        QTest::keyClick(width, Qt::Key_F1);
        QCOMPARE(p.host.boxes.size(), 0);

        // Moving the dialog is remembered; Esc closes it.
        dialog->move(p.window.frameGeometry().topLeft() + QPoint(40, 50));
        QCOMPARE(p.ed.settings.adjustOffsetX, 40);
        QCOMPARE(p.ed.settings.adjustOffsetY, 50);
        QTest::keyClick(width, Qt::Key_Escape);
        QVERIFY(!AdjustDialogOpen(p.ed));
        QTRY_VERIFY(!p.host.ModelessWindow(*model));
    }

    void recentPathsShowTheirAmpersands() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Tom & Jerry.bmp");
        QVERIFY(QFile::copy(QString::fromStdString(kSample), path));
        Program p(path.toStdString());
        QVERIFY(p.ok);
        QString shown = path;
        shown.replace("&", "&&");
        QCOMPARE(p.window.Bars()->MenuAction(CommandId::RecentFile0)->text(), shown);
    }

    void minimisingAndRestoringReachTheCore() {
        Program p;
        QVERIFY(p.ok);
        p.window.showMinimized();
        QTRY_VERIFY(p.ed.frame.minimized);
        p.window.showNormal();
        QTRY_VERIFY(!p.ed.frame.minimized);
        QCOMPARE(p.ed.frame.layout.clientWidth, p.window.Area()->width());
    }

    void exitClosesTheFrame() {
        Program p;
        QVERIFY(p.ok);
        p.window.Bars()->MenuAction(CommandId::Exit)->trigger();
        QTRY_VERIFY(!p.window.isVisible());
        QVERIFY(!p.ed.closeRequested);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
