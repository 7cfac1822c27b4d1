// SPDX-License-Identifier: GPL-3.0-or-later
// The document's edits of a cut-and-fill survey: each one step, recalculated
// as a full calculation of the edited data would be, undone and redone
// exactly, announced once; a refused edit changes nothing and says where.

#include <gtest/gtest.h>

#include <QUndoStack>
#include <limits>

#include "document/survey_document.h"
#include "section/cut_fill_calculation.h"

namespace document {
namespace {

using section::CutFillSection;
using section::CutFillSurvey;

// An embankment 10 m wide, 5 m high, with 2:1 slopes on flat ground: 100 m²
// of fill; the k-th section raised k metres above the first's formation.
CutFillSurvey embankments(int sections, bool stations) {
    CutFillSurvey survey;
    survey.stationAnswer = stations ? "Y" : "N";
    for (int k = 0; k < sections; ++k) {
        CutFillSection s;
        s.station = 1000.0 + 20.0 * k;
        s.spacing = stations ? 0.0 : 20.0;
        s.ground = {{0, -20}, {0, 20}};
        s.design = {{0, -15}, {5, -5}, {5, 5}, {0, 15}};
        survey.sections.push_back(s);
    }
    return survey;
}

// A section as the table enters it: its points are the ground line's.
document::SectionRow rowOf(const CutFillSection& section) {
    return {.station = section.station,
            .spacing = section.spacing,
            .points = section.ground,
            .design = section.design};
}

std::vector<document::SectionRow> rows(const CutFillSurvey& survey) {
    std::vector<document::SectionRow> rows;
    for (const CutFillSection& section : survey.sections) rows.push_back(rowOf(section));
    return rows;
}

CutFillSurvey calculated(CutFillSurvey survey) {
    EXPECT_FALSE(section::calculateCutFill(survey));
    return survey;
}

struct Opened {
    explicit Opened(CutFillSurvey data) {
        EXPECT_TRUE(
            document.replaceSurvey(section::Survey(std::move(data)), "打开文件", "a.hdm").done());
        QObject::connect(&document, &SurveyDocument::changed,
                         [this](const Change& change) { changes.push_back(change); });
    }
    SurveyDocument document;
    std::vector<Change> changes;
};

// The edit is one step named `name`, its result a full calculation of
// `expected`; undo gives back the survey exactly, redo the edit.
void expectStep(Opened& opened, const CutFillSurvey& expected, const QString& name) {
    SurveyDocument& document = opened.document;
    const CutFillSurvey before = [&] {
        document.undoStack()->undo();
        CutFillSurvey held = (*document.survey().cutFill());
        document.undoStack()->redo();
        return held;
    }();
    EXPECT_EQ(document.undoStack()->undoText(), name);
    EXPECT_EQ((*document.survey().cutFill()), calculated(expected));
    document.undoStack()->undo();
    EXPECT_EQ((*document.survey().cutFill()), before);
    document.undoStack()->redo();
    EXPECT_EQ((*document.survey().cutFill()), calculated(expected));
}

TEST(CutFillEdit, a_typed_elevation_recalculates_the_areas_volumes_and_totals) {
    Opened opened(embankments(3, true));
    ASSERT_TRUE(opened.document.setCell({2, 2, Column::Elevation, 6.0, Line::Design}).done());
    CutFillSurvey expected = embankments(3, true);
    expected.sections[1].design[1].elevation = 6.0;
    expectStep(opened, expected, "修改高程");
    EXPECT_NE((*opened.document.survey().cutFill()).totalFill,
              calculated(embankments(3, true)).totalFill);
    // The edit, then two undos and two redos.
    ASSERT_EQ(opened.changes.size(), 5u);
    EXPECT_EQ(opened.changes.front().kind, Change::Kind::Values);
    EXPECT_EQ(opened.changes.front().first, 2);
    EXPECT_EQ(opened.changes.front().last, 2);
}

TEST(CutFillEdit, stations_offsets_and_spacings_are_cells_of_their_own) {
    Opened stations(embankments(3, true));
    ASSERT_TRUE(stations.document.setCell({3, 0, Column::Station, 1100.0, Line::Ground}).done());
    CutFillSurvey expected = embankments(3, true);
    expected.sections[2].station = 1100.0;
    expectStep(stations, expected, "修改桩号");
    // The spacing before the moved station changes too.
    EXPECT_EQ(stations.changes.front().first, 2);

    Opened spacings(embankments(3, false));
    ASSERT_TRUE(spacings.document.setCell({1, 0, Column::Spacing, 7.5, Line::Ground}).done());
    expected = embankments(3, false);
    expected.sections[0].spacing = 7.5;
    expectStep(spacings, expected, "修改间距");

    ASSERT_TRUE(spacings.document.setCell({1, 1, Column::Offset, -30.0, Line::Ground}).done());
    expected.sections[0].ground[0].offset = -30.0;
    expectStep(spacings, expected, "修改距离");
}

TEST(CutFillEdit, a_cell_past_a_lines_last_point_appends_one) {
    Opened opened(embankments(2, true));
    ASSERT_TRUE(opened.document.setCell({1, 3, Column::Offset, 25.0, Line::Ground}).done());
    CutFillSurvey expected = embankments(2, true);
    expected.sections[0].ground.push_back({0.0, 25.0});
    expectStep(opened, expected, "修改距离");
    EXPECT_EQ(opened.changes.front().kind, Change::Kind::Points);
}

TEST(CutFillEdit, points_are_inserted_and_deleted_on_either_line) {
    Opened opened(embankments(2, true));
    ASSERT_TRUE(opened.document.insertPoint({2, 2, Line::Ground}, {1.0, 0.0}).done());
    CutFillSurvey expected = embankments(2, true);
    expected.sections[1].ground.insert(expected.sections[1].ground.begin() + 1, {1.0, 0.0});
    expectStep(opened, expected, "插入观测点");

    ASSERT_TRUE(
        opened.document
            .deletePoints({{2, 2, Line::Ground}, {1, 1, Line::Design}, {1, 4, Line::Design}})
            .done());
    expected.sections[1].ground.erase(expected.sections[1].ground.begin() + 1);
    expected.sections[0].design = {{5, -5}, {5, 5}};
    expectStep(opened, expected, "删除观测点");
    EXPECT_EQ(opened.changes.back().kind, Change::Kind::Points);
    EXPECT_EQ(opened.changes.back().first, 1);
    EXPECT_EQ(opened.changes.back().last, 2);
}

TEST(CutFillEdit, sections_keep_the_spacings_as_the_closed_outline_does) {
    Opened opened(embankments(3, false));
    CutFillSection row = embankments(1, false).sections.front();
    row.spacing = 4.0;
    ASSERT_TRUE(opened.document.insertSection(4, rowOf(row)).done());
    CutFillSurvey expected = embankments(3, false);
    // Appended: the spacing typed is the one from the section before.
    expected.sections[2].spacing = 4.0;
    row.spacing = 0.0;
    expected.sections.push_back(row);
    expectStep(opened, expected, "插入断面");
    EXPECT_EQ(opened.changes.back().kind, Change::Kind::Sections);
    EXPECT_EQ(opened.changes.back().last, 4);

    // Taken out: the section before spans both spacings.
    ASSERT_TRUE(opened.document.deleteSection(2).done());
    expected.sections.erase(expected.sections.begin() + 1);
    expected.sections[0].spacing = 40.0;
    expectStep(opened, expected, "删除断面");

    ASSERT_TRUE(opened.document.insertSection(1, rowOf(row)).done());
    expected.sections.insert(expected.sections.begin(), row);
    expectStep(opened, expected, "插入断面");
}

TEST(CutFillEdit, a_paste_of_several_cells_is_one_step) {
    Opened opened(embankments(3, true));
    const std::size_t steps = opened.document.undoStack()->count();
    ASSERT_TRUE(opened.document
                    .paste({{1, 1, Column::Elevation, 1.0, Line::Ground},
                            {3, 2, Column::Offset, -6.0, Line::Design},
                            {3, 5, Column::Offset, 16.0, Line::Design}})
                    .done());
    EXPECT_EQ(opened.document.undoStack()->count(), static_cast<int>(steps) + 1);
    CutFillSurvey expected = embankments(3, true);
    expected.sections[0].ground[0].elevation = 1.0;
    expected.sections[2].design[1].offset = -6.0;
    expected.sections[2].design.push_back({0.0, 16.0});
    expectStep(opened, expected, "粘贴");
    EXPECT_EQ(opened.changes.front().first, 1);
    EXPECT_EQ(opened.changes.front().last, 3);
}

// Cells and the sections grown after the last, one step; without stations
// the last section's spacing goes to the first new one, and the new last one
// has none. On an empty survey the sections are the first.
TEST(CutFillEdit, a_paste_grows_sections_after_the_last_in_the_same_step) {
    for (const int count : {0, 2}) {
        SCOPED_TRACE("sections before: " + std::to_string(count));
        Opened opened(embankments(count, false));
        std::vector<Cell> cells;
        if (count > 0) cells.push_back({1, 3, Column::Offset, 25.0, Line::Ground});
        SurveyDocument::Growth growth{.sections = rows(embankments(2, false)), .spacing = 12.5};
        growth.sections.back().spacing = 30.0;
        ASSERT_TRUE(opened.document.paste(cells, growth).done());
        CutFillSurvey expected = embankments(count, false);
        if (count > 0) {
            expected.sections[0].ground.push_back({0.0, 25.0});
            expected.sections.back().spacing = 12.5;
        }
        for (CutFillSection section : embankments(2, false).sections)
            expected.sections.push_back(section);
        expected.sections.back().spacing = 0.0;
        expectStep(opened, expected, "粘贴");
        EXPECT_EQ(opened.changes.front().kind, Change::Kind::Sections);
        EXPECT_EQ(opened.changes.front().first, 1);
        EXPECT_EQ(opened.changes.front().last, count + 2);
    }
    // A grown section whose line goes back is refused, nothing changed.
    Opened opened(embankments(1, true));
    SurveyDocument::Growth growth{.sections = rows(embankments(1, true))};
    growth.sections[0].points = {{0, 20}, {0, -20}, {0, 30}};
    ASSERT_FALSE(opened.document.paste({}, growth).done());
    EXPECT_EQ((*opened.document.survey().cutFill()), calculated(embankments(1, true)));
    EXPECT_EQ(opened.document.undoStack()->count(), 1);
}

TEST(CutFillEdit, retyping_a_value_makes_no_step) {
    Opened opened(embankments(2, true));
    const int steps = opened.document.undoStack()->count();
    ASSERT_TRUE(opened.document.setCell({1, 2, Column::Elevation, 5.0, Line::Design}).done());
    EXPECT_EQ(opened.document.undoStack()->count(), steps);
    EXPECT_TRUE(opened.changes.empty());
}

struct RefusedCase {
    const char* name;
    std::function<document::Edited(SurveyDocument&)> edit;
    int section;
    std::vector<std::string> words;  // the message names these
};

TEST(CutFillEdit, a_refused_edit_changes_nothing_and_says_where) {
    const double huge = std::numeric_limits<float>::max() * 0.97;
    const std::vector<RefusedCase> cases{
        {"a line going back in S",
         [](SurveyDocument& d) {
             return d.setCell({2, 3, Column::Offset, -10.0, Line::Design});
         },
         2,
         {"K1+020.000断面", "设计线", "第 3 点"}},
        {"a point inserted against the order",
         [](SurveyDocument& d) {
             return d.insertPoint({1, 2, Line::Ground}, {0, 30});
         },
         1,
         {"K1+000.000断面", "地面线", "第 3 点"}},
        {"an area beyond the number range",
         [huge](SurveyDocument& d) {
             return d.setCell({1, 2, Column::Elevation, huge, Line::Design});
         },
         1,
         {"K1+000.000断面", "超出了数值范围"}},
        {"a point that does not exist",
         [](SurveyDocument& d) {
             return d.setCell({1, 5, Column::Elevation, 1.0, Line::Ground});
         },
         1,
         {"地面线没有第 5 点"}},
        {"a deleted point that does not exist",
         [](SurveyDocument& d) {
             return d.deletePoints({{1, 9, Line::Design}});
         },
         1,
         {"设计线没有第 9 点"}},
        {"a section that does not exist",
         [](SurveyDocument& d) { return d.deleteSection(4); },
         4,
         {"没有第 4 个断面"}},
        {"a spacing typed where stations give them",
         [](SurveyDocument& d) {
             return d.setCell({1, 0, Column::Spacing, 3.0, Line::Ground});
         },
         1,
         {"间距由桩号算出"}},
        {"a paste with one bad cell",
         [](SurveyDocument& d) {
             return d.paste({{1, 1, Column::Elevation, 3.0, Line::Ground},
                             {3, 2, Column::Offset, -16.0, Line::Design}});
         },
         3,
         {"K1+040.000断面", "设计线", "第 3 点"}},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        Opened opened(embankments(3, true));
        const CutFillSurvey before = (*opened.document.survey().cutFill());
        const int steps = opened.document.undoStack()->count();
        const document::Edited refused = c.edit(opened.document);
        ASSERT_FALSE(refused.done());
        EXPECT_EQ(refused.section, c.section);
        for (const std::string& word : c.words)
            EXPECT_NE(refused.why.find(word), std::string::npos) << refused.why;
        EXPECT_EQ((*opened.document.survey().cutFill()), before);
        EXPECT_EQ(opened.document.undoStack()->count(), steps);
        EXPECT_TRUE(opened.changes.empty());
    }
}

// A closed outline has no ground or design line, a cut-and-fill section no
// outline: a cell on the other kind's line is refused, nothing changed.
TEST(CutFillEdit, a_cell_is_on_a_line_the_survey_has) {
    SurveyDocument closed;
    ASSERT_TRUE(closed
                    .replaceSurvey(section::emptySurvey(section::SurveyKind::ClosedOutline, true),
                                   "新建", "")
                    .done());
    ASSERT_TRUE(closed.insertSection(1, {.points = {{0, 0}, {0, 1}, {1, 0}}}).done());
    for (const Line line : {Line::Ground, Line::Design}) {
        EXPECT_FALSE(closed.setCell({1, 1, Column::Elevation, 5.0, line}).done());
        EXPECT_FALSE(closed.insertPoint({1, 1, line}, {}).done());
        EXPECT_FALSE(closed.deletePoints({{1, 1, line}}).done());
    }
    EXPECT_EQ(closed.undoStack()->count(), 2);

    Opened lines(embankments(2, true));
    EXPECT_FALSE(lines.document.setCell({1, 1, Column::Elevation, 5.0}).done());
    EXPECT_FALSE(lines.document.insertPoint({1, 1}, {}).done());
    EXPECT_FALSE(lines.document.deletePoints({{1, 1}}).done());
    EXPECT_EQ(lines.document.undoStack()->count(), 1);
    EXPECT_TRUE(lines.changes.empty());
}

}  // namespace
}  // namespace document
