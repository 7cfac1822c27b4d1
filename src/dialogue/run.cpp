// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/run.h"

#include "dialogue/asking.h"
#include "dialogue/data_entry.h"
#include "dialogue/results.h"
#include "dialogue/spacing_entry.h"
#include "section/calculation.h"

namespace section {

CalculationEnd runCalculation(UserInterface& ui, SectionSurvey& record) {
    SectionSurvey fresh;
    try {
        enterSurvey(ui, fresh);
        if (!fresh.stationsEntered()) askSpacings(ui, fresh);
        if (!calculateSurvey(fresh)) {
            ui.showError(
                "计算结果超出了数值范围（绝对值超过 3.4E+38），无法继续计算。"
                "本次计算已取消，上一次的计算结果保持不变。");
            return CalculationEnd::Overflow;
        }
    } catch (const CalculationCancelled&) {
        return CalculationEnd::Cancelled;
    }
    showResults(ui, fresh);
    record = std::move(fresh);
    return CalculationEnd::Finished;
}

}  // namespace section
