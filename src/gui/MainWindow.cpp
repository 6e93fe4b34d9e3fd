#include "gui/MainWindow.h"

namespace rastrix::gui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) { setWindowTitle("Rastrix"); }

}  // namespace rastrix::gui
