// SPDX-License-Identifier: GPL-3.0-or-later
// The document's edits of a cut-and-fill survey: each one step, recalculated
// as a full calculation of the edited data would be, undone and redone
// exactly, announced once; a refused edit changes nothing and says where.

#include <gtest/gtest.h>

#include <QUndoStack>
#include <limits>

#include "document/survey_document.h"

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

CutFillSurvey calculated(CutFillSurvey survey) {
    EXPECT_FALSE(section::calculateCutFill(survey));
    return survey;
}

struct Opened {
    explicit Opened(CutFillSurvey data) {
        EXPECT_FALSE(document.replaceCutFillSurvey(std::move(data), "打开文件", "a.hdm"));
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
        CutFillSurvey held = document.cutFill();
        document.undoStack()->redo();
        return held;
    }();
    EXPECT_EQ(document.undoStack()->undoText(), name);
    EXPECT_EQ(document.cutFill(), calculated(expected));
    document.undoStack()->undo();
    EXPECT_EQ(document.cutFill(), before);
    document.undoStack()->redo();
    EXPECT_EQ(document.cutFill(), calculated(expected));
}

TEST(CutFillEdit, a_typed_elevation_recalculates_the_areas_volumes_and_totals) {
    Opened opened(embankments(3, true));
    ASSERT_FALSE(opened.document.setCutFillCell({2, Line::Design, 2, Column::Elevation, 6.0}));
    CutFillSurvey expected = embankments(3, true);
    expected.sections[1].design[1].elevation = 6.0;
    expectStep(opened, expected, "修改高程");
    EXPECT_NE(opened.document.cutFill().totalFill, calculated(embankments(3, true)).totalFill);
    // The edit, then two undos and two redos.
    ASSERT_EQ(opened.changes.size(), 5u);
    EXPECT_EQ(opened.changes.front().kind, Change::Kind::Values);
    EXPECT_EQ(opened.changes.front().first, 2);
    EXPECT_EQ(opened.changes.front().last, 2);
}

TEST(CutFillEdit, stations_offsets_and_spacings_are_cells_of_their_own) {
    Opened stations(embankments(3, true));
    ASSERT_FALSE(stations.document.setCutFillCell({3, Line::Ground, 0, Column::Station, 1100.0}));
    CutFillSurvey expected = embankments(3, true);
    expected.sections[2].station = 1100.0;
    expectStep(stations, expected, "修改桩号");
    // The spacing before the moved station changes too.
    EXPECT_EQ(stations.changes.front().first, 2);

    Opened spacings(embankments(3, false));
    ASSERT_FALSE(spacings.document.setCutFillCell({1, Line::Ground, 0, Column::Spacing, 7.5}));
    expected = embankments(3, false);
    expected.sections[0].spacing = 7.5;
    expectStep(spacings, expected, "修改间距");

    ASSERT_FALSE(spacings.document.setCutFillCell({1, Line::Ground, 1, Column::Offset, -30.0}));
    expected.sections[0].ground[0].offset = -30.0;
    expectStep(spacings, expected, "修改距离");
}

TEST(CutFillEdit, a_cell_past_a_lines_last_point_appends_one) {
    Opened opened(embankments(2, true));
    ASSERT_FALSE(opened.document.setCutFillCell({1, Line::Ground, 3, Column::Offset, 25.0}));
    CutFillSurvey expected = embankments(2, true);
    expected.sections[0].ground.push_back({0.0, 25.0});
    expectStep(opened, expected, "修改距离");
    EXPECT_EQ(opened.changes.front().kind, Change::Kind::Points);
}

TEST(CutFillEdit, points_are_inserted_and_deleted_on_either_line) {
    Opened opened(embankments(2, true));
    ASSERT_FALSE(opened.document.insertCutFillPoint(2, Line::Ground, 2, {1.0, 0.0}));
    CutFillSurvey expected = embankments(2, true);
    expected.sections[1].ground.insert(expected.sections[1].ground.begin() + 1, {1.0, 0.0});
    expectStep(opened, expected, "插入观测点");

    ASSERT_FALSE(opened.document.deleteCutFillPoints(
        {{2, Line::Ground, 2}, {1, Line::Design, 1}, {1, Line::Design, 4}}));
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
    ASSERT_FALSE(opened.document.insertCutFillSection(4, row));
    CutFillSurvey expected = embankments(3, false);
    // Appended: the spacing typed is the one from the section before.
    expected.sections[2].spacing = 4.0;
    row.spacing = 0.0;
    expected.sections.push_back(row);
    expectStep(opened, expected, "插入断面");
    EXPECT_EQ(opened.changes.back().kind, Change::Kind::Sections);
    EXPECT_EQ(opened.changes.back().last, 4);

    // Taken out: the section before spans both spacings.
    ASSERT_FALSE(opened.document.deleteCutFillSection(2));
    expected.sections.erase(expected.sections.begin() + 1);
    expected.sections[0].spacing = 40.0;
    expectStep(opened, expected, "删除断面");

    ASSERT_FALSE(opened.document.insertCutFillSection(1, row));
    expected.sections.insert(expected.sections.begin(), row);
    expectStep(opened, expected, "插入断面");
}

