// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While a survey file is read and calculated: a busy cursor and a word in the
// status bar, over a window drawn first, so that a long open shows what it
// does instead of a frozen or blank window. Undone at the end of the scope,
// before any message about the file.

#include <QString>

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

// The result of `work`, done while busy opening `path`.
template <typename Work>
auto whileOpening(QMainWindow& window, const QString& path, Work work) {
    const BusyOpening busy(window, path);
    return work();
}

}  // namespace window
