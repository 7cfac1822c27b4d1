#include "section/volumes.h"

#include <cmath>

#include "runtime/number_format.h"
#include "runtime/number_text.h"

namespace section {
namespace {

std::string rounded(float value, const std::string& unit) {
    return " " + runtime::formatFixed3(runtime::round3(value)) + unit;
}

}  // namespace

bool computeVolumes(SectionSurvey& survey) {
    survey.setTotalVolume(0.0f);
    for (int i = 1; i < survey.sectionCount(); ++i) {
        const auto volume =
            static_cast<float>((static_cast<double>(survey.areas(i + 1)) + survey.areas(i)) *
                               survey.spacings(i) / 2.0);
        survey.setVolume(i, volume);
        const auto total = static_cast<float>(static_cast<double>(volume) + survey.totalVolume());
        survey.setTotalVolume(total);
        if (!std::isfinite(volume) || !std::isfinite(total)) return false;
    }
    return true;
}

void showResults(UserInterface& ui, const SectionSurvey& survey) {
    for (int i = 1; i < survey.sectionCount(); ++i) {
        // A pause: whatever the answer, Cancel included, the pair is shown.
        ui.ask("请输入不等于零的任意数显示计算结果");
        ui.setText(TextBox::Text6, rounded(survey.areas(i), "平方米"));
        ui.setText(TextBox::Text7, rounded(survey.areas(i + 1), "平方米"));
        ui.setText(TextBox::Text8, "  " + runtime::numberToText(survey.spacings(i)) + "米");
        ui.setText(TextBox::Text9, rounded(survey.volumes(i), "立方米"));
    }
    ui.setText(TextBox::Text10, rounded(survey.totalVolume(), "立方米"));
}

}  // namespace section
