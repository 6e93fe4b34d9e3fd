#include <QApplication>
#include <QMessageBox>

#include "frame/CommandLine.h"
#include "frame/EditorEvents.h"
#include "gui/Artwork.h"
#include "gui/MainWindow.h"
#include "gui/QtHost.h"
#include "store/Store.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);  // takes its own options out of argv first
    QApplication::setApplicationName(QStringLiteral("Rastrix"));
    QApplication::setWindowIcon(rastrix::gui::ProgramIcon());

    const rastrix::CommandLineArgument argument = rastrix::ArgumentFromWords(argc, argv);
    if (!argument.Ok()) QMessageBox::warning(nullptr, QStringLiteral("Rastrix"), QString::fromStdString(argument.error));

    rastrix::gui::QtHost host;
    rastrix::Editor ed(host);
    rastrix::Store store(rastrix::Store::DefaultFolder(), *ed.files);
    int status = 0;
    {
        rastrix::gui::MainWindow window(ed, host);
        window.Start(store, argument.path);
        status = app.exec();
    }
    if (const std::optional<std::string> problem = rastrix::Shutdown(ed, store))
        QMessageBox::warning(nullptr, QStringLiteral("Rastrix"), QString::fromStdString(*problem));
    return status;
}
