// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/section_sheet_drawing.h"

#include <cmath>

#include "printout/section_block.h"
#include "printout/title_block.h"
#include "runtime/number_text.h"
#include "section/any_survey.h"
#include "section/cut_fill_figures.h"
#include "section/figures.h"
#include "section/section_picture.h"

namespace printout {

namespace {

constexpr double kLargestScale = 10000.0;

// Each section's areas in the digits the calculation sheet prints them.
std::vector<std::string> areaTexts(const section::SectionSurvey& survey) {
    const section::Figures figures(survey);
    std::vector<std::string> texts;
    for (int i = 1; i <= survey.sectionCount(); ++i)
        texts.push_back(survey.pointCounts(i) >= 3 ? "面积 " + figures.area(i) + " m²" : "");
    return texts;
}

std::vector<std::string> areaTexts(const section::CutFillSurvey& survey) {
    const section::CutFillFigures figures(survey);
    std::vector<std::string> texts;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const bool areas = survey.sections[std::size_t(i - 1)].areas.has_value();
        texts.push_back(areas ? "挖方面积 " + figures.cut().area(i) + " m²  填方面积 " +
                                    figures.fill().area(i) + " m²"
                              : "");
    }
    return texts;
}

// "断面3_K0+120.000": unique by the number, and without the characters a
// DXF block name may not hold.
std::string blockName(const section::Survey& survey, int i) {
    std::string name = "断面" + std::to_string(i);
    if (survey.stationsEntered()) name += "_" + section::stationLabel(survey, i);
    return name;
}

void addSlopeRatios(SectionLabels& labels, const section::RoadDesign& design) {
    for (const section::SlopeRow& slope : design.slopes)
        (slope.kind == section::SlopeKind::Fill ? labels.fillRatios : labels.cutRatios)
            .push_back(slope.ratio);
}

}  // namespace

SheetDrawing sectionSheets(const section::Survey& survey, const section::ProjectInfo& project,
                           const SheetOptions& options) {
    SheetDrawing drawing;
    drawing.paper = options.paper;
    drawing.scale = options.scale;
    const std::vector<std::string> areas =
        survey.visit([](const auto& record) { return areaTexts(record); });
    SectionLabels labels;
    addSlopeRatios(labels, survey.roadDesign());
    std::vector<SectionExtent> extents;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        labels.blockName = blockName(survey, i);
        labels.station = section::sectionName(survey, i);
        labels.areas = areas[std::size_t(i - 1)];
        SectionBlock section =
            sectionBlock(section::sectionPicture(survey, i), labels, options.scale);
        drawing.blocks.push_back(std::move(section.block));
        extents.push_back(section.extent);
    }
    const SheetFrame frame;
    const SheetLayout layout = layOutSections(extents, options.scale, options.paper, frame);
    const double mm = drawing.metresPerMillimetre();
    for (const Placement& placement : layout.placements) {
        const DrawPoint origin = sheetOrigin(options.paper, options.scale, placement.sheet);
        drawing.inserts.push_back({placement.section - 1,
                                   placement.sheet,
                                   {origin.x + placement.x * mm, origin.y + placement.y * mm}});
    }
    for (int sheet = 0; sheet < layout.sheets; ++sheet)
        drawing.sheets.push_back(
            sheetBlock(project, options.paper, options.scale, sheet, layout.sheets, frame));
    drawing.oversize = layout.oversize;
    return drawing;
}

bool readScale(const std::string& text, double& scale) {
    const std::string plain = runtime::toHalfWidth(text);
    const std::size_t colon = plain.find(':');
    if (colon != std::string::npos && runtime::readNumber(plain.substr(0, colon)) != 1.0)
        return false;
    const auto value =
        runtime::readNumber(colon == std::string::npos ? plain : plain.substr(colon + 1));
    if (!value || !std::isfinite(*value) || *value < 1.0 || *value > kLargestScale) return false;
    scale = *value;
    return true;
}

}  // namespace printout
