// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/station.h"

#include "runtime/number_format.h"
#include "runtime/number_text.h"

namespace section {

std::string stationText(float station) {
    auto km = static_cast<float>(runtime::truncate(static_cast<double>(station) / 1000.0));
    const float metres = station - km * 1000.0f;  // in 32-bit arithmetic
    std::string metreText = runtime::formatFixed3(metres, 3);
    if (metreText == "1000.000" || metreText == "-1000.000") {
        km += metres > 0 ? 1.0f : -1.0f;
        metreText = "000.000";
    }
    return "K" + runtime::numberToText(km) + "+" + metreText;
}

}  // namespace section
