// SPDX-License-Identifier: GPL-3.0-or-later
// The command line writes what it is asked for; without an output it asks
// for the window, opened here.

#include <QApplication>
#include <QTimer>

#include "command_line/command_line.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/platform/startup.h"

namespace {

int openWindow(int argc, char* argv[], const QString& path) {
    if (!window::displayReachable()) return 1;
    QApplication app(argc, argv);
    window::prepareApplication(app);
    window::MainWindow mainWindow;
    mainWindow.show();
    QTimer::singleShot(0, &mainWindow, [&] {
        window::warnIfNoChineseFont(&mainWindow);
        mainWindow.offerUnsavedEdits();
        if (!path.isEmpty()) mainWindow.openSurvey(path);
    });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    const command_line::Outcome outcome = command_line::run(argc, argv);
    if (!outcome.opensWindow) return outcome.status;
    return openWindow(argc, argv, outcome.file);
}
