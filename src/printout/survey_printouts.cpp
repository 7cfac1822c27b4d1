// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/survey_printouts.h"

#include <algorithm>

#include "printout/chain_breaks.h"
#include "printout/cut_fill_sheet.h"
#include "printout/dayang.h"
#include "printout/page_frame.h"
#include "printout/picture_block.h"
#include "printout/sheet_writer.h"
#include "section/section_picture.h"

namespace printout {

namespace {

// The catch points ringed at a size that reads in a figure a few
// centimetres wide, which shows the road (the design line) with as much
// ground again beside it, or the whole section where there is no road.
double markRadius(const section::SectionPicture& picture) {
    const auto shown = [&picture](bool design) {
        double least = 0;
        double most = 0;
        bool any = false;
        for (const section::PictureLine& line : picture.lines) {
            if (design && line.role != section::PictureLine::Role::Design) continue;
            for (const section::Point& point : line.points) {
                least = any ? std::min(least, point.offset) : point.offset;
                most = any ? std::max(most, point.offset) : point.offset;
                any = true;
            }
        }
        return any ? std::max(most - least, 1.0) : 0.0;
    };
    const double road = shown(true);
    return road > 0 ? road * 2 / 80 : shown(false) / 80;
}

FigureMaker figuresOf(const section::Survey& survey, SectionDrawings drawings) {
    if (drawings == SectionDrawings::Without) return {};
    return [&survey](int i) {
        const section::SectionPicture picture = section::sectionPicture(survey, i);
        return pictureBlock(picture, markRadius(picture));
    };
}

// The notes as lines under the title line, every sheet's first.
void noteReading(Sheet& sheet, const std::vector<std::string>& notes) {
    if (notes.empty()) return;
    std::vector<SheetLine> lines;
    for (const std::string& note : notes)
        lines.push_back({10.0, {ColumnStop{kHeadingColumn}, Text{note}}});
    sheet.lines.insert(sheet.lines.begin() + 1, lines.begin(), lines.end());
    for (SheetFigure& figure : sheet.figures) {
        figure.firstLine += lines.size();
        figure.lastLine += lines.size();
    }
}

}  // namespace

Sheet calculationSheet(const section::Survey& survey, const section::ProjectInfo& project,
                       SectionDrawings drawings, const section::ReadingReport& reading) {
    FigureMaker figureOf = figuresOf(survey, drawings);
    Sheet sheet = survey.cutFill() ? cutFillSheet(*survey.cutFill(), std::move(figureOf))
                                   : dayang(*survey.closedOutline(), std::move(figureOf));
    noteReading(sheet, reading.sheetNotes);
    listChainBreaks(sheet, survey.roadDesign().breaks);
    return framedSheet(std::move(sheet), project);
}

QuantityTable quantityTable(const section::Survey& survey, const section::ProjectInfo& project) {
    QuantityTable table =
        survey.visit([&](const auto& record) { return quantityTable(record, project); });
    table.note = section::methodNote(survey.volumeMethod());
    return table;
}

}  // namespace printout
