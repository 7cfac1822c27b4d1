// SPDX-License-Identifier: GPL-3.0-or-later
// Every printout that names a section's station names it with the section's
// own letters ("ZK1+020.000", "YK…", "1+060.000" without), whichever kind of
// survey: the sheet, the 横断面图, the 土方数量表 and the earthworks forms.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "printout/earthworks_table.h"
#include "printout/haul_table.h"
#include "printout/road_table.h"
#include "printout/section_sheet_drawing.h"
#include "printout/survey_printouts.h"
#include "quantity_surveys.h"
#include "section/station.h"

namespace printout {
namespace {

constexpr const char* kPrefixes[] = {"ZK", "ZK", "YK", "-", ""};

// Every text a printout holds, one string each.
using Texts = std::vector<std::string>;

Texts textsOf(const Sheet& sheet) {
    Texts out;
    for (const SheetLine& line : sheet.lines)
        for (const PrintItem& item : line.items)
            if (const Text* text = std::get_if<Text>(&item)) out.push_back(text->text);
    return out;
}

Texts textsOf(const QuantityTable& table) {
    Texts out;
    for (const QuantityPage& page : table.pages)
        for (const QuantityRow& row : page.rows) {
            out.push_back(row.key);
            out.insert(out.end(), row.cells.begin(), row.cells.end());
        }
    return out;
}

Texts textsOf(const SheetDrawing& drawing) {
    Texts out;
    for (const DrawingBlock& block : drawing.blocks) {
        out.push_back(block.name);
        for (const DrawText& text : block.texts) out.push_back(text.text);
    }
    return out;
}

// Whether `label` stands in `text` on its own, not as the end of a longer
// one ("K1+060.000" does not hold "1+060.000").
bool holds(const std::string& text, const std::string& label) {
    for (std::size_t at = text.find(label); at != std::string::npos;
         at = text.find(label, at + 1)) {
        const char before = at > 0 ? text[at - 1] : ' ';
        if (!(before >= 'A' && before <= 'Z')) return true;
    }
    return false;
}

TEST(StationLabels, every_printout_names_stations_with_their_letters) {
    std::mt19937 random(35);
    section::CutFillSurvey lines = quantity_surveys::cutFillSurvey(random, 5);
    section::SectionSurvey closed = quantity_surveys::closedSurvey(random, 5, true);
    for (int i = 1; i <= 5; ++i) {
        lines.sections[std::size_t(i - 1)].stationPrefix = kPrefixes[i - 1];
        closed.setStationPrefix(i, kPrefixes[i - 1]);
    }
    const section::ProjectInfo project;
    using Printout = std::function<Texts(const section::Survey&)>;
    const std::vector<Printout> ofBoth = {
        [&](const auto& s) { return textsOf(calculationSheet(s, project)); },
        [&](const auto& s) { return textsOf(quantityTable(s, project)); },
        [&](const auto& s) { return textsOf(sectionSheets(s, project)); }};
    const std::vector<Printout> ofLines = {
        [&](const auto& s) { return textsOf(roadTable(s, project)); },
        [&](const auto& s) { return textsOf(earthworksTable(s, project)); },
        // The 土方调配表 names only the stations its stretches run between.
        [&](const auto& s) { return textsOf(haulTable(s, project)); }};
    for (const section::Survey& survey : {section::Survey(lines), section::Survey(closed)}) {
        std::vector<Printout> printouts = ofBoth;
        if (survey.cutFill()) printouts.insert(printouts.end(), ofLines.begin(), ofLines.end());
        for (std::size_t k = 0; k < printouts.size(); ++k) {
            SCOPED_TRACE((survey.cutFill() ? "lines, printout " : "outlines, printout ") +
                         std::to_string(k));
            const Texts texts = printouts[k](survey);
            int named = 0;
            for (int i = 1; i <= 5; ++i) {
                const std::string label = section::stationLabel(survey, i);
                const std::string usual = section::stationText(survey.station(i));
                named += std::any_of(texts.begin(), texts.end(),
                                     [&](const std::string& t) { return holds(t, label); });
                if (label != usual) {
                    EXPECT_TRUE(std::none_of(texts.begin(), texts.end(), [&](const std::string& t) {
                        return holds(t, usual);
                    })) << usual;
                }
            }
            const bool haul = survey.cutFill() && k + 1 == printouts.size();
            if (haul) {
                EXPECT_GT(named, 0);
            } else {
                EXPECT_EQ(named, 5);
            }
        }
    }
}

}  // namespace
}  // namespace printout
