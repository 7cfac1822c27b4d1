// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the 横断面图 sheets of a hillside road (cut on one side, fill on the
// other, design lines from its road design) as DXF into the folder given, on
// A3 at 1:200 and on A4 at 1:100,
// with what the reader's test must find: the layers and their colours, each
// block's base and its insert, the entities per block and layer, the texts,
// and each section's cut and fill areas as the calculation worked them out.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <tuple>

#include "printout/section_sheet_drawing.h"
#include "section/any_survey.h"
#include "survey_file/sheet_dxf.h"
#include "survey_file/survey_file.h"

namespace {

using printout::DrawingBlock;

constexpr const char* kDesign =
    "[纵断面]\n桩号,高程,竖曲线半径\nK0+000,101.000,\nK1+200,108.000,8000\nK2+500,110.000,\n"
    "[路幅]\n桩号,侧,宽度,横坡\nK0+000,左,3.75,-2\nK0+000,左,0.75,-3\nK0+000,右,3.75,-2\n"
    "K0+000,右,0.75,-3\n"
    "[边坡]\n侧,类型,坡率,高度,平台宽,平台横坡\n左,填,1.5,8,2,-3\n左,填,1.75,,,\n"
    "左,挖,0.75,10,2,-3\n左,挖,1,,,\n右,填,1.5,,,\n右,挖,0.75,,,\n"
    "[边沟]\n侧,内坡率,沟深,沟底宽,外坡率\n左,1,0.6,0.4,1\n右,1,0.6,0.4,1\n";

// The ground across a hillside that falls to the left, rolling along the road.
std::string surveyText(int sections) {
    std::string text =
        "工程名称,山区二级公路\n路段,K0+000～K0+220\n计算,王工\n复核,李工\n日期,2026-12-10\n"
        "桩号,线,高程H,距离S\n";
    for (int k = 0; k < sections; ++k) {
        const double station = 20.0 * k;
        const double centre = 101 + 7 / 1200.0 * station + 1.2 * std::sin(station / 55 + 0.4);
        const double cross = 0.28 * std::cos(station / 160);
        for (double s : {-24.0, -20.0, -17.0, -13.5, -10.0, -7.0, -4.5, -2.0, 0.0, 2.0, 4.5, 7.0,
                         10.0, 13.0, 16.5, 20.0, 24.0}) {
            const double h = centre + cross * s + 0.35 * std::sin(s / 3.1 + station / 30);
            char row[80];
            std::snprintf(row, sizeof row, "%.3f,地面线,%.3f,%g\n", station, h, s);
            text += row;
        }
    }
    return text + kDesign;
}

std::string number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

void expect(const printout::SheetDrawing& drawing, const section::Survey& survey,
            std::ofstream& out) {
    for (const printout::DrawLayer& layer : printout::kDrawLayers)
        out << "layer\t" << layer.name << "\t" << layer.colour << "\n";
    for (const printout::BlockInsert& insert : drawing.inserts) {
        const DrawingBlock& block = drawing.blocks[std::size_t(insert.block)];
        out << "insert\t" << block.name << "\t" << number(insert.at.x) << "\t"
            << number(insert.at.y) << "\t" << number(block.base.x) << "\t" << number(block.base.y)
            << "\n";
    }
    // Every sheet's entities lie in model space, each section's in its block.
    auto entities = [&](const std::vector<DrawingBlock>& blocks, const std::string& owner) {
        std::map<std::tuple<std::string, std::string>, int> counts;
        for (const DrawingBlock& block : blocks) {
            for (const auto& each : block.hatches) ++counts[{each.layer, "HATCH"}];
            for (const auto& each : block.lines) ++counts[{each.layer, "LWPOLYLINE"}];
            for (const auto& each : block.circles) ++counts[{each.layer, "CIRCLE"}];
            for (const auto& each : block.texts) {
                ++counts[{each.layer, "TEXT"}];
                out << "text\t" << owner << "\t" << int(each.align) << "\t" << number(each.at.x)
                    << "\t" << number(each.at.y) << "\t" << each.text << "\n";
            }
        }
        for (const auto& [key, count] : counts)
            out << "count\t" << owner << "\t" << std::get<0>(key) << "\t" << std::get<1>(key)
                << "\t" << count << "\n";
    };
    entities(drawing.sheets, "*Model_Space");
    for (const DrawingBlock& block : drawing.blocks) entities({block}, block.name);
    const section::CutFillSurvey& cutFill = *survey.cutFill();
    for (std::size_t k = 0; k < cutFill.sections.size(); ++k) {
        if (!cutFill.sections[k].areas) continue;
        const std::string& name = drawing.blocks[drawing.inserts[k].block].name;
        out << "area\t" << name << "\t" << number(cutFill.sections[k].areas->cut) << "\t"
            << number(cutFill.sections[k].areas->fill) << "\n";
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    survey_file::SurveyRead read = survey_file::readSurvey(surveyText(12));
    if (!read.survey || section::calculate(*read.survey)) return 1;
    // A3 at the usual scale, and A4 at a larger one: more sheets.
    const std::pair<const char*, printout::SheetOptions> samples[] = {
        {"road-a3", {printout::Paper::a3(), 200}}, {"road-a4", {printout::Paper::a4(), 100}}};
    for (const auto& [name, options] : samples) {
        const printout::SheetDrawing drawing =
            printout::sectionSheets(*read.survey, read.project, options);
        std::ofstream(folder + "/" + name + ".dxf", std::ios::binary)
            << survey_file::sheetsDxf(drawing);
        std::ofstream expected(folder + "/" + name + ".expected");
        expect(drawing, *read.survey, expected);
    }
    return 0;
}
