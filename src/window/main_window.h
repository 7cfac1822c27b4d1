// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The top-level window around the form: the form keeps its fixed layout and
// scrolls when the window is smaller than it; the window opens no larger than
// the screen, and the program ends when the window is gone.

#include <QMainWindow>

class QScrollArea;

namespace window {

class MainForm;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);

    MainForm& form() const { return *form_; }
    QScrollArea& scrollArea() const { return *scroll_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void checkStillThere();

    MainForm* form_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

}  // namespace window