TEST(CutFillEdit, a_paste_of_several_cells_is_one_step) {
    Opened opened(embankments(3, true));
    const std::size_t steps = opened.document.undoStack()->count();
    ASSERT_FALSE(opened.document.pasteCutFill({{1, Line::Ground, 1, Column::Elevation, 1.0},
                                               {3, Line::Design, 2, Column::Offset, -6.0},
                                               {3, Line::Design, 5, Column::Offset, 16.0}}));
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
        std::vector<CutFillCell> cells;
        if (count > 0) cells.push_back({1, Line::Ground, 3, Column::Offset, 25.0});
        SurveyDocument::CutFillGrowth growth{embankments(2, false).sections, 12.5};
        growth.sections.back().spacing = 30.0;
        ASSERT_FALSE(opened.document.pasteCutFill(cells, growth));
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
    SurveyDocument::CutFillGrowth growth{embankments(1, true).sections};
    growth.sections[0].ground = {{0, 20}, {0, -20}, {0, 30}};
    ASSERT_TRUE(opened.document.pasteCutFill({}, growth));
    EXPECT_EQ(opened.document.cutFill(), calculated(embankments(1, true)));
    EXPECT_EQ(opened.document.undoStack()->count(), 1);
}

TEST(CutFillEdit, retyping_a_value_makes_no_step) {
    Opened opened(embankments(2, true));
    const int steps = opened.document.undoStack()->count();
    ASSERT_FALSE(opened.document.setCutFillCell({1, Line::Design, 2, Column::Elevation, 5.0}));
    EXPECT_EQ(opened.document.undoStack()->count(), steps);
    EXPECT_TRUE(opened.changes.empty());
}

struct RefusedCase {
    const char* name;
    std::function<SurveyDocument::CutFillRefusal(SurveyDocument&)> edit;
    int section;
    std::vector<std::string> words;  // the message names these
};

TEST(CutFillEdit, a_refused_edit_changes_nothing_and_says_where) {
    const double huge = std::numeric_limits<float>::max() * 0.97;
    const std::vector<RefusedCase> cases{
        {"a line going back in S",
         [](SurveyDocument& d) {
             return d.setCutFillCell({2, Line::Design, 3, Column::Offset, -10.0});
         },
         2,
         {"K1+020.000断面", "设计线", "第 3 点"}},
        {"a point inserted against the order",
         [](SurveyDocument& d) {
             return d.insertCutFillPoint(1, Line::Ground, 2, {0, 30});
         },
         1,
         {"K1+000.000断面", "地面线", "第 3 点"}},
        {"an area beyond the number range",
         [huge](SurveyDocument& d) {
             return d.setCutFillCell({1, Line::Design, 2, Column::Elevation, huge});
         },
         1,
         {"K1+000.000断面", "超出了数值范围"}},
        {"a point that does not exist",
         [](SurveyDocument& d) {
             return d.setCutFillCell({1, Line::Ground, 5, Column::Elevation, 1.0});
         },
         1,
         {"地面线没有第 5 点"}},
        {"a deleted point that does not exist",
         [](SurveyDocument& d) {
             return d.deleteCutFillPoints({{1, Line::Design, 9}});
         },
         1,
         {"设计线没有第 9 点"}},
        {"a section that does not exist",
         [](SurveyDocument& d) { return d.deleteCutFillSection(4); },
         4,
         {"没有第 4 个断面"}},
        {"a spacing typed where stations give them",
         [](SurveyDocument& d) {
             return d.setCutFillCell({1, Line::Ground, 0, Column::Spacing, 3.0});
         },
         1,
         {"间距由桩号算出"}},
        {"a paste with one bad cell",
         [](SurveyDocument& d) {
             return d.pasteCutFill({{1, Line::Ground, 1, Column::Elevation, 3.0},
                                    {3, Line::Design, 2, Column::Offset, -16.0}});
         },
         3,
         {"K1+040.000断面", "设计线", "第 3 点"}},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        Opened opened(embankments(3, true));
        const CutFillSurvey before = opened.document.cutFill();
        const int steps = opened.document.undoStack()->count();
        const SurveyDocument::CutFillRefusal fault = c.edit(opened.document);
        ASSERT_TRUE(fault);
        EXPECT_EQ(fault->section, c.section);
        for (const std::string& word : c.words)
            EXPECT_NE(fault->message.find(word), std::string::npos) << fault->message;
        EXPECT_EQ(opened.document.cutFill(), before);
        EXPECT_EQ(opened.document.undoStack()->count(), steps);
        EXPECT_TRUE(opened.changes.empty());
    }
}

TEST(CutFillEdit, a_closed_outline_takes_no_cut_and_fill_edit) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey({}, "新建", ""), Outcome::Done);
    EXPECT_TRUE(document.insertCutFillSection(1, {}));
    EXPECT_EQ(document.kind(), SurveyKind::ClosedOutline);
    EXPECT_EQ(document.undoStack()->count(), 1);
}

}  // namespace
}  // namespace document
