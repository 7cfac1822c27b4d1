// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTimer>

#include "window/application.h"
#include "window/main_window.h"
#include "window/startup.h"

int main(int argc, char* argv[]) {
    if (!window::displayReachable()) return 1;
    QApplication app(argc, argv);
    window::prepareApplication(app);
    window::MainWindow mainWindow;
    mainWindow.show();
    QTimer::singleShot(0, &mainWindow, [&] { window::warnIfNoChineseFont(&mainWindow); });
    return QApplication::exec();
}
