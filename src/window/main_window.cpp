// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QWindow>

#include "dialogue/run.h"
#include "storage/data_folder.h"
#include "storage/interchange_export.h"
#include "storage/recent_files.h"
#include "storage/recovered_edits.h"
#include "storage/survey_io.h"
#include "storage/unsaved_edits.h"
#include "survey_file/file_format.h"
#include "window/busy_opening.h"
#include "window/design/road_design_dock.h"
#include "window/edit_recovery.h"
#include "window/landxml_choice_dialog.h"
#include "window/platform/data_folder_messages.h"
#include "window/platform/file_dialogs.h"
#include "window/platform/guarded.h"
#include "window/platform/native_window.h"
#include "window/platform/title.h"
#include "window/printing/quantity_table_print.h"
#include "window/project_info_dialog.h"
#include "window/road_design_files.h"
#include "window/section_sheets_dialog.h"
#include "window/survey_saving.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_view.h"
#include "window/views/main_form.h"
#include "window/views/quantity_table_dock.h"
#include "window/views/results_overview.h"
#include "window/views/section_panel.h"
#include "window/views/warnings_dock.h"
#include "window/volume_method_menu.h"
#include "window/workbench.h"

namespace window {

namespace {

constexpr int kPanelWidth = 380;
constexpr int kPanelMinimum = 240;
constexpr int kSlack = 16;  // frames and the dock's handle

// Opening takes either kind.
const QString kOpenFilter = QStringLiteral(
    "测量数据 (*.csv *.txt *.tsv *.hdm *.xml);;里程文件 (*.hdm);;LandXML (*.xml);;所有文件 (*)");

QString caption() {
    return applicationTitle();
}

// Edits recovered from an earlier run belong to their file again, in the
// format its name says; what it holds now was never read here, so saving
// over it asks first.
document::FileTie recoveredTie(const QString& file) {
    if (file.isEmpty()) return {.name = QStringLiteral("未保存的修改")};
    using document::FileFormat;
    const FileFormat format = survey_file::isHdmName(file.toStdString()) ? FileFormat::Hdm
                              : file.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive)
                                  ? FileFormat::LandXml
                                  : FileFormat::SurveyCsv;
    return {file, format, {document::FileStamp::kUnread}};
}

bool isSurveyFile(const QUrl& url) {
    return url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir();
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(caption());
    setAcceptDrops(true);
    form_ = new MainForm(document_, printing_);
    form_->setMinimumSize(form_->size());
    scroll_ = new QScrollArea;
    scroll_->setWidget(form_);
    // Larger than the form: the form grows with its pale background; smaller:
    // scroll bars, the layout unchanged.
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    // Tab goes round the form's own controls, the section count box first.
    scroll_->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(scroll_);
    form_->textBox(section::TextBox::Text1)->setFocus();
    // The drawing beside the form, never over it; shown by default.
    panel_ = new SectionPanel(document_);
    panel_->setMinimumWidth(kPanelMinimum);
    dock_ = new QDockWidget(QStringLiteral("断面图"), this);
    dock_->setObjectName(QStringLiteral("drawingDock"));
    dock_->setWidget(panel_);
    dock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    addDockWidget(Qt::RightDockWidgetArea, dock_);
    // Under the drawing: the form keeps its room.
    warnings_ = new WarningsDock(document_, *statusBar(), this);
    addDockWidget(Qt::RightDockWidgetArea, warnings_);
    splitDockWidget(dock_, warnings_, Qt::Vertical);
    connect(warnings_, &WarningsDock::sectionChosen, panel_, &SectionPanel::showSection);
    // The survey as a table to type and correct in, beside the form; hidden
    // until asked for (编辑 ▸ 测量数据表, Ctrl+T).
    table_ = new SurveyTableDock(document_, this);
    addDockWidget(Qt::LeftDockWidgetArea, table_);
    table_->hide();
    // The road design's tables under the survey table, hidden until asked for.
    design_ = new RoadDesignDock(document_, this);
    addDockWidget(Qt::LeftDockWidgetArea, design_);
    splitDockWidget(table_, design_, Qt::Vertical);
    design_->hide();
    connect(design_, &RoadDesignDock::message, statusBar(),
            [this](const QString& text) { statusBar()->showMessage(text); });
    // A cut-and-fill survey has the drawing in the centre instead of the form.
    workbench_ = new Workbench(*this, *dock_, *table_, *warnings_, document_);
    // After the workbench, whose layouts it follows: hidden for a closed outline.
    const auto table = [this](const QuantityTableDock::Names& names, Printing::TableMaker make) {
        auto* dock = new QuantityTableDock(names, make, document_, printing_, this);
        addDockWidget(Qt::BottomDockWidgetArea, dock);
        return dock;
    };
    roadTable_ =
        table({QStringLiteral("路基设计表"), u'B', QStringLiteral("roadTableDock")}, roadTableOf);
    earthworksTable_ =
        table({QStringLiteral("路基土石方数量计算表"), u'M', QStringLiteral("earthworksTableDock")},
              earthworksTableOf);
    haulTable_ =
        table({QStringLiteral("土方调配表"), u'U', QStringLiteral("haulTableDock")}, haulTableOf);
    tabifyDockWidget(roadTable_, earthworksTable_);
    tabifyDockWidget(earthworksTable_, haulTable_);
    connect(table_->view(), &SurveyTableView::message, statusBar(), [this](const QString& text) {
        statusBar()->showMessage(text);
        tableRefusal_ = text;
    });
    // A refusal stays on the status bar until the next edit that goes through.
    connect(&document_, &document::SurveyDocument::changed, this, [this] {
        if (!tableRefusal_.isEmpty() && statusBar()->currentMessage() == tableRefusal_)
            statusBar()->clearMessage();
        tableRefusal_.clear();
    });
    connect(table_->view(), &SurveyTableView::currentPointChanged, panel_,
            &SectionPanel::showPoint);
    connect(form_, &MainForm::draftShown, panel_, &SectionPanel::showDraft);
    connect(form_, &MainForm::runEnded, panel_, &SectionPanel::showSurvey);
    createMenus();
    new EditRecovery(document_, this);
    connect(&document_, &document::SurveyDocument::fileChanged, this, &MainWindow::showTitle);
    connect(&document_, &document::SurveyDocument::volumeMethodChanged, this,
            &MainWindow::showTitle);
    form_->setSurveyGuard([this] { return maySetSurveyAside(); });
    connect(form_, &MainForm::calculationFinished, this, &MainWindow::calculationFinished);
    connect(&printing_, &Printing::exportRequested, this, &MainWindow::exportPdf);
    connect(&printing_, &Printing::statusMessage, statusBar(),
            [this](const QString& message) { statusBar()->showMessage(message); });

    // The whole form with the bars above and below it and the drawing beside
    // it, but no larger than the screen's free area, frame included. The form
    // is served first; the drawing takes what is left, at least its minimum.
    QSize size = form_->size() + QSize(kPanelWidth, menuBar()->sizeHint().height() +
                                                        statusBar()->sizeHint().height() + kSlack);
    if (const QScreen* screen = this->screen()) {
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);
        size = size.boundedTo(room);
    }
    resize(size);
    resizeDocks({dock_}, {std::max(size.width() - form_->width() - kSlack, kPanelMinimum)},
                Qt::Horizontal);
}

