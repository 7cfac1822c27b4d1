// SPDX-License-Identifier: GPL-3.0-or-later
// The smallest Qt Widgets program that opens a window, built like velmorin:
// the yardstick for velmorin's start-up time (tools/bench-startup).

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(993, 617);  // velmorin's window, so both fill as many pixels
    window.show();
    return QApplication::exec();
}
