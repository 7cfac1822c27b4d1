// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/quantity_table_print.h"

#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "document/survey_document.h"
#include "paper/quantity_table_renderer.h"
#include "printout/earthworks_table.h"
#include "printout/haul_table.h"
#include "printout/road_table.h"
#include "printout/survey_printouts.h"
#include "storage/quantity_workbook_file.h"
#include "window/platform/file_dialogs.h"
#include "window/platform/title.h"

namespace window {

printout::QuantityTable quantityTableOf(const document::SurveyDocument& document) {
    return printout::quantityTable(document.survey(), document.project());
}

printout::QuantityTable roadTableOf(const document::SurveyDocument& document) {
    return printout::roadTable(document.survey(), document.project());
}

printout::QuantityTable earthworksTableOf(const document::SurveyDocument& document) {
    return printout::earthworksTable(document.survey(), document.project());
}

printout::QuantityTable haulTableOf(const document::SurveyDocument& document) {
    return printout::haulTable(document.survey(), document.project());
}

void setUpForQuantityTable(const printout::QuantityTable& table, QPrinter& printer) {
    printer.setDocName(QString::fromStdString(table.title));
    printer.setPageLayout(paper::quantityTablePageLayout(table));
}

void previewQuantityTable(const printout::QuantityTable& table, QPrinter& printer,
                          QWidget* parent) {
    setUpForQuantityTable(table, printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("打印预览 - ") + QString::fromStdString(table.title));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&table](QPrinter* target) { paper::renderQuantityTable(table, *target); });
    preview.resize(parent->window()->size().boundedTo(QSize(1000, 900)));
    preview.exec();
}

void exportTableWorkbook(const printout::QuantityTable& table,
                         const document::SurveyDocument& document, QWidget* parent) {
    const QString what = QString::fromStdString(table.title);
    const QString path =
        askSavePath(parent, QStringLiteral("导出%1为 Excel").arg(what),
                    exportPath(document, what, QStringLiteral("xlsx")),
                    QStringLiteral("Excel 工作簿 (*.xlsx)"), QStringLiteral("xlsx"));
    if (path.isEmpty()) return;
    const QString error = storage::exportQuantityWorkbook(table, path);
    if (!error.isEmpty()) QMessageBox::warning(parent, applicationTitle(), error);
}

}  // namespace window