MainWindow::~MainWindow() {
    // The widgets and the recovery follower read the document, a member that
    // goes before the base class deletes its children: they go first.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    delete findChild<EditRecovery*>(QString(), Qt::FindDirectChildrenOnly);
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->addAction(QStringLiteral("新建(&N)…"), QKeySequence::New, this, &MainWindow::newClicked);
    file->addAction(QStringLiteral("打开测量数据(&O)…"), QKeySequence::Open, this,
                    &MainWindow::openClicked);
    saveAction_ = file->addAction(QStringLiteral("保存测量数据(&S)"), QKeySequence::Save, this,
                                  &MainWindow::saveClicked);
    saveAction_->setEnabled(false);
    saveAsAction_ = file->addAction(QStringLiteral("测量数据另存为(&A)…"), QKeySequence::SaveAs,
                                    this, &MainWindow::saveAsClicked);
    saveAsAction_->setEnabled(false);
    recentMenu_ = file->addMenu(QStringLiteral("最近打开的文件(&R)"));
    fillRecentMenu();
    QAction* last = file->addAction(QStringLiteral("打开最近一次计算(&L)"), this,
                                    &MainWindow::openLastCalculation);
    // A disabled submenu never shows, so it is filled before its menu opens
    // (another window may have opened files meanwhile), and after every open and save.
    connect(file, &QMenu::aboutToShow, this, [this, last] {
        fillRecentMenu();
        last->setEnabled(QFileInfo::exists(storage::lastCalculationPath()));
    });
    file->addSeparator();
    file->addAction(QStringLiteral("工程信息(&I)…"), this,
                    [this] { editProjectInfo(document_, this); });
    file->addSeparator();
    file->addAction(QStringLiteral("导出计算书为 PDF(&E)…"), this, &MainWindow::exportPdf);
    file->addAction(QStringLiteral("导出横断面图(&D)…"), this, &MainWindow::exportSectionSheets);
    file->addAction(QStringLiteral("导出 LandXML(&X)…"), this, [this] {
        exportFile(QStringLiteral("导出 LandXML"), QStringLiteral("断面"),
                   QStringLiteral("LandXML 文件 (*.xml)"), QStringLiteral("xml"),
                   [this](const QString& path) {
                       const document::SurveyDocument& held = document_;
                       return storage::exportLandXml(held.survey(), held.project(), path);
                   });
    });
    file->addAction(QStringLiteral("打印预览(&V)…"), this, &MainWindow::printPreviewClicked);
    file->addAction(QStringLiteral("打印(&P)…"), QKeySequence::Print, this,
                    &MainWindow::printClicked);
    file->addSeparator();
    // The 土方数量表 of the survey on screen, with its 工程信息.
    const auto quantities = [this](auto method) {
        return [this, method] { (printing_.*method)(document_); };
    };
    file->addAction(QStringLiteral("打印土方数量表(&Q)…"), this,
                    quantities(&Printing::printQuantityTable));
    file->addAction(QStringLiteral("土方数量表预览(&W)…"), this,
                    quantities(&Printing::previewQuantityTable));
    file->addAction(QStringLiteral("导出土方数量表为 PDF(&T)…"), this,
                    [this] { printing_.exportQuantityTablePdf(document_); });
    file->addSeparator();
    file->addAction(QStringLiteral("打开道路设计(&G)…"), this,
                    [this] { openRoadDesignClicked(this, document_); });
    file->addAction(QStringLiteral("保存道路设计(&J)…"), this,
                    [this] { saveRoadDesignClicked(this, document_); });
    file->addSeparator();
    for (const QuantityTableDock* dock : {roadTable_, earthworksTable_, haulTable_})
        file->addActions(dock->fileActions());
    file->addSeparator();
    file->addAction(QStringLiteral("退出(&X)"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    QUndoStack* steps = document_.undoStack();
    QAction* undo = steps->createUndoAction(edit, QStringLiteral("撤销"));
    undo->setShortcut(QKeySequence::Undo);
    edit->addAction(undo);
    QAction* redo = steps->createRedoAction(edit, QStringLiteral("重做"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(QStringLiteral("测量数据表(&T)"), QKeySequence(Qt::CTRL | Qt::Key_T), this,
                    &MainWindow::showTable);
    edit->addAction(QStringLiteral("道路设计(&D)"), this, &MainWindow::showRoadDesign);

    QMenu* calculation = menuBar()->addMenu(QStringLiteral("计算(&C)"));
    calculation->addMenu(volumeMethodMenu(this, document_));

    QMenu* view = menuBar()->addMenu(QStringLiteral("视图(&V)"));
    QAction* drawing = dock_->toggleViewAction();
    drawing->setText(QStringLiteral("断面图(&D)"));
    view->addAction(drawing);
    view->addAction(warnings_->toggleViewAction());
    view->addAction(QStringLiteral("计算结果一览(&R)"), this, [this] { showOverview(); });
    for (const QuantityTableDock* dock : {roadTable_, earthworksTable_, haulTable_})
        view->addAction(dock->toggleViewAction());

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    help->addAction(QStringLiteral("关于(&A)"), this, &MainWindow::aboutClicked);
}

void MainWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = storage::recentFiles();
    for (int k = 0; k < files.size(); ++k) {
        const QString path = files[k];
        recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(k + 1).arg(QDir::toNativeSeparators(path)), this,
            [this, path] { openSurvey(path); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

bool MainWindow::openSurvey(const QString& path, bool remember) {
    bool opened = false;
    // Out of memory while calculating a large file: a message, the window and
    // the calculation on screen kept.
    runGuarded(this, [&] { opened = showSurveyFile(path, remember); });
    return opened;
}

bool MainWindow::showSurveyFile(const QString& path, bool remember) {
    if (!maySetSurveyAside()) return false;
    std::optional<storage::OpenedSurvey> read =
        whileOpening(*this, path, [&] { return readResponsively(*this, path); });
    if (!read) return false;  // given up
    if (read->survey && read->landXml) {
        // Read with the guess first: its contents tell whether to ask.
        const std::optional<survey_file::LandXmlChoice> choice =
            askLandXmlChoice(this, *read->landXml);
        if (!choice) return false;
        if (*choice != read->landXml->choice)
            read = whileOpening(*this, path, [&] {
                return readResponsively(*this, path, [&](const QString& file, auto* progress) {
                    return storage::openSurveyAs(file, *choice, progress);
                });
            });
        if (!read) return false;
    }
    storage::OpenedSurvey& opened = *read;
    if (!opened.survey) {
        QMessageBox::warning(this, caption(), opened.error);
        if (!QFileInfo::exists(path)) {
            storage::forgetFile(path);
            fillRecentMenu();
        }
        return false;
    }
    if (const document::Edited shown = whileOpening(
            *this, path,
            [&] {
                return form_->showSurvey(std::move(*opened.survey), path, std::move(opened.project),
                                         std::move(opened.reading));
            });
        !shown.done()) {
        QMessageBox::warning(
            this, caption(),
            QStringLiteral("测量数据文件“%1”没有打开：%2。上一次的计算结果保持不变。")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(shown.why)));
        return false;
    }
    document_.markSaved({path, opened.format, opened.stamp});
    if (remember) {
        storage::rememberFile(path);
        fillRecentMenu();
    }
    return true;
}

bool MainWindow::openLastCalculation() {
    if (!openSurvey(storage::lastCalculationPath(), false)) return false;
    // The copy in the data folder is not the user's file, and the next
    // calculation overwrites it: saving asks for a place of the user's own.
    document_.markSaved({.name = QStringLiteral("最近一次计算")});
    return true;
}

void MainWindow::offerUnsavedEdits() {
    if (const QString aside = storage::setAsideUnreadableLastCalculation(); !aside.isEmpty())
        QMessageBox::warning(this, caption(), aside);
    const storage::EditFiles offered = storage::editFilesToOffer();
    if (offered.stem.isEmpty()) return;
    const storage::FoldedEdits folded = storage::foldUnsavedEdits(offered);
    if (!folded.failure.isEmpty()) warnDataFolderOnce(this, folded.failure);
    if (!QFileInfo::exists(offered.copy())) {
        if (!folded.lost.isEmpty()) QMessageBox::warning(this, caption(), folded.lost);
        return;
    }
    QMessageBox box(QMessageBox::Question, caption(), storage::unsavedEditsQuestion(folded),
                    QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    const auto remove = [&] {
        if (const QString failure = storage::removeUnsavedEdits(offered); !failure.isEmpty())
            warnDataFolderOnce(this, failure);
    };
    if (box.clickedButton() == no) {
        remove();
        return;
    }
    if (box.clickedButton() != yes) return;
    if (!openSurvey(offered.copy(), false)) return;
    // Opened as the file it belongs to, but still not saved: it stays
    // changed, and kept, in this instance's own files from here on.
    document_.tieTo(recoveredTie(folded.file));
    if (!offered.isOwn()) remove();
}

void MainWindow::newClicked() {
    if (!maySetSurveyAside()) return;
    QMessageBox kind(QMessageBox::Question, caption(), QStringLiteral("新建哪一种测量数据？"),
                     QMessageBox::NoButton, this);
    kind.setInformativeText(
        QStringLiteral("闭合断面：每个断面一圈闭合的观测点，按提示逐个输入。\n"
                       "填挖方断面：每个断面一条地面线和一条设计线，在测量数据表中输入。"));
    QPushButton* closed = kind.addButton(QStringLiteral("闭合断面"), QMessageBox::YesRole);
    QPushButton* cutFill = kind.addButton(QStringLiteral("填挖方断面"), QMessageBox::NoRole);
    kind.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    kind.setDefaultButton(closed);
    kind.exec();
    if (kind.clickedButton() != closed && kind.clickedButton() != cutFill) return;
    const bool cutAndFill = kind.clickedButton() == cutFill;
    QMessageBox box(QMessageBox::Question, caption(),
                    cutAndFill ? QStringLiteral("新的填挖方断面是否输入断面桩号？")
                               : QStringLiteral("新的测量数据是否输入断面桩号？"),
                    QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral("输入桩号"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("输入间距"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == cancel || !box.clickedButton()) return;
    newSurvey(cutAndFill ? section::SurveyKind::CutFill : section::SurveyKind::ClosedOutline,
              box.clickedButton() == yes);
}

void MainWindow::newSurvey(section::SurveyKind kind, bool stations) {
    // An empty survey always calculates.
    document_.replaceSurvey(section::emptySurvey(kind, stations), QStringLiteral("新建"), {},
                            section::ProjectInfo{}, document::Replacing::AsSaved);
    document_.markSaved(document::FileTie{});
    enableSaving();
    // A cut-and-fill survey has no prompts: it is typed into the table.
    if (kind == section::SurveyKind::CutFill) showTable();
}

bool MainWindow::maySetSurveyAside() {
    if (!document_.modified()) return true;
    QMessageBox box(QMessageBox::Warning, caption(),
                    QStringLiteral("测量数据已经修改，还没有保存。是否保存修改？"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return saveClicked();
        case QMessageBox::Discard:
            // Put aside on purpose: nothing is left to recover.
            document_.markSaved();
            return true;
        default:
            return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (maySetSurveyAside()) {
        workbench_->remember();
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::openClicked() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开测量数据"),
                                                      dialogFolder(currentFile()), kOpenFilter);
    if (!path.isEmpty()) openSurvey(path);
}

bool MainWindow::saveClicked() {
    return saved(saveDocument(this, document_, SaveWhere::OwnFile));
}

bool MainWindow::saveAsClicked() {
    return saved(saveDocument(this, document_, SaveWhere::Ask));
}

bool MainWindow::saved(const QString& path) {
    if (path.isEmpty()) return false;
    storage::rememberFile(path);
    fillRecentMenu();
    return true;
}

void MainWindow::showTable() {
    table_->show();
    table_->raise();
    table_->view()->focusCurrentCell();
}

void MainWindow::showRoadDesign() {
    design_->show();
    design_->raise();
}

ResultsOverview& MainWindow::showOverview() {
    if (!overview_) overview_ = new ResultsOverview(document_, this);
    overview_->showSurvey();
    overview_->show();
    overview_->raise();
    overview_->activateWindow();
    return *overview_;
}

bool MainWindow::exportPdf() {
    return printing_.exportPdf(document_);
}

void MainWindow::exportFile(const QString& title, const QString& what, const QString& filter,
                            const QString& ending,
                            const std::function<QString(const QString&)>& write) {
    const QString path =
        askSavePath(this, title, exportPath(document_, what, ending), filter, ending);
    if (path.isEmpty()) return;
    const QString error = write(path);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, caption(), error);
        return;
    }
    statusBar()->showMessage(QStringLiteral("已导出“%1”。").arg(QDir::toNativeSeparators(path)));
}

void MainWindow::exportSectionSheets() {
    const document::SurveyDocument& held = document_;
    SectionSheetsDialog dialog(held.survey(), held.project(),
                               exportPath(held, QStringLiteral("横断面图"), QStringLiteral("pdf")),
                               this);
    if (dialog.exec() != QDialog::Accepted) return;
    statusBar()->showMessage(
        QStringLiteral("已导出“%1”。").arg(QDir::toNativeSeparators(dialog.written())));
}

void MainWindow::printPreviewClicked() {
    printing_.preview(document_);
}

void MainWindow::printClicked() {
    printing_.printWithDialog(document_);
}

void MainWindow::aboutClicked() {
    QMessageBox::about(
        this, QStringLiteral("关于 ") + caption(),
        QStringLiteral(
            "<p><b>%1 %2</b>：道路土方断面计算</p>"
            "<p>按高程—距离梯形法计算横断面面积，按平均断面法计算相邻断面间的体积和总方量，"
            "并打印计算书。</p>"
            "<p>本程序是自由软件，按 GNU 通用公共许可证第 3 版或（由你选择）任何更新的版本"
            "（GPL-3.0-or-later）发布，不提供任何担保。</p>")
            .arg(caption(), QCoreApplication::applicationVersion()));
}

void MainWindow::calculationFinished(bool typed, bool kept) {
    enableSaving();
    // A typed calculation belongs to no file until it is saved; kept as the
    // last calculation, nothing of it is lost unsaved. Not kept (another
    // window keeps the last calculation, or it could not be written), it is
    // unsaved work, asked about before it is put aside.
    if (typed && kept) document_.markSaved(document::FileTie{});
}

void MainWindow::enableSaving() {
    saveAction_->setEnabled(true);
    saveAsAction_->setEnabled(true);
}

const QString& MainWindow::currentFile() const {
    return document_.fileName();
}

// "name - Velmorin", with a * after the name while there are changes not
// saved, and the method after it when volumes are prismoids: "name*（棱台法）".
void MainWindow::showTitle() {
    const document::FileTie& file = document_.file();
    QString mark = document_.modified() ? QStringLiteral("*") : QString();
    const section::VolumeMethod method = document_.survey().volumeMethod();
    if (method != section::VolumeMethod::AverageEndArea)
        mark += QStringLiteral("（%1）").arg(QString::fromStdString(section::methodName(method)));
    const QString name = file.path.isEmpty() ? file.name : QFileInfo(file.path).fileName();
    if (name.isEmpty() && mark.isEmpty()) {
        setWindowTitle(caption());
        return;
    }
    setWindowTitle((name.isEmpty() ? QStringLiteral("未命名") : name) + mark +
                   QStringLiteral(" - ") + caption());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && isSurveyFile(urls.first())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !isSurveyFile(urls.first())) return;
    event->acceptProposedAction();
    // Not inside the drop: a message box there would hold the dragging program.
    const QString path = urls.first().toLocalFile();
    QTimer::singleShot(0, this, [this, path] { openSurvey(path); });
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
