// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/progress.h"

#include "runtime/number_text.h"

namespace section {

std::string progressText(const Prompt& last) {
    using runtime::numberToText;
    const std::string i = numberToText(last.section);
    const std::string total =
        last.sections > 0 ? "共 " + numberToText(last.sections) + " 个断面，" : "";
    PromptKind kind = last.kind == PromptKind::Confirm ? last.confirms : last.kind;
    switch (kind) {
        case PromptKind::SectionCount:
        case PromptKind::StationQuestion:
            return total + "已输入断面个数";
        case PromptKind::Station:
            return total + "已输入到第 " + i + " 号断面的桩号";
        case PromptKind::PointCount:
            return total + "已输入到第 " + i + " 号断面的观测点数";
        case PromptKind::Elevation:
        case PromptKind::Distance:
            return total + "已输入到第 " + i + " 号断面的第 " + numberToText(last.point) +
                   " 个观测点";
        case PromptKind::Spacing:
            return total + "已输入到第 " + i + " 号至第 " + numberToText(last.section + 1) +
                   " 号断面的间距";
        case PromptKind::Confirm:
        case PromptKind::Pause:
            break;
    }
    return total + "全部数据已经输入";
}

}  // namespace section
