// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/line_layout.h"

#include "runtime/number_text.h"

namespace printout {

namespace {

// Measured widths are sums and quotients of font advances; a position beyond a
// column by less than this is rounding, not overflow.
constexpr double kMeasureSlack = 1e-6;

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

std::string numberItemText(int value) {
    return (value < 0 ? "" : " ") + runtime::numberToText(value) + " ";
}

LineLayout layoutLine(const PrintLine& items, const TextWidth& widthInColumns) {
    LineLayout layout;
    int line = 0;
    double position = 1;
    auto place = [&](std::string text) {
        const double start = position;
        position += widthInColumns(text);
        layout.texts.push_back({line, start, std::move(text)});
    };
    for (const PrintItem& item : items) {
        std::visit(Overloaded{[&](const ColumnStop& stop) {
                                  if (position > stop.column + kMeasureSlack) ++line;
                                  position = stop.column;
                              },
                              [&](const Text& text) { place(text.text); },
                              [&](const Number& number) { place(numberItemText(number.value)); }},
                   item);
    }
    layout.lineCount = line + 1;
    return layout;
}

}  // namespace printout
