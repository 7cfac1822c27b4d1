// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 土方数量表 and the other tables on their ways out: a printer, a preview,
// a PDF file, an Excel workbook.

#include <QString>

class QPrinter;
class QWidget;

namespace document {
class SurveyDocument;
}
namespace printout {
struct QuantityTable;
}

namespace window {

// The table of the survey the document holds, of either kind, with its 工程信息.
printout::QuantityTable quantityTableOf(const document::SurveyDocument& document);

// The tables of the document's survey (cut and fill) with its 工程信息: the
// 路基设计表, the 路基土石方数量计算表, the 土方调配表.
printout::QuantityTable roadTableOf(const document::SurveyDocument& document);
printout::QuantityTable earthworksTableOf(const document::SurveyDocument& document);
printout::QuantityTable haulTableOf(const document::SurveyDocument& document);

// Sets `printer` to the table's page and document name, before the print
// dialog so that the user may still change them.
void setUpForQuantityTable(const printout::QuantityTable& table, QPrinter& printer);

// The print preview of the table on `printer` (set up here), modal over
// `parent`; printing from it prints on `printer`.
void previewQuantityTable(const printout::QuantityTable& table, QPrinter& printer, QWidget* parent);

// Asks where, proposing a name after the document's survey and the table's
// title, and writes the table there safely as an Excel workbook; a failure
// is told over `parent`.
void exportTableWorkbook(const printout::QuantityTable& table,
                         const document::SurveyDocument& document, QWidget* parent);

}  // namespace window
