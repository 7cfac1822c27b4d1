#include "window/painter_printer.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QString>

#include "printout/line_layout.h"

namespace window {

PainterPrinter::PainterPrinter(QPrinter& printer) : printer_(printer) {}

bool PainterPrinter::begin() {
    return painter_.begin(&printer_);
}

// Every line of the sheet begins with a column stop, measured from the left
// edge, so only the downward start moves anything.
void PainterPrinter::setPageStart(double /*acrossTwips*/, double downTwips) {
    lineTop_ = downTwips * printer_.resolution() / 1440.0;
}

void PainterPrinter::setFontName(const std::string& name) {
    font_.setFamily(QString::fromStdString(name));
    painter_.setFont(font_);
}

void PainterPrinter::setFontSize(double points) {
    font_.setPointSizeF(points);
    painter_.setFont(font_);
}

void PainterPrinter::printLine(const printout::PrintLine& items) {
    const QFontMetricsF metrics(font_, &printer_);
    // A column is as wide as the font's average character.
    const double column = metrics.averageCharWidth();
    const printout::LineLayout layout = printout::layoutLine(items, [&](std::string_view text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text.data(), text.size())) / column;
    });
    for (int line = 0; line < layout.lineCount; ++line) {
        if (lineTop_ > 0 && lineTop_ + metrics.lineSpacing() > printer_.height()) {
            printer_.newPage();
            lineTop_ = 0;
        }
        for (const printout::PlacedText& placed : layout.texts) {
            if (placed.line != line) continue;
            painter_.drawText(QPointF((placed.column - 1) * column, lineTop_ + metrics.ascent()),
                              QString::fromStdString(placed.text));
        }
        lineTop_ += metrics.lineSpacing();
    }
}

void PainterPrinter::endDocument() {
    handedOver_ = painter_.end();
}

}  // namespace window
