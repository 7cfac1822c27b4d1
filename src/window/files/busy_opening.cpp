// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/busy_opening.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QStatusBar>
#include <QWindow>

namespace window {

namespace {

// A window shown a moment ago (a file named on the command line) is not on
// the screen until the display says so: let it be drawn, up to a second.
void waitUntilExposed(QWidget& window) {
    QElapsedTimer waited;
    waited.start();
    while (window.isVisible() && window.windowHandle() && !window.windowHandle()->isExposed() &&
           waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
}

}  // namespace

BusyOpening::BusyOpening(QMainWindow& window, const QString& path) : window_(window) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    window_.statusBar()->showMessage(
        QStringLiteral("正在打开“%1”……").arg(QDir::toNativeSeparators(path)));
    waitUntilExposed(window_);
    if (window_.isVisible()) window_.statusBar()->repaint();
}

BusyOpening::~BusyOpening() {
    window_.statusBar()->clearMessage();
    QApplication::restoreOverrideCursor();
}

}  // namespace window
