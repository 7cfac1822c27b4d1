// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/station.h"

#include "runtime/exact_decimal.h"
#include "runtime/number_format.h"
#include "runtime/number_text.h"

namespace section {

std::string stationText(double station) {
    double km = runtime::truncate(station / 1000.0);
    const runtime::ExactDecimal metres =
        runtime::ExactDecimal::of(station) -
        runtime::ExactDecimal::of(km) * runtime::ExactDecimal::of(1000.0);
    std::string metreText = runtime::formatFixed3(metres.digits(), 3);
    if (metreText == "1000.000" || metreText == "-1000.000") {
        km += metres.digits().negative ? -1.0 : 1.0;
        metreText = "000.000";
    }
    return "K" + runtime::numberToText(km) + "+" + metreText;
}

}  // namespace section
