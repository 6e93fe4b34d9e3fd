#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <filesystem>
#include <string>

#include "frame/CommandLine.h"
#include "frame/EditorEvents.h"
#include "gui/Artwork.h"
#include "gui/MainWindow.h"
#include "gui/QtHost.h"
#include "store/Store.h"

int main(int argc, char** argv) {
    // Asked for the usage or the version: print it and go, without a window or a display.
    const rastrix::CommandLineArgument asked = rastrix::ArgumentFromWords(argc, argv);
    if (asked.request != rastrix::CommandLineArgument::Request::OpenFile) {
        const std::string text = asked.request == rastrix::CommandLineArgument::Request::Help
                                     ? rastrix::UsageText()
                                     : rastrix::VersionText();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    QApplication app(argc, argv);  // takes its own options out of argv first
    QApplication::setApplicationName(QStringLiteral("Rastrix"));
    QApplication::setWindowIcon(rastrix::gui::ProgramIcon());

    const rastrix::CommandLineArgument argument = rastrix::ArgumentFromWords(argc, argv);
    std::error_code ignored;
    const std::string usage = rastrix::SeveralWordsProblem(argument, std::filesystem::exists(argument.path, ignored));
    if (!usage.empty()) {
        const std::string text = usage + "Try 'rastrix --help' for more.\n";
        std::fwrite(text.data(), 1, text.size(), stderr);
        return 2;
    }
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
