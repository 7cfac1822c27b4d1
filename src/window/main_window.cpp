// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QWindow>

#include "window/layout.h"
#include "window/main_form.h"
#include "window/native_window.h"

namespace window {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromUtf8(formCaption));
    form_ = new MainForm;
    form_->setMinimumSize(form_->size());
    scroll_ = new QScrollArea;
    scroll_->setWidget(form_);
    // Larger than the form: the form grows with its pale background; smaller:
    // scroll bars, the layout unchanged.
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    setCentralWidget(scroll_);

    // No larger than the screen's free area, frame included.
    QSize size = sizeHint().expandedTo(form_->size());
    if (const QScreen* screen = this->screen()) {
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);
        size = size.boundedTo(room);
    }
    resize(size);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (QWindow* handle = windowHandle()) handle->installEventFilter(this);
}

// A window destroyed behind the program's back (a window manager killing it)
// is only unmapped as far as Qt can tell: ask the display whether it is gone.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle() &&
        !windowHandle()->isExposed())
        QTimer::singleShot(0, this, &MainWindow::checkStillThere);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::checkStillThere() {
    if (!nativeWindowGone(*this)) return;
    // Every event loop ends, an open prompt's included; the calculation then
    // winds down as after a Cancel.
    QCoreApplication::exit(0);
}

}  // namespace window
