// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While a survey file is read and calculated: a busy cursor and a word in the
// status bar, over a window drawn first, so that a long open shows what it
// does instead of a frozen or blank window. Undone at the end of the scope,
// before any message about the file. The file itself is read on a worker
// thread, so that the window keeps drawing; an open that takes longer than
// half a second shows a dialog that can give it up.

#include <QString>
#include <functional>
#include <optional>

#include "storage/survey_io.h"

class QMainWindow;

namespace window {

class BusyOpening {
  public:
    BusyOpening(QMainWindow& window, const QString& path);
    ~BusyOpening();
    BusyOpening(const BusyOpening&) = delete;
    BusyOpening& operator=(const BusyOpening&) = delete;

  private:
    QMainWindow& window_;
};

// The survey file read by `read` on a worker thread while the window keeps
// drawing (user input waits); from half a second on a window-modal dialog
// names the file and shows how far the reading has got, and its 取消 gives
// up the open: nothing then, the reading ending unseen.
using SurveyRead =
    std::function<storage::OpenedSurvey(const QString& path, survey_file::ReadProgress* progress)>;
std::optional<storage::OpenedSurvey> readResponsively(QMainWindow& window, const QString& path,
                                                      const SurveyRead& read = storage::openSurvey);

// The result of `work`, done while busy opening `path`.
template <typename Work>
auto whileOpening(QMainWindow& window, const QString& path, Work work) {
    const BusyOpening busy(window, path);
    return work();
}

}  // namespace window
