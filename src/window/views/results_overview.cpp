// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/results_overview.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "document/survey_document.h"
#include "printout/quantity_table.h"
#include "section/any_survey.h"
#include "section/profile_curve.h"
#include "section/reading_report.h"
#include "section/running_curves.h"
#include "section/survey_captions.h"
#include "storage/safe_write.h"
#include "survey_file/survey_file.h"
#include "window/platform/file_dialogs.h"
#include "window/platform/title.h"
#include "window/printing/quantity_table_print.h"
#include "window/views/profile_view.h"
#include "window/views/volume_curve.h"
#include "window/views/warnings_dock.h"

namespace window {

namespace {

const QColor kWarningTint(255, 236, 179);
// Up to this many result columns the units stay beside the names.
constexpr std::size_t kNarrowColumns = 6;

}  // namespace

ResultsOverview::ResultsOverview(const document::SurveyDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document) {
    setWindowTitle(QStringLiteral("计算结果一览 - ") + applicationTitle());
    table_ = new QTableWidget(this);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    total_ = new QLabel(this);
    warningsNote_ = new QLabel(this);
    warningsNote_->setWordWrap(true);
    curve_ = new VolumeCurve(this);
    massCurve_ =
        new QCheckBox(QStringLiteral("土方累积曲线（累计挖余 − 累计填缺）与土方调配"), this);
    massCurve_->hide();
    haulNote_ = new QLabel(this);
    haulNote_->setWordWrap(true);
    haulNote_->hide();
    auto* copy = new QPushButton(QStringLiteral("复制选中的行"), this);
    auto* toCsv = new QPushButton(QStringLiteral("导出 CSV…"), this);
    auto* toExcel = new QPushButton(QStringLiteral("导出 Excel…"), this);

    auto* left = new QWidget(this);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(table_, 1);
    column->addWidget(total_);
    // Under the totals, where the table gives way, not under the curve,
    // which has no height to spare below the drawing.
    column->addWidget(haulNote_);
    column->addWidget(warningsNote_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(toCsv);
    buttons->addWidget(toExcel);
    buttons->addStretch();
    column->addLayout(buttons);
    splitter_ = new QSplitter(this);
    splitter_->addWidget(left);
    auto* right = new QWidget(this);
    auto* curveColumn = new QVBoxLayout(right);
    curveColumn->setContentsMargins(0, 0, 0, 0);
    curveColumn->addWidget(curve_, 1);
    curveColumn->addWidget(massCurve_);
    // The 纵断面 in a tab beside the curves, for cut-and-fill sections: below
    // the drawing there is no height for both.
    profile_ = new ProfileView(this);
    curveTabs_ = new QTabWidget(this);
    curveTabs_->setDocumentMode(true);
    curveTabs_->addTab(right, QStringLiteral("累计土方曲线"));
    curveTabs_->addTab(profile_, QStringLiteral("纵断面"));
    curveTabs_->setTabVisible(1, false);
    splitter_->addWidget(curveTabs_);
    splitter_->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter_);

    // The table's own Ctrl+C copies one cell; here it copies the rows.
    table_->installEventFilter(this);
    connect(copy, &QPushButton::clicked, this, &ResultsOverview::copyRows);
    connect(toCsv, &QPushButton::clicked, this, &ResultsOverview::exportClicked);
    connect(massCurve_, &QCheckBox::toggled, this, &ResultsOverview::showCurves);
    connect(toExcel, &QPushButton::clicked, this, &ResultsOverview::exportExcelClicked);
    connect(&document_, &document::SurveyDocument::changed, this, [this] {
        if (isVisible()) showSurvey();
    });
    resize(1100, 440);
}

void ResultsOverview::showSurvey() {
    const section::Survey& survey = document_.survey();
    // The materials its file gave, beside the figures, for a file that has them.
    section::ResultTable results =
        section::withMaterials(section::resultTable(survey), survey, document_.reading());
    // A wide table has the units under the names, leaving the curve its room.
    if (results.header.size() > kNarrowColumns) {
        for (std::string& name : results.header) {
            if (const auto unit = name.find('('); unit != std::string::npos)
                name.insert(unit, "\n");
        }
    }
    fillTable(results);
    markWarnings(document_.warnings());
    total_->setText(QString::fromStdString(section::totalsLine(survey)));
    massCurve_->setVisible(section::hasMassCurve(survey));
    const bool cutFill = survey.kind() == section::SurveyKind::CutFill;
    curveTabs_->setTabVisible(1, cutFill);
    if (cutFill) profile_->showCurve(section::profileCurve(survey));
    showCurves();
    fitColumns();
    // The table as wide as its columns, the curve the rest.
    int tableWidth = 2 * table_->frameWidth() + 20;
    for (int c = 0; c < table_->columnCount(); ++c) tableWidth += table_->columnWidth(c);
    splitter_->setSizes({tableWidth, std::max(width() - tableWidth, 300)});
}

bool ResultsOverview::profileOffered() const {
    return curveTabs_->isTabVisible(1);
}

void ResultsOverview::fillTable(const section::ResultTable& results) {
    table_->clear();
    table_->setColumnCount(int(results.header.size()));
    table_->setRowCount(int(results.rows.size()));
    QStringList header;
    for (const std::string& name : results.header) header << QString::fromStdString(name);
    table_->setHorizontalHeaderLabels(header);
    for (int r = 0; r < table_->rowCount(); ++r) {
        for (int c = 0; c < table_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(results.rows[r][c]));
            item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
}

// Each column as wide as its widest cell, measured on the cell of the
// longest text (the figures are digits of one width) and on a first cell with
// a warning's icon, not on each of a thousand rows.
void ResultsOverview::fitColumns() {
    for (int c = 0; c < table_->columnCount(); ++c) {
        int width = table_->horizontalHeader()->sectionSizeHint(c);
        qsizetype longest = -1;
        int longestRow = -1, markedRow = -1;
        for (int r = 0; r < table_->rowCount(); ++r) {
            const QTableWidgetItem* item = table_->item(r, c);
            if (item->text().size() > longest) {
                longest = item->text().size();
                longestRow = r;
            }
            if (markedRow < 0 && !item->icon().isNull()) markedRow = r;
        }
        for (int r : {longestRow, markedRow}) {
            if (r >= 0)
                width =
                    std::max(width, table_->sizeHintForIndex(table_->model()->index(r, c)).width() +
                                        (table_->showGrid() ? 1 : 0));
        }
        table_->setColumnWidth(c, width);
    }
}

void ResultsOverview::showCurves() {
    const section::RunningCurves curves =
        section::runningCurves(document_.survey(), massCurve_->isChecked());
    curve_->show(curves);
    haulNote_->setText(QString::fromStdString(curves.haulSummary));
    haulNote_->setVisible(!curves.haulSummary.empty());
}

QString ResultsOverview::haulText() const {
    return haulNote_->isVisible() ? haulNote_->text() : QString();
}

// The rows of sections with a warning: tinted, an icon before the number,
// the warnings as the tooltip. The cells' texts stay as copied and exported.
void ResultsOverview::markWarnings(const std::vector<section::SurveyWarning>& warnings) {
    const QIcon icon = warningIcon(*this);
    for (int r = 0; r < table_->rowCount(); ++r) {
        const QString texts = warningsOf(warnings, r + 1).join(u'\n');
        if (texts.isEmpty()) continue;
        table_->item(r, 0)->setIcon(icon);
        for (int c = 0; c < table_->columnCount(); ++c) {
            table_->item(r, c)->setBackground(kWarningTint);
            table_->item(r, c)->setToolTip(texts);
        }
    }
    warningsNote_->setVisible(!warnings.empty());
    warningsNote_->setText(
        QStringLiteral("⚠ %1 条计算提醒：标黄的行，指针停在行上可以看到。").arg(warnings.size()));
}

bool ResultsOverview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copyRows();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QString ResultsOverview::totalText() const {
    return total_->text();
}

QString ResultsOverview::warningsText() const {
    return warningsNote_->isHidden() ? QString() : warningsNote_->text();
}

QString ResultsOverview::selectedRowsText() const {
    QList<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows << index.row();
    std::sort(rows.begin(), rows.end());
    QString text;
    for (int r : rows) {
        QStringList cells;
        for (int c = 0; c < table_->columnCount(); ++c) cells << table_->item(r, c)->text();
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

void ResultsOverview::copyRows() const {
    const QString text = selectedRowsText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

QString ResultsOverview::exportCsv(const QString& path) const {
    const std::string csv =
        survey_file::resultsCsv(document_.survey(), survey_file::CsvFor::Spreadsheet);
    return storage::writeFileSafely(path, QByteArray::fromStdString(csv));
}

void ResultsOverview::exportClicked() {
    const QString path =
        askSavePath(this, QStringLiteral("导出计算结果"),
                    exportPath(document_, QStringLiteral("计算结果"), QStringLiteral("csv")),
                    QStringLiteral("CSV 文件 (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty()) return;
    const QString error = exportCsv(path);
    if (!error.isEmpty()) QMessageBox::warning(this, applicationTitle(), error);
}

void ResultsOverview::exportExcelClicked() {
    exportTableWorkbook(quantityTableOf(document_), document_, this);
}

}  // namespace window
