// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/chain_breaks.h"

#include <utility>

#include "printout/sheet_writer.h"
#include "runtime/exact_decimal.h"
#include "runtime/number_format.h"
#include "section/station.h"

namespace printout {

void listChainBreaks(Sheet& sheet, const std::vector<section::ChainBreak>& breaks) {
    if (breaks.empty()) return;
    SheetWriter writer{.value = std::move(sheet)};
    writer.heading("断链 :");
    for (const section::ChainBreak& chainBreak : breaks) {
        // The length exactly as the stations give it, as the spacings are.
        const double length = (runtime::ExactDecimal::of(chainBreak.before) -
                               runtime::ExactDecimal::of(chainBreak.after))
                                  .nearest();
        const bool longChain = length >= 0;
        writer.line(
            {ColumnStop{kSummaryColumn},
             Text{section::stationText(chainBreak.before) + "=" +
                  section::stationText(chainBreak.after) + "  " + (longChain ? "长链 " : "短链 ") +
                  runtime::formatFixed3(longChain ? length : -length) + " 米"}});
    }
    sheet = std::move(writer.value);
}

}  // namespace printout
