// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/sheet_renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>

#include "printout/line_layout.h"
#include "printout/sheet.h"

namespace window {

namespace {

class PageSetter {
  public:
    PageSetter(QPagedPaintDevice& device, QPainter& painter, PageRange pages)
        : device_(device), painter_(painter), pages_(pages) {}

    // Every line of the sheet begins with a column stop, measured from the
    // left edge, so only the downward start moves anything.
    void start(const printout::Sheet& sheet) {
        lineTop_ = sheet.startDownTwips * device_.logicalDpiY() / 1440.0;
        font_.setFamily(QString::fromStdString(sheet.fontName));
    }

    void setLine(const printout::SheetLine& sheetLine) {
        font_.setPointSizeF(sheetLine.points);
        painter_.setFont(font_);
        const QFontMetricsF metrics(font_, &device_);
        // A column is as wide as the font's average character.
        const double column = metrics.averageCharWidth();
        const printout::LineLayout layout =
            printout::layoutLine(sheetLine.items, [&](std::string_view text) {
                return metrics.horizontalAdvance(QString::fromUtf8(text.data(), text.size())) /
                       column;
            });
        for (int line = 0; line < layout.lineCount; ++line) {
            if (lineTop_ > 0 && lineTop_ + metrics.lineSpacing() > device_.height()) nextPage();
            if (!pages_.holds(page_)) {
                lineTop_ += metrics.lineSpacing();
                continue;
            }
            for (const printout::PlacedText& placed : layout.texts) {
                if (placed.line != line) continue;
                painter_.drawText(
                    QPointF((placed.column - 1) * column, lineTop_ + metrics.ascent()),
                    QString::fromStdString(placed.text));
            }
            lineTop_ += metrics.lineSpacing();
        }
    }

  private:
    // Pages outside the range are laid out but not set: the device gets a new
    // page only between two pages it prints.
    void nextPage() {
        if (pages_.holds(page_)) printedAny_ = true;
        ++page_;
        if (printedAny_ && pages_.holds(page_)) device_.newPage();
        lineTop_ = 0;
    }

    QPagedPaintDevice& device_;
    QPainter& painter_;
    PageRange pages_;
    QFont font_;
    double lineTop_ = 0;  // device pixels below the top of the printable area
    int page_ = 1;
    bool printedAny_ = false;
};

}  // namespace

bool renderSheet(const printout::Sheet& sheet, QPagedPaintDevice& device, PageRange pages) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    PageSetter setter(device, painter, pages);
    setter.start(sheet);
    for (const printout::SheetLine& line : sheet.lines) setter.setLine(line);
    return painter.end();
}

}  // namespace window
