// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/sheet_renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>
#include <algorithm>

#include "paper/sheet_figure.h"
#include "printout/line_layout.h"
#include "printout/page_frame.h"
#include "printout/sheet.h"

namespace paper {

namespace {

// A sheet line in the device's measure: its font, and where its items land.
struct MeasuredLine {
    QFont font;
    QFontMetricsF metrics;
    double column;  // a column is as wide as the font's average character
    printout::LineLayout layout;
};

// A section's drawing: at most this wide, at least this tall, and this far
// clear of the text (millimetres).
constexpr double kFigureWidth = 45.0;
constexpr double kFigureMinHeight = 30.0;
constexpr double kFigureGap = 3.0;

class PageSetter {
  public:
    // Without a painter the pages are only counted.
    PageSetter(QPagedPaintDevice& device, QPainter* painter, PageRange pages,
               const printout::Sheet& sheet, int pageCount)
        : device_(device),
          painter_(painter),
          pages_(pages),
          frame_(sheet.frame),
          pageCount_(pageCount) {
        font_.setFamily(QString::fromStdString(sheet.fontName));
        if (frame_.numbered) {
            footerFont_ = font_;
            footerFont_.setPointSizeF(10.0);
            // The number line and half a line clear of the text above it.
            footerHeight_ = QFontMetricsF(footerFont_, &device_).lineSpacing() * 1.5;
        }
        startPage();
        // Every line of the sheet begins with a column stop, measured from
        // the left edge, so only the downward start moves anything.
        lineTop_ += sheet.startDownTwips * device_.logicalDpiY() / 1440.0;
    }

    void setLine(const printout::SheetLine& sheetLine) { set(measure(sheetLine)); }

    // The figure's lines with its drawing at their right, all on one page
    // when they fit on one; else the drawing stays on the page the lines
    // start on, as tall as there is room.
    void setFigure(const std::vector<printout::SheetLine>& lines,
                   const printout::SheetFigure& figure) {
        std::vector<MeasuredLine> measured;
        double height = 0;
        double right = 0;
        for (std::size_t i = figure.firstLine; i <= figure.lastLine; ++i) {
            measured.push_back(measure(lines[i]));
            height += measured.back().metrics.lineSpacing() * measured.back().layout.lineCount;
            right = std::max(right, textRight(measured.back()));
        }
        const double boxHeight = std::max(height, millimetres(kFigureMinHeight));
        // A section taller than a page starts where it is: a new page would not hold it either.
        if (lineTop_ > pageTop_ && lineTop_ + boxHeight > pageBottom() &&
            boxHeight <= pageBottom() - pageTop_)
            nextPage();
        const double top = lineTop_;
        const int page = page_;
        // The drawings in one column at the right edge, narrower where the text reaches into it.
        const double left =
            std::max(right + millimetres(kFigureGap), device_.width() - millimetres(kFigureWidth));
        const double shown = std::min(boxHeight, pageBottom() - top);
        const FigurePlace place{page, QRectF(left, top, device_.width() - left, shown),
                                QRectF(0, top, right, std::min(height, shown))};
        places_.push_back(place);
        if (setsThisPage() && place.box.width() > 0)
            paintSheetFigure(*painter_, figure.drawing, place.box, millimetres(1));
        for (const MeasuredLine& line : measured) set(line);
        if (page_ == page) lineTop_ = std::max(lineTop_, top + shown);
    }

    const std::vector<FigurePlace>& places() const { return places_; }

    // The closing lines, together on a new page when they do not fit on this
    // one, and the last page's number. Returns the number of pages.
    int finish() {
        std::vector<MeasuredLine> closing;
        double height = 0;
        for (const printout::SheetLine& line : frame_.closing) {
            closing.push_back(measure(line));
            height += closing.back().metrics.lineSpacing() * closing.back().layout.lineCount;
        }
        if (lineTop_ > pageTop_ && lineTop_ + height > pageBottom()) nextPage();
        drawAll(closing);
        drawPageNumber();
        return page_;
    }

  private:
    bool setsThisPage() const { return painter_ && pages_.holds(page_); }
    double millimetres(double mm) const { return mm * device_.logicalDpiX() / 25.4; }

    void set(const MeasuredLine& measured) {
        for (int line = 0; line < measured.layout.lineCount; ++line) {
            if (lineTop_ > pageTop_ && lineTop_ + measured.metrics.lineSpacing() > pageBottom())
                nextPage();
            draw(measured, line);
        }
    }

