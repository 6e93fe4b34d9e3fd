#pragma once
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "editor/CommandStates.h"
#include "editor/Editor.h"
#include "frame/FrameLayout.h"
#include "gui/ColorBarWidget.h"

namespace rastrix {
class Store;
}

namespace rastrix::gui {

class CommandBars;
class ImageView;
class KeyRouter;
class QtHost;
class StatusBarWidget;

// The frame's client area: the tool bars, the image window, the drawing tools and the status
// bar stand in it where the frame's layout puts them; what they leave shows the frame's own
// background.
class FrameArea : public QWidget {
    Q_OBJECT
public:
    explicit FrameArea(QWidget* parent);

signals:
    void resized();
    void painted();
    void mouseMoved(QPoint position);
    void leftPressed(QPoint position);
    void leftReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The frame window. It owns no behaviour: every Qt event becomes one core call, and after each
// call Refresh shows what the editor now holds.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Editor& ed, QtHost& host, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: the core reads the settings; the window then takes its saved place and is
    // shown, maximised when it was; once it has been painted, the argument is opened, if any.
    void Start(const Store& store, const std::string& argument);

    // Shows the editor's state: command states, caption, layout, status texts, image window.
    void Refresh();

    // The heights the core lays the frame out with, from the widgets as built.
    FrameMetrics Metrics() const;

    // The file named at start has not been opened yet (the frame has not been painted).
    bool StartPending() const { return startPending_; }

    Editor& Ed() const { return ed_; }
    CommandBars* Bars() const { return bars_; }
    StatusBarWidget* StatusBarPart() const { return status_; }
    ImageView* View() const { return view_; }
    FrameArea* Area() const { return area_; }
    ColorBarWidget* ColorBar() const { return colorBar_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // A file dropped from a file manager opens as one chosen in the Open dialog.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnCommand(rastrix::CommandId id);
    void OnResized();
    void OnAreaPainted();
    void PlaceChildren();
    void ShowCommandStates(bool always);
    void ShowRecentFiles();
    WindowRect CurrentRect() const;

    Editor& ed_;
    QtHost& host_;
    FrameArea* area_;
    CommandBars* bars_;
    StatusBarWidget* status_;
    ImageView* view_;
    QPointer<ColorBarWidget> colorBar_;
    KeyRouter* keys_;
    std::optional<CommandStates> shownStates_;
    // The recent list as the menu shows it; the menu keeps its placeholders until start-up.
    std::optional<std::array<std::string, kRecentCount>> shownRecent_;
    bool started_ = false;
    std::optional<std::string> startFile_;  // the file named at start, until the first paint
    bool startPending_ = false;             // until that file has been opened
};

}  // namespace rastrix::gui
