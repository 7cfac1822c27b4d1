// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/cut_fill_edit.h"

namespace document {

std::optional<section::Fault> applyCutFill(section::CutFillSurvey& survey,
                                                  const CutFillSplice& splice, bool forward) {
    const auto& leaving = forward ? splice.removed : splice.inserted;
    const auto& coming = forward ? splice.inserted : splice.removed;
    auto& sections = survey.sections;
    const auto at = sections.begin() + (splice.first - 1);
    sections.insert(sections.erase(at, at + static_cast<std::ptrdiff_t>(leaving.size())),
                    coming.begin(), coming.end());
    return section::calculateCutFill(survey);
}

}  // namespace document