    // Where the line's last text ends.
    static double textRight(const MeasuredLine& measured) {
        double right = 0;
        for (const printout::PlacedText& placed : measured.layout.texts) {
            right = std::max(
                right, (placed.column - 1) * measured.column +
                           measured.metrics.horizontalAdvance(QString::fromStdString(placed.text)));
        }
        return right;
    }

    double pageBottom() const { return device_.height() - footerHeight_; }

    MeasuredLine measure(const printout::SheetLine& sheetLine) {
        QFont font = font_;
        font.setPointSizeF(sheetLine.points);
        const QFontMetricsF metrics(font, &device_);
        const double column = metrics.averageCharWidth();
        printout::LineLayout layout =
            printout::layoutLine(sheetLine.items, [&](std::string_view text) {
                return metrics.horizontalAdvance(QString::fromUtf8(text.data(), text.size())) /
                       column;
            });
        return {font, metrics, column, std::move(layout)};
    }

    void draw(const MeasuredLine& measured, int line) {
        if (setsThisPage()) {
            painter_->setFont(measured.font);
            for (const printout::PlacedText& placed : measured.layout.texts) {
                if (placed.line != line) continue;
                painter_->drawText(QPointF((placed.column - 1) * measured.column,
                                           lineTop_ + measured.metrics.ascent()),
                                   QString::fromStdString(placed.text));
            }
        }
        lineTop_ += measured.metrics.lineSpacing();
    }

    void drawAll(const std::vector<MeasuredLine>& lines) {
        for (const MeasuredLine& measured : lines) {
            for (int line = 0; line < measured.layout.lineCount; ++line) draw(measured, line);
        }
    }

    // The heading at the top; the sheet's lines go on below it.
    void startPage() {
        lineTop_ = 0;
        std::vector<MeasuredLine> heading;
        for (const printout::SheetLine& line : frame_.heading) heading.push_back(measure(line));
        drawAll(heading);
        pageTop_ = lineTop_;
    }

    void drawPageNumber() {
        if (!frame_.numbered || !setsThisPage()) return;
        const QString text = QString::fromStdString(printout::pageNumberText(page_, pageCount_));
        const QFontMetricsF metrics(footerFont_, &device_);
        painter_->setFont(footerFont_);
        painter_->drawText(QPointF((device_.width() - metrics.horizontalAdvance(text)) / 2,
                                   device_.height() - metrics.descent()),
                           text);
    }

    // Pages outside the range are laid out but not set: the device gets a new
    // page only between two pages it prints.
    void nextPage() {
        drawPageNumber();
        if (pages_.holds(page_)) printedAny_ = true;
        ++page_;
        if (painter_ && printedAny_ && pages_.holds(page_)) device_.newPage();
        startPage();
    }

    QPagedPaintDevice& device_;
    QPainter* painter_;
    PageRange pages_;
    const printout::PageFrame& frame_;
    int pageCount_;
    QFont font_;
    QFont footerFont_;
    double footerHeight_ = 0;  // kept free at the foot of every page
    double lineTop_ = 0;       // device pixels below the top of the printable area
    double pageTop_ = 0;       // where the sheet's lines start on this page
    int page_ = 1;
    bool printedAny_ = false;
    std::vector<FigurePlace> places_;
};

void setLines(const printout::Sheet& sheet, PageSetter& setter) {
    auto figure = sheet.figures.begin();
    for (std::size_t i = 0; i < sheet.lines.size();) {
        if (figure != sheet.figures.end() && figure->firstLine == i &&
            figure->lastLine < sheet.lines.size()) {
            setter.setFigure(sheet.lines, *figure);
            i = figure->lastLine + 1;
            ++figure;
        } else {
            setter.setLine(sheet.lines[i++]);
        }
    }
}

int setPages(const printout::Sheet& sheet, QPagedPaintDevice& device, QPainter* painter,
             PageRange pages, int pageCount) {
    PageSetter setter(device, painter, pages, sheet, pageCount);
    setLines(sheet, setter);
    return setter.finish();
}

}  // namespace

std::vector<FigurePlace> figurePlaces(const printout::Sheet& sheet, QPagedPaintDevice& device) {
    PageSetter setter(device, nullptr, {}, sheet, 0);
    setLines(sheet, setter);
    return setter.places();
}

bool renderSheet(const printout::Sheet& sheet, QPagedPaintDevice& device, PageRange pages) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // "共 Y 页" needs the count before the first page is set: a first pass
    // lays the sheet out without setting anything.
    const int pageCount = sheet.frame.numbered ? setPages(sheet, device, nullptr, pages, 0) : 0;
    setPages(sheet, device, &painter, pages, pageCount);
    return painter.end();
}

}  // namespace paper
