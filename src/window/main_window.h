// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The top-level window around the form: a menu bar above it (files, view,
// help), the form with its fixed layout below, scrolling when the window is
// smaller than it, the drawing of the sections beside it. The window opens no larger than the
// screen, takes survey files dropped on it, and the program ends when the window is gone.

#include <QMainWindow>
#include <functional>

#include "document/survey_document.h"
#include "section/any_survey.h"
#include "window/printing/printing.h"

class QAction;
class QDockWidget;
class QMenu;
class QScrollArea;

namespace window {

class MainForm;
class ResultsOverview;
class RoadDesignDock;
class QuantityTableDock;
class SectionPanel;
class SurveyTableDock;
class WarningsDock;
class Workbench;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The survey on screen, and every way it goes to paper: the window owns
    // them; the form and the views work on them.
    document::SurveyDocument& document() { return document_; }
    const document::SurveyDocument& document() const { return document_; }
    Printing& printing() { return printing_; }

    MainForm& form() const { return *form_; }
    QScrollArea& scrollArea() const { return *scroll_; }
    SectionPanel& sectionPanel() const { return *panel_; }
    WarningsDock& warnings() const { return *warnings_; }
    Workbench& workbench() const { return *workbench_; }

    // 视图 ▸ 计算结果一览: the results of the calculation on screen, kept up to
    // date while it is open.
    ResultsOverview& showOverview();

    // 编辑 ▸ 测量数据表: the table shown, the keyboard in it on its current cell.
    void showTable();
    SurveyTableDock& table() const { return *table_; }
    // 视图 ▸ 路基设计表, 路基土石方数量计算表 and 土方调配表, for a cut-and-fill survey.
    QuantityTableDock& roadTable() const { return *roadTable_; }
    QuantityTableDock& earthworksTable() const { return *earthworksTable_; }
    QuantityTableDock& haulTable() const { return *haulTable_; }

    // 编辑 ▸ 道路设计: the road design's tables shown.
    void showRoadDesign();
    RoadDesignDock& roadDesign() const { return *design_; }

    // Opens and calculates a survey file; false (after telling the user why)
    // when it cannot, the calculation on screen then unchanged. `remember`
    // puts it among the recent files.
    bool openSurvey(const QString& path, bool remember = true);

    // 文件 ▸ 打开最近一次计算: the copy kept in the data folder, shown as
    // belonging to no file, so that saving it proposes a new place.
    bool openLastCalculation();

    // Edits not saved by an earlier run of the program: offered for reopening.
    void offerUnsavedEdits();

    // 文件 ▸ 新建: an empty survey of the kind chosen, with or without
    // stations; a cut-and-fill survey opens the table to type it into.
    void newSurvey(section::SurveyKind kind, bool stations);

    // Before the survey on screen is put aside (closing, 新建, 打开, a typed
    // run): a changed one asks 保存 / 不保存 / 取消; false for 取消 or a failed save.
    bool maySetSurveyAside();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // The sheet as a PDF: asks where, writes it safely; false when it was not
    // written (cancelled, or after telling why).
    bool exportPdf();

  private slots:
    void openClicked();
    bool saveClicked();
    bool saveAsClicked();
    void newClicked();
    void printPreviewClicked();
    void printClicked();
    void aboutClicked();
    void calculationFinished(bool typed, bool kept);

  private:
    void createMenus();
    // 文件 ▸ 导出横断面图…: the dialog, a success told in the status bar.
    void exportSectionSheets();
    // Asks where, proposing a name after the survey's with `what` (断面),
    // then writes; a failure is told, a success in the status bar.
    void exportFile(const QString& title, const QString& what, const QString& filter,
                    const QString& ending, const std::function<QString(const QString&)>& write);
    bool showSurveyFile(const QString& path, bool remember);
    void fillRecentMenu();
    bool saved(const QString& path);
    void enableSaving();
    const QString& currentFile() const;
    void showTitle();
    void checkStillThere();

    // Before the widgets, which hold references to them.
    document::SurveyDocument document_;
    Printing printing_{this};
    MainForm* form_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    SectionPanel* panel_ = nullptr;
    QDockWidget* dock_ = nullptr;
    ResultsOverview* overview_ = nullptr;
    WarningsDock* warnings_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    SurveyTableDock* table_ = nullptr;
    RoadDesignDock* design_ = nullptr;
    Workbench* workbench_ = nullptr;
    QuantityTableDock* roadTable_ = nullptr;
    QuantityTableDock* earthworksTable_ = nullptr;
    QuantityTableDock* haulTable_ = nullptr;
    QString tableRefusal_;  // the table's last refusal on the status bar
};

}  // namespace window
