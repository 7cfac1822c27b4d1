// SPDX-License-Identifier: GPL-3.0-or-later
// Writes sample LandXML files of both kinds of survey, with and without
// stations, into the folder given, for xmllint to check.
#include <fstream>
#include <random>

#include "../dialogue/random_survey.h"
#include "section/calculation.h"
#include "survey_file/landxml.h"

int main(int argc, char* argv[]) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    const survey_file::LandXmlStamp stamp{"2026-12-08", "16:54:17"};
    std::mt19937 random(7);
    int written = 0;
    auto save = [&](const std::optional<std::string>& xml) {
        std::ofstream(folder + "/sample-" + std::to_string(++written) + ".xml") << *xml;
    };
    for (const char* answer : {"y", "n"}) {
        section::SectionSurvey closed;
        do closed = section::testing::randomSurvey(random);
        while (closed.stationAnswer() != answer || closed.sectionCount() < 2);
        if (!section::calculateSurvey(closed)) return 1;
        save(survey_file::landXml(closed, stamp));
        section::CutFillSurvey cutFill;
        cutFill.stationAnswer = answer;
        for (int k = 0; k < 3; ++k) {
            section::CutFillSection section;
            section.station = 1000 + 20 * k;
            section.spacing = k < 2 ? 20 : 0;
            section.ground = {{100, 10}, {101.5, 0}, {100, -10}};
            if (k != 1) section.design = {{102, 6}, {102, -6}};
            if (k != 1) section.areas = section::CutFillAreas{1.25, 18.5};
            section.cutVolume = k < 2 ? 12.5 : 0;
            section.fillVolume = k < 2 ? 185 : 0;
            cutFill.sections.push_back(section);
        }
        save(survey_file::landXml(cutFill, stamp));
        // With the 工程信息, all of it or only some.
        save(survey_file::landXml(
            cutFill, stamp, {"某某公路改建工程", "K1+000～K1+040", "张三", "李四", "2026-12-09"}));
        save(survey_file::landXml(closed, stamp, {"", "", "", "王五", ""}));
    }
    return 0;
}
