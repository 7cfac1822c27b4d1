// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/any_survey.h"

#include "section/calculation.h"
#include "section/cut_fill_calculation.h"
#include "section/cut_fill_rows.h"
#include "section/station_label.h"

namespace section {

int Survey::sectionCount() const {
    return visit([](const auto& record) { return record.sectionCount(); });
}

bool Survey::stationsEntered() const {
    return answersYes(stationAnswer());
}

double Survey::station(int i) const {
    if (const CutFillSurvey* lines = cutFill()) return lines->sections.at(i - 1).station;
    return closedOutline()->stations(i);
}

const std::string& Survey::stationPrefix(int i) const {
    if (const CutFillSurvey* lines = cutFill()) return lines->sections.at(i - 1).stationPrefix;
    return closedOutline()->stationPrefix(i);
}

const std::string& Survey::stationAnswer() const {
    if (const CutFillSurvey* lines = cutFill()) return lines->stationAnswer;
    return closedOutline()->stationAnswer();
}

VolumeMethod Survey::volumeMethod() const {
    if (const CutFillSurvey* lines = cutFill()) return lines->volumeMethod;
    return closedOutline()->volumeMethod();
}

void Survey::setVolumeMethod(VolumeMethod method) {
    if (CutFillSurvey* lines = cutFill())
        lines->volumeMethod = method;
    else
        closedOutline()->setVolumeMethod(method);
}

std::optional<DesignFault> Survey::setRoadDesign(RoadDesign road) {
    if (road.empty()) {
        prepared_.reset();
    } else {
        auto prepared = PreparedRoad::prepare(road);
        if (auto* fault = std::get_if<DesignFault>(&prepared)) return std::move(*fault);
        prepared_ =
            std::make_shared<const PreparedRoad>(std::get<PreparedRoad>(std::move(prepared)));
    }
    road_ = std::move(road);
    return std::nullopt;
}

Survey emptySurvey(SurveyKind kind, bool stations) {
    const std::string answer = stations ? "Y" : "N";
    if (kind == SurveyKind::CutFill) {
        CutFillSurvey lines;
        lines.stationAnswer = answer;
        return Survey(std::move(lines));
    }
    SectionSurvey closed;
    closed.setStationAnswer(answer);
    return Survey(std::move(closed));
}

std::optional<Fault> calculate(Survey& survey) {
    const PreparedRoad* road = survey.preparedRoad();
    if (CutFillSurvey* lines = survey.cutFill()) return calculateCutFill(*lines, road);
    if (calculateSurvey(*survey.closedOutline(), road ? &road->chainage() : nullptr))
        return std::nullopt;
    return Fault{0, "计算结果超出了数值范围（绝对值超过 3.4E+38）", true};
}

std::string stationLabel(const Survey& survey, int i) {
    return survey.visit([i](const auto& record) { return stationLabel(record, i); });
}

std::string sectionName(const Survey& survey, int i) {
    if (const CutFillSurvey* lines = survey.cutFill()) return cutFillRowName(*lines, i);
    return resultRowName(*survey.closedOutline(), i);
}

// A prismoid's volumes say so in their columns' heads, the default's heads
// stay as they were.
ResultTable resultTable(const Survey& survey) {
    ResultTable table = survey.cutFill() ? cutFillResultTable(*survey.cutFill())
                                         : resultTable(*survey.closedOutline());
    if (survey.volumeMethod() == VolumeMethod::Prismoidal) {
        const std::string unit = "(立方米)";
        for (std::string& head : table.header)
            if (const auto at = head.find(unit); at != std::string::npos)
                head.replace(at, unit.size(),
                             "(立方米，" + methodName(survey.volumeMethod()) + ")");
    }
    return table;
}

}  // namespace section
