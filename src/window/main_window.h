// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The top-level window around the form: a menu bar above it (files, view,
// help), the form with its fixed layout below, scrolling when the window is
// smaller than it, the drawing of the sections beside it. The window opens no larger than the
// screen, takes survey files dropped on it, and the program ends when the window is gone.

#include <QMainWindow>

class QAction;
class QDockWidget;
class QMenu;
class QScrollArea;

namespace window {

class MainForm;
class ResultsOverview;
class SectionPanel;
class WarningsDock;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);

    MainForm& form() const { return *form_; }
    QScrollArea& scrollArea() const { return *scroll_; }
    SectionPanel& sectionPanel() const { return *panel_; }
    WarningsDock& warnings() const { return *warnings_; }

    // 视图 ▸ 计算结果一览: the results of the calculation on screen, kept up to
    // date while it is open.
    ResultsOverview& showOverview();

    // Opens and calculates a survey file; false (after telling the user why)
    // when it cannot, the calculation on screen then unchanged. `remember`
    // puts it among the recent files.
    bool openSurvey(const QString& path, bool remember = true);

    // 文件 ▸ 打开最近一次计算: the copy kept in the data folder, shown as
    // belonging to no file, so that saving it proposes a new place.
    bool openLastCalculation();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // The sheet as a PDF: asks where, writes it safely; false when it was not
    // written (cancelled, or after telling why).
    bool exportPdf();

  private slots:
    void openClicked();
    void saveClicked();
    void printPreviewClicked();
    void printClicked();
    void aboutClicked();
    void calculationFinished(bool typed);

  private:
    void createMenus();
    bool showSurveyFile(const QString& path, bool remember);
    void fillRecentMenu();
    void setCurrentFile(const QString& path);
    void checkStillThere();

    MainForm* form_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    SectionPanel* panel_ = nullptr;
    QDockWidget* dock_ = nullptr;
    ResultsOverview* overview_ = nullptr;
    WarningsDock* warnings_ = nullptr;
    QAction* saveAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QString currentFile_;
};

}  // namespace window
