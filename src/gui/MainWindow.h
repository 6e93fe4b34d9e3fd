#pragma once
#include <QMainWindow>

namespace rastrix::gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace rastrix::gui
