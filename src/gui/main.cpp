#include <QApplication>

#include "gui/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    rastrix::gui::MainWindow window;
    window.showMaximized();
    return app.exec();
}
