// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/busy_opening.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QProgressDialog>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <future>
#include <memory>

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

std::optional<storage::OpenedSurvey> readResponsively(QMainWindow& window, const QString& path,
                                                      const SurveyRead& read) {
    constexpr int kDialogAfterMilliseconds = 500;
    auto promise = std::make_shared<std::promise<storage::OpenedSurvey>>();
    std::future<storage::OpenedSurvey> result = promise->get_future();
    auto progress = std::make_shared<survey_file::ReadProgress>(0);
    // What the reading throws is thrown here again, as if read on this thread.
    QThread* worker = QThread::create([promise, read, path, progress] {
        try {
            promise->set_value(read(path, progress.get()));
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    // Given up or not, the thread goes when it has finished.
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    QTimer::singleShot(kDialogAfterMilliseconds, &loop, &QEventLoop::quit);
    worker->start();
    const auto finished = [&result] {
        return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    };
    // A short open draws but takes no input: nothing changes under it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished()) {
        QProgressDialog dialog(QStringLiteral("正在读取“%1”……").arg(QDir::toNativeSeparators(path)),
                               QStringLiteral("取消"), 0, survey_file::kReadDone, &window);
        dialog.setWindowTitle(window.windowTitle());
        dialog.setWindowModality(Qt::WindowModal);
        dialog.setMinimumDuration(0);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        dialog.setValue(progress->load());
        QObject::connect(&dialog, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &dialog,
                         [&dialog, progress] { dialog.setValue(progress->load()); });
        poll.start(100);
        dialog.show();
        // The dialog's 取消 is there to be clicked.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        // The worker may have finished while the dialog was made.
        if (!finished()) loop.exec();
        QApplication::restoreOverrideCursor();
        if (!finished()) return std::nullopt;
    }
    return result.get();
}

}  // namespace window
