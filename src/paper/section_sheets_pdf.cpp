// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/section_sheets_pdf.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QStringList>
#include <algorithm>

#include "paper/drawing_painter.h"
#include "printout/section_sheet_drawing.h"
#include "storage/interchange_export.h"
#include "storage/safe_write.h"

namespace paper {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kThinLine = 0.18;  // mm on paper, the pen of a drafted line
constexpr int kNamesTold = 5;       // sections named in a warning, the rest counted

QString paperName(const printout::Paper& paper) {
    const printout::Paper a4 = printout::Paper::a4();
    return paper.width == a4.width && paper.height == a4.height ? QStringLiteral("A4")
                                                                : QStringLiteral("A3");
}

// The next scale offered that draws smaller, or half the size past the last.
double smallerScale(double scale) {
    for (const double offered : printout::kSheetScales)
        if (offered > scale) return offered;
    return scale * 2;
}

// The sheet's paper, landscape when it is wider than tall, with no margins:
// the frame is part of the drawing.
QPageLayout sheetPageLayout(const printout::Paper& paper) {
    const QSizeF portrait(std::min(paper.width, paper.height), std::max(paper.width, paper.height));
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                       paper.width > paper.height ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// Sets `block` so that model point `corner` (the sheet's lower left corner,
// moved by the block's own placement) lands on the page's lower left corner.
void paintOnPage(QPainter& painter, const printout::DrawingBlock& block, printout::DrawPoint corner,
                 double pixelsPerMillimetre, double pageHeight, double metresPerMillimetre) {
    DrawingView view;
    view.unit = pixelsPerMillimetre / metresPerMillimetre;
    view.origin = QPointF(-corner.x * view.unit, pageHeight + corner.y * view.unit);
    view.penWidth = kThinLine * pixelsPerMillimetre;
    paintBlock(painter, block, view);
}

bool renderSheets(const printout::SheetDrawing& drawing, QPagedPaintDevice& device,
                  PageRange pages) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double pixelsPerMillimetre = device.logicalDpiX() / kMillimetresPerInch;
    const double pageHeight = drawing.paper.height * pixelsPerMillimetre;
    const double metres = drawing.metresPerMillimetre();
    bool first = true;
    for (std::size_t sheet = 0; sheet < drawing.sheets.size(); ++sheet) {
        if (!pages.holds(int(sheet) + 1)) continue;
        if (!first) device.newPage();
        first = false;
        const printout::DrawingBlock& frame = drawing.sheets[sheet];
        paintOnPage(painter, frame, frame.base, pixelsPerMillimetre, pageHeight, metres);
        for (const printout::BlockInsert& insert : drawing.inserts) {
            if (insert.sheet != int(sheet)) continue;
            const printout::DrawingBlock& block = drawing.blocks[std::size_t(insert.block)];
            // The block's base goes to the insert's place on this sheet.
            const printout::DrawPoint corner{frame.base.x - insert.at.x + block.base.x,
                                             frame.base.y - insert.at.y + block.base.y};
            paintOnPage(painter, block, corner, pixelsPerMillimetre, pageHeight, metres);
        }
    }
    return painter.end();
}

}  // namespace

PdfDrawing sectionSheetsDrawing(const printout::SheetDrawing& drawing) {
    return {sheetPageLayout(drawing.paper), QStringLiteral("横断面图"),
            [&drawing](QPagedPaintDevice& device, PageRange pages) {
                return renderSheets(drawing, device, pages);
            }};
}

QString exportSectionSheets(const printout::SheetDrawing& drawing, const QString& path) {
    if (path.endsWith(QStringLiteral(".dxf"), Qt::CaseInsensitive))
        return storage::writeFileSafely(path, storage::sectionSheetsDxf(drawing));
    return exportPdf(sectionSheetsDrawing(drawing), path);
}

QString oversizeWarning(const section::Survey& survey, const printout::SheetDrawing& drawing) {
    if (drawing.oversize.empty()) return {};
    QStringList names;
    for (const int section : drawing.oversize) {
        if (names.size() == kNamesTold) break;
        names << QString::fromStdString(section::sectionName(survey, section));
    }
    QString which = names.join(QStringLiteral("、"));
    if (int(drawing.oversize.size()) > kNamesTold)
        which += QStringLiteral("等 %1 个断面").arg(drawing.oversize.size());
    return QStringLiteral(
               "这些断面在 1:%2 的 %3 图纸上放不下：%1。它们仍按比例画出，"
               "各占一张图纸，超出图框；请改用较小的比例，如 1:%4。")
        .arg(which, QString::number(drawing.scale), paperName(drawing.paper),
             QString::number(smallerScale(drawing.scale)));
}

}  // namespace paper
