// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the section drawings of a closed-outline and of a cut-and-fill
// survey as DXF into the folder given, each with a list of what every section
// must show (its text, its lines in x = -S, y = H), for the reader's test.
#include <cstdio>
#include <fstream>
#include <random>

#include "../dialogue/random_survey.h"
#include "section/calculation.h"
#include "section/cut_fill_calculation.h"
#include "section/cut_fill_figures.h"
#include "section/figures.h"
#include "section/station.h"
#include "survey_file/section_drawing.h"

namespace {

std::string number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

void line(std::ofstream& out, const char* layer, bool closed,
          const std::vector<section::Point>& points) {
    if (points.size() < 2) return;
    out << "line\t" << layer << "\t" << closed << "\t";
    for (const section::Point& p : points)
        out << number(-p.offset) << " " << number(p.elevation) << " ";
    out << "\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    std::mt19937 random(11);
    section::SectionSurvey closed;
    do closed = section::testing::randomSurvey(random);
    while (closed.sectionCount() < 5 || !closed.stationsEntered());
    if (!section::calculateSurvey(closed)) return 1;
    std::ofstream(folder + "/closed.dxf", std::ios::binary)
        << survey_file::dxf(survey_file::sectionDrawing(closed));
    std::ofstream expected(folder + "/closed.expected");
    const section::Figures figures(closed);
    for (int i = 1; i <= closed.sectionCount(); ++i) {
        expected << "section\t" << section::stationText(closed.stations(i)) << "  面积 "
                 << figures.area(i) << " 平方米\n";
        std::vector<section::Point> outline;
        for (int j = 1; j <= closed.pointCounts(i); ++j)
            outline.push_back({closed.elevations(i, j), closed.offsets(i, j)});
        line(expected, survey_file::kOutlineLayer, true, outline);
    }

    section::CutFillSurvey cutFill;
    cutFill.stationAnswer = "n";
    for (int k = 0; k < 7; ++k) {
        section::CutFillSection section;
        section.spacing = 20;
        const double rise = 0.5 * k;
        section.ground = {{100 + rise, 12}, {101.25, 4}, {100.5, 0}, {99.75 - rise, -9}};
        section.design = {{102, 7.5}, {102, 7.5}, {102, -7.5}, {102.0 - k, -7.5 - 2 * k}};
        if (k == 3) section.design = {{102, -10}, {101, -12}};  // beside the ground line
        cutFill.sections.push_back(section);
    }
    cutFill.sections[5].design.resize(1);  // a line of one point is not drawn
    if (section::calculateCutFill(cutFill)) return 1;
    std::ofstream(folder + "/cutfill.dxf", std::ios::binary)
        << survey_file::dxf(survey_file::sectionDrawing(cutFill));
    std::ofstream lines(folder + "/cutfill.expected");
    const section::CutFillFigures cutFillFigures(cutFill);
    for (int k = 0; k < 7; ++k) {
        const int i = k + 1;
        lines << "section\t第 " << i << " 断面"
              << (cutFill.sections[k].areas ? "  挖 " + cutFillFigures.cut().area(i) + "  填 " +
                                                  cutFillFigures.fill().area(i) + " 平方米"
                                            : std::string("  无挖填面积"))
              << "\n";
        line(lines, survey_file::kGroundLayer, false, cutFill.sections[k].ground);
        line(lines, survey_file::kDesignLayer, false, cutFill.sections[k].design);
    }
    return 0;
}
