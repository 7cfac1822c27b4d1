// SPDX-License-Identifier: GPL-3.0-or-later
// The document without a window: replacing the survey, undo and redo, the
// announcement of each change, refused overflows and refused cells.

#include "document/survey_document.h"

#include <gtest/gtest.h>

#include <QUndoStack>
#include <limits>

#include "section/calculation.h"

namespace document {
namespace {

using section::SectionSurvey;

// A value that fits, while a result made of it does not.
constexpr Value kHuge = std::numeric_limits<Value>::max() * Value(0.97);

// Sections of the same square outline raised by `rise` each, 20 m apart.
SectionSurvey squares(int sections, bool stations, Value rise = 1) {
    SectionSurvey survey;
    survey.resize(sections);
    survey.setStationAnswer(stations ? "y" : "n");
    for (int i = 1; i <= sections; ++i) survey.setPointCount(i, 4);
    survey.allocatePoints();
    for (int i = 1; i <= sections; ++i) {
        const Value h = rise * static_cast<Value>(i);
        survey.setStation(i, 20 * static_cast<Value>(i));
        survey.setPoint(i, 1, h, 5);
        survey.setPoint(i, 2, h, -5);
        survey.setPoint(i, 3, h - 2, -5);
        survey.setPoint(i, 4, h - 2, 5);
        if (i < sections) survey.setSpacing(i, 20);
    }
    return survey;
}

SectionSurvey calculated(SectionSurvey survey) {
    EXPECT_TRUE(section::calculateSurvey(survey));
    return survey;
}

// The record equals a full calculation of its own data.
bool consistent(const SectionSurvey& survey) {
    return calculated(survey) == survey;
}

struct Recorder {
    explicit Recorder(SurveyDocument& document) {
        QObject::connect(&document, &SurveyDocument::changed,
                         [this](const Change& change) { changes.push_back(change); });
    }
    std::vector<Change> changes;
};

TEST(SurveyDocument, replacing_the_survey_calculates_it_and_is_one_undoable_step) {
    SurveyDocument document;
    Recorder recorder(document);
    EXPECT_FALSE(document.modified());

    ASSERT_EQ(document.replaceSurvey(squares(3, true), "计算", ""), Outcome::Done);
    EXPECT_TRUE((*document.survey().closedOutline()) == calculated(squares(3, true)));
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(document.undoStack()->undoText(), "计算");

    ASSERT_EQ(document.replaceSurvey(squares(2, false), "打开文件", "/tmp/a.txt"), Outcome::Done);
    document.markSaved({"/tmp/a.txt"});
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(document.fileName(), "/tmp/a.txt");

    document.undoStack()->undo();
    EXPECT_TRUE((*document.survey().closedOutline()) == calculated(squares(3, true)));
    EXPECT_EQ(document.fileName(), "");
    EXPECT_TRUE(document.modified());
    document.undoStack()->undo();
    EXPECT_TRUE(*document.survey().closedOutline() == SectionSurvey());
    document.undoStack()->redo();
    document.undoStack()->redo();
    EXPECT_TRUE((*document.survey().closedOutline()) == calculated(squares(2, false)));
    EXPECT_EQ(document.fileName(), "/tmp/a.txt");
    EXPECT_FALSE(document.modified());

    ASSERT_EQ(recorder.changes.size(), 6u);  // two pushes, two undos, two redos
    for (const Change& change : recorder.changes) EXPECT_EQ(change.kind, Change::Kind::Survey);
}

// The file, its format and whether the survey is what it holds go with the
// step that brought the survey: undone and redone, each survey has its own.
TEST(SurveyDocument, each_replaced_survey_keeps_its_own_file_and_saved_state_through_undo) {
    SurveyDocument document;
    int told = 0;
    QObject::connect(&document, &SurveyDocument::fileChanged, [&] { ++told; });
    ASSERT_EQ(document.replaceSurvey(squares(3, true), "打开文件", "a.csv"), Outcome::Done);
    document.markSaved({"a.csv", FileFormat::SurveyCsv, {3, "x"}});
    ASSERT_EQ(document.replaceSurvey(squares(2, false), "打开文件", "b.hdm"), Outcome::Done);
    EXPECT_TRUE(document.modified());  // until it is marked as what the file holds
    document.markSaved({"b.hdm", FileFormat::Hdm});
    EXPECT_FALSE(document.modified());
    const int beforeUndo = told;
    document.undoStack()->undo();
    EXPECT_GT(told, beforeUndo);
    EXPECT_EQ(document.file().path, "a.csv");
    EXPECT_EQ(document.file().stamp, (FileStamp{3, "x"}));
    EXPECT_FALSE(document.modified());
    document.undoStack()->redo();
    EXPECT_EQ(document.file().path, "b.hdm");
    EXPECT_EQ(document.file().format, FileFormat::Hdm);
    EXPECT_FALSE(document.modified());
    // Saved at a step that an undo and a new edit cut off: saved nowhere now.
    ASSERT_EQ(document.setCell({1, 1, Column::Elevation, 5.0}), Outcome::Done);
    document.markSaved();
    document.undoStack()->undo();
    ASSERT_EQ(document.setCell({1, 1, Column::Elevation, 6.0}), Outcome::Done);
    for (int k = 0; k < 2; ++k) {
        EXPECT_TRUE(document.modified());
        document.undoStack()->undo();
    }
    EXPECT_EQ(document.file().path, "a.csv");
    EXPECT_FALSE(document.modified());
    document.tieTo({"c.csv"});
    EXPECT_TRUE(document.modified());
}

TEST(SurveyDocument, a_change_whose_calculation_overflows_is_refused_and_changes_nothing) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey(squares(3, true), "计算", "a.txt"), Outcome::Done);
    const SectionSurvey before = (*document.survey().closedOutline());
    Recorder recorder(document);

    EXPECT_EQ(document.replaceSurvey(squares(3, true, kHuge), "计算", "b.txt"), Outcome::Overflow);
    EXPECT_EQ(
        document.setCell({.section = 2, .point = 1, .column = Column::Elevation, .value = kHuge}),
        Outcome::Overflow);
    EXPECT_EQ(document.insertPoint({2, 3}, {kHuge, -kHuge}), Outcome::Overflow);
    // The spacing from the station before fits, its volume does not.
    EXPECT_EQ(document.setCell({.section = 3, .column = Column::Station, .value = kHuge}),
              Outcome::Overflow);
    EXPECT_EQ(
        document.insertSection(2, {.station = 30,
                                   .spacing = 10,
                                   .points = {{kHuge, kHuge / 3}, {-kHuge, -kHuge / 3}, {0, 0}}}),
        Outcome::Overflow);

    EXPECT_TRUE((*document.survey().closedOutline()) == before);
    EXPECT_EQ(document.fileName(), "a.txt");
    EXPECT_TRUE(recorder.changes.empty());
    EXPECT_EQ(document.undoStack()->count(), 1);
}

// A fill embankment on flat ground, `sections` of it 20 m apart.
section::CutFillSurvey embankments(int sections) {
    section::CutFillSurvey survey;
    survey.stationAnswer = "Y";
    for (int i = 0; i < sections; ++i) {
        section::CutFillSection row;
        row.station = 20.0 * i;
        row.ground = {{0, 20}, {0, -20}};
        row.design = {{0, 15}, {5, 5}, {5, -5}, {0, -15}};
        survey.sections.push_back(row);
    }
    return survey;
}

// A survey read from its file, or made new, is that file's from its own step
// on: nobody listening is told it differs, not even while the step is taken;
// undone, the survey before comes back as changed as it was.
TEST(SurveyDocument, a_survey_replaced_as_saved_is_never_told_modified) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey(squares(3, true), "计算", ""), Outcome::Done);
    std::vector<bool> told;
    QObject::connect(&document, &SurveyDocument::fileChanged,
                     [&] { told.push_back(document.modified()); });
    ASSERT_EQ(document.replaceSurvey(squares(2, false), "打开文件", "a.csv", std::nullopt,
                                     Replacing::AsSaved),
              Outcome::Done);
    EXPECT_TRUE(document
                    .replaceSurvey(section::Survey(embankments(2)), "新建", "", std::nullopt,
                                   Replacing::AsSaved)
                    .done());
    EXPECT_EQ(told, (std::vector<bool>{false, false}));
    document.undoStack()->undo();
    EXPECT_EQ(document.fileName(), "a.csv");
    EXPECT_FALSE(document.modified());
    document.undoStack()->undo();
    EXPECT_TRUE(document.modified());
    document.undoStack()->redo();
    document.undoStack()->redo();
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(told, (std::vector<bool>{false, false, false, true, false, false}));
}

TEST(SurveyDocument, holds_either_kind_and_undo_brings_back_the_kind_before) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey(squares(2, true), "打开文件", "a.txt"), Outcome::Done);
    const SectionSurvey closed = (*document.survey().closedOutline());
    Recorder recorder(document);

    EXPECT_TRUE(
        document.replaceSurvey(section::Survey(embankments(3)), "打开文件", "b.hdm").done());
    EXPECT_EQ(document.survey().kind(), section::SurveyKind::CutFill);
    EXPECT_EQ(document.survey().closedOutline(), nullptr);
    ASSERT_EQ((*document.survey().cutFill()).sectionCount(), 3);
    EXPECT_DOUBLE_EQ((*document.survey().cutFill()).sections[0].areas->fill, 100.0);
    EXPECT_DOUBLE_EQ((*document.survey().cutFill()).totalFill, 4000.0);
    EXPECT_EQ(document.fileName(), "b.hdm");

    document.undoStack()->undo();
    EXPECT_EQ(document.survey().kind(), section::SurveyKind::ClosedOutline);
    EXPECT_TRUE((*document.survey().closedOutline()) == closed);
    EXPECT_EQ(document.survey().cutFill(), nullptr);
    EXPECT_EQ(document.fileName(), "a.txt");
    document.undoStack()->redo();
    EXPECT_EQ(document.survey().kind(), section::SurveyKind::CutFill);
    EXPECT_EQ(recorder.changes.size(), 3u);

    // A line that goes back in S is refused with its section named; nothing changes.
    section::CutFillSurvey back = embankments(2);
    back.sections[1].ground = {{0, -20}, {0, 20}, {0, 0}};
    const document::Edited fault =
        document.replaceSurvey(section::Survey(back), "打开文件", "c.hdm");
    ASSERT_FALSE(fault.done());
    EXPECT_EQ(fault.section, 2);
    EXPECT_EQ((*document.survey().cutFill()).sectionCount(), 3);
    EXPECT_EQ(document.fileName(), "b.hdm");
    EXPECT_EQ(recorder.changes.size(), 3u);
}

TEST(SurveyDocument, each_edit_is_named_announced_once_and_undone_exactly) {
    struct Step {
        const char* name;
        std::function<document::Edited(SurveyDocument&)> edit;
        Change::Kind kind;
    };
    const std::vector<Step> steps{
        {"修改高程",
         [](SurveyDocument& d) {
             return d.setCell({2, 3, Column::Elevation, 7.5f});
         },
         Change::Kind::Values},
        {"修改距离",
         [](SurveyDocument& d) {
             return d.setCell({2, 3, Column::Offset, -6});
         },
         Change::Kind::Values},
        {"修改桩号",
         [](SurveyDocument& d) {
             return d.setCell({2, 0, Column::Station, 31});
         },
         Change::Kind::Values},
        {"粘贴",
         [](SurveyDocument& d) {
             return d.paste({{1, 1, Column::Elevation, 4},
                             {1, 1, Column::Offset, 9},
                             {3, 2, Column::Elevation, 0.25f}});
         },
         Change::Kind::Values},
        {"插入观测点",
         [](SurveyDocument& d) {
             return d.insertPoint({2, 5}, {0, 0});
         },
         Change::Kind::Points},
        {"删除观测点",
         [](SurveyDocument& d) {
             return d.deletePoints({{1, 1}});
         },
         Change::Kind::Points},
        {"上移观测点", [](SurveyDocument& d) { return d.movePointUp(3, 2); }, Change::Kind::Values},
        {"下移观测点", [](SurveyDocument& d) { return d.movePointDown(3, 1); },
         Change::Kind::Values},
        {"插入断面",
         [](SurveyDocument& d) {
             return d.insertSection(
                 2, {.station = 30, .spacing = 10, .points = {{1, 1}, {1, -1}, {0, 0}}});
         },
         Change::Kind::Sections},
        {"删除断面", [](SurveyDocument& d) { return d.deleteSection(1); }, Change::Kind::Sections},
    };
    for (const bool stations : {true, false}) {
        SurveyDocument document;
        ASSERT_EQ(document.replaceSurvey(squares(3, stations), "计算", ""), Outcome::Done);
        std::vector<SectionSurvey> states{(*document.survey().closedOutline())};
        Recorder recorder(document);
        for (const Step& step : steps) {
            SCOPED_TRACE(step.name);
            ASSERT_EQ(step.edit(document), Outcome::Done);
            EXPECT_EQ(document.undoStack()->undoText(), step.name);
            ASSERT_EQ(recorder.changes.size(), states.size());
            EXPECT_EQ(recorder.changes.back().kind, step.kind);
            EXPECT_FALSE((*document.survey().closedOutline()) == states.back());
            EXPECT_TRUE(consistent((*document.survey().closedOutline())));
            states.push_back((*document.survey().closedOutline()));
        }
        for (std::size_t k = states.size() - 1; k-- > 0;) {
            document.undoStack()->undo();
            EXPECT_TRUE((*document.survey().closedOutline()) == states[k]) << "undo to state " << k;
        }
        EXPECT_EQ(recorder.changes.size(), 2 * steps.size());
    }
}

TEST(SurveyDocument, a_change_names_the_sections_it_touched) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey(squares(4, true), "计算", ""), Outcome::Done);
    Recorder recorder(document);
    const auto sections = [&] {
        return std::pair(recorder.changes.back().first, recorder.changes.back().last);
    };
    ASSERT_EQ(document.paste({{3, 1, Column::Offset, 8}, {1, 2, Column::Elevation, 0}}),
              Outcome::Done);
    EXPECT_EQ(sections(), std::pair(1, 3));
    ASSERT_EQ(document.setCell({3, 0, Column::Station, 55}), Outcome::Done);
    EXPECT_EQ(sections(), std::pair(2, 3));  // the spacing of section 2 follows
    ASSERT_EQ(document.insertPoint({4, 1}, {}), Outcome::Done);
    EXPECT_EQ(sections(), std::pair(4, 4));
    ASSERT_EQ(document.deleteSection(2), Outcome::Done);
    EXPECT_EQ(sections(), std::pair(2, 3));
    document.undoStack()->undo();
    EXPECT_EQ(sections(), std::pair(2, 4));
    EXPECT_EQ(recorder.changes.back().kind, Change::Kind::Sections);
}

TEST(SurveyDocument, cells_that_do_not_exist_or_are_worked_out_are_refused) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey(squares(3, true), "计算", ""), Outcome::Done);
    const SectionSurvey before = (*document.survey().closedOutline());
    EXPECT_EQ(document.setCell({4, 1, Column::Elevation, 1}), Outcome::Refused);
    EXPECT_EQ(document.setCell({1, 5, Column::Offset, 1}), Outcome::Refused);
    EXPECT_EQ(document.setCell({1, 0, Column::Spacing, 1}), Outcome::Refused);  // from stations
    EXPECT_EQ(document.insertPoint({1, 6}, {}), Outcome::Refused);
    EXPECT_EQ(document.deletePoints({{0, 1}}), Outcome::Refused);
    EXPECT_EQ(document.movePointUp(1, 1), Outcome::Refused);
    EXPECT_EQ(document.movePointDown(1, 4), Outcome::Refused);
    EXPECT_EQ(document.insertSection(5, {}), Outcome::Refused);
    EXPECT_EQ(document.deleteSection(4), Outcome::Refused);
    // Typing the same value again is no step at all.
    EXPECT_EQ(document.setCell({1, 1, Column::Elevation, before.elevations(1, 1)}), Outcome::Done);
    EXPECT_TRUE((*document.survey().closedOutline()) == before);
    EXPECT_EQ(document.undoStack()->count(), 1);

    // No more sections or points than a typed run or a file may have.
    SectionSurvey most;
    most.resize(32767);
    most.setPointCount(1, 32766);
    most.takePoints(std::vector<Value>(32766), std::vector<Value>(32766));
    ASSERT_EQ(document.replaceSurvey(section::Survey(most), "打开文件", ""), Outcome::Done);
    EXPECT_EQ(document.insertPoint({1, 1}, {}), Outcome::Refused);
    EXPECT_EQ(document.insertSection(1, {}), Outcome::Refused);
    EXPECT_EQ(document.insertPoint({2, 1}, {}), Outcome::Done);
    EXPECT_EQ(document.undoStack()->count(), 3);

    ASSERT_EQ(document.replaceSurvey(squares(3, false), "计算", ""), Outcome::Done);
    EXPECT_EQ(document.setCell({3, 0, Column::Spacing, 1}), Outcome::Refused);  // the last has none
    EXPECT_EQ(document.insertSection(2, {.points = std::vector<Point>(32767)}), Outcome::Refused);
    EXPECT_EQ(document.setCell({2, 0, Column::Spacing, 5}), Outcome::Done);
    EXPECT_EQ(document.survey().closedOutline()->volumes(2),
              5 * document.survey().closedOutline()->areas(2));
}

TEST(SurveyDocument, sections_taken_out_or_put_in_keep_the_spacings_meaningful) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey(squares(3, false), "计算", ""), Outcome::Done);
    ASSERT_EQ(document.deleteSection(2), Outcome::Done);
    EXPECT_EQ(document.survey().closedOutline()->spacings(1), 40);  // the two spacings joined
    ASSERT_EQ(document.deleteSection(2), Outcome::Done);
    EXPECT_EQ(document.survey().closedOutline()->spacings(1), 0);  // the last section has none
    EXPECT_EQ(document.survey().closedOutline()->totalVolume(), 0);
    ASSERT_EQ(document.insertSection(
                  2, {.station = 0, .spacing = 15, .points = {{1, 1}, {1, -1}, {0, 0}}}),
              Outcome::Done);
    EXPECT_EQ(document.survey().closedOutline()->spacings(1), 15);  // appended: from the one before
    EXPECT_EQ(document.survey().closedOutline()->spacings(2), 0);
    EXPECT_EQ(document.survey().closedOutline()->pointCounts(2), 3);
    EXPECT_TRUE(consistent((*document.survey().closedOutline())));
}

std::vector<Point> pointsOf(const SectionSurvey& survey, int i) {
    std::vector<Point> points;
    for (int j = 1; j <= survey.pointCounts(i); ++j)
        points.push_back({survey.elevations(i, j), survey.offsets(i, j)});
    return points;
}

TEST(SurveyDocument, points_deleted_from_several_sections_are_one_step_undone_exactly) {
    for (const bool stations : {true, false}) {
        SCOPED_TRACE(stations ? "with stations" : "without stations");
        SurveyDocument document;
        ASSERT_EQ(document.replaceSurvey(squares(4, stations), "计算", ""), Outcome::Done);
        const SectionSurvey before = (*document.survey().closedOutline());
        Recorder recorder(document);

        // Out of order and one of them twice; section 4 loses every point.
        ASSERT_EQ(
            document.deletePoints({{3, 4}, {1, 2}, {4, 1}, {3, 1}, {4, 2}, {4, 3}, {4, 4}, {1, 2}}),
            Outcome::Done);
        const SectionSurvey deleted = (*document.survey().closedOutline());
        EXPECT_EQ(document.undoStack()->count(), 2);
        EXPECT_EQ(document.undoStack()->undoText(), "删除观测点");
        ASSERT_EQ(recorder.changes.size(), 1u);
        EXPECT_EQ(recorder.changes[0].kind, Change::Kind::Points);
        EXPECT_EQ(std::pair(recorder.changes[0].first, recorder.changes[0].last), std::pair(1, 4));

        const std::vector<Point> was1 = pointsOf(before, 1), was3 = pointsOf(before, 3);
        EXPECT_EQ(pointsOf(deleted, 1), (std::vector{was1[0], was1[2], was1[3]}));
        EXPECT_EQ(pointsOf(deleted, 2), pointsOf(before, 2));
        EXPECT_EQ(pointsOf(deleted, 3), (std::vector{was3[1], was3[2]}));
        EXPECT_LE(deleted.pointCounts(4), 0);
        EXPECT_EQ(deleted.sectionCount(), 4);
        EXPECT_EQ(deleted.areas(4), 0);
        EXPECT_TRUE(consistent(deleted));

        document.undoStack()->undo();
        EXPECT_TRUE((*document.survey().closedOutline()) == before);
        document.undoStack()->redo();
        EXPECT_TRUE((*document.survey().closedOutline()) == deleted);
        document.undoStack()->undo();
        EXPECT_TRUE((*document.survey().closedOutline()) == before);
        EXPECT_EQ(recorder.changes.size(), 4u);

        // One point that is not there refuses them all.
        EXPECT_EQ(document.deletePoints({{1, 1}, {2, 5}}), Outcome::Refused);
        EXPECT_EQ(document.deletePoints({{5, 1}, {1, 1}}), Outcome::Refused);
        EXPECT_TRUE((*document.survey().closedOutline()) == before);
        EXPECT_EQ(recorder.changes.size(), 4u);
    }
}

TEST(SurveyDocument, a_paste_past_the_end_adds_points_sections_and_spacing_as_one_step) {
    const std::vector<Point> outline{{3, 4}, {3, -4}, {0, 0}};
    for (const bool stations : {true, false}) {
        SCOPED_TRACE(stations ? "with stations" : "without stations");
        SurveyDocument document;
        ASSERT_EQ(document.replaceSurvey(squares(2, stations), "计算", ""), Outcome::Done);
        const SectionSurvey before = (*document.survey().closedOutline());
        Recorder recorder(document);

        SurveyDocument::Growth growth{
            .points = {{1, 6}, {1, -6}},
            .sections = {{.station = 55, .spacing = 8, .points = outline}, {.station = 70}},
            .spacing = 12};
        ASSERT_EQ(document.paste({{1, 1, Column::Elevation, 9}, {2, 0, Column::Station, 41}},
                                 std::move(growth)),
                  Outcome::Done);
        const SectionSurvey grown = (*document.survey().closedOutline());
        EXPECT_EQ(document.undoStack()->count(), 2);
        EXPECT_EQ(document.undoStack()->undoText(), "粘贴");
        ASSERT_EQ(recorder.changes.size(), 1u);
        EXPECT_EQ(recorder.changes[0].kind, Change::Kind::Sections);
        EXPECT_EQ(recorder.changes[0].first, 1);

        EXPECT_EQ(grown.sectionCount(), 4);
        EXPECT_EQ(grown.elevations(1, 1), 9);
        std::vector<Point> last = pointsOf(before, 2);
        last.insert(last.end(), {{1, 6}, {1, -6}});
        EXPECT_EQ(pointsOf(grown, 2), last);
        EXPECT_EQ(pointsOf(grown, 3), outline);
        EXPECT_LE(grown.pointCounts(4), 0);
        EXPECT_EQ(grown.stations(2), 41);
        EXPECT_EQ(grown.stations(3), 55);
        // With stations the spacings follow them; without, they are the pasted ones.
        EXPECT_EQ(grown.spacings(1), stations ? 21 : 20);
        EXPECT_EQ(grown.spacings(2), stations ? 14 : 12);
        EXPECT_EQ(grown.spacings(3), stations ? 15 : 8);
        EXPECT_EQ(grown.spacings(4), 0);
        EXPECT_NE(grown.areas(3), 0);
        EXPECT_TRUE(consistent(grown));

        document.undoStack()->undo();
        EXPECT_TRUE((*document.survey().closedOutline()) == before);
        EXPECT_EQ(document.undoStack()->count(), 2);
        document.undoStack()->redo();
        EXPECT_TRUE((*document.survey().closedOutline()) == grown);
        document.undoStack()->undo();
        EXPECT_TRUE((*document.survey().closedOutline()) == before);
        EXPECT_EQ(recorder.changes.size(), 4u);
    }

    // Into an empty survey the pasted rows are the first sections.
    SurveyDocument empty;
    ASSERT_EQ(empty.paste({}, {.sections = {{.station = 10, .points = outline}, {.station = 30}}}),
              Outcome::Done);
    EXPECT_EQ(empty.survey().sectionCount(), 2);
    EXPECT_EQ(pointsOf((*empty.survey().closedOutline()), 1), outline);
    EXPECT_TRUE(consistent((*empty.survey().closedOutline())));
    empty.undoStack()->undo();
    EXPECT_TRUE((*empty.survey().closedOutline()) == SectionSurvey());
    EXPECT_EQ(empty.paste({}, {.points = {{1, 1}}}), Outcome::Refused);  // no section to join
}

TEST(SurveyDocument, a_paste_past_the_end_that_overflows_or_is_too_long_changes_nothing) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey(squares(3, false), "计算", ""), Outcome::Done);
    const SectionSurvey before = (*document.survey().closedOutline());
    Recorder recorder(document);
    const std::vector<Point> outline{{3, 4}, {3, -4}, {0, 0}};
    const std::vector<Point> huge{{kHuge, kHuge}, {-kHuge, kHuge}, {kHuge, -kHuge}};
    const std::vector<Cell> fits{{1, 1, Column::Elevation, 5}, {2, 0, Column::Spacing, 30}};

    // The points joining the last section make its area overflow.
    EXPECT_EQ(document.paste(fits, {.points = huge}), Outcome::Overflow);
    // So does a new section's.
    EXPECT_EQ(document.paste(fits, {.sections = {{.points = huge}}}), Outcome::Overflow);
    // The areas fit, the volume over the pasted spacing does not.
    EXPECT_EQ(document.paste(fits, {.sections = {{.points = outline}}, .spacing = kHuge}),
              Outcome::Overflow);
    // The rows fit, a cell does not.
    EXPECT_EQ(document.paste({{2, 1, Column::Elevation, kHuge}, {2, 2, Column::Offset, kHuge}},
                             {.points = outline}),
              Outcome::Overflow);
    // More sections or points than a file may have, or a cell that is not there.
    EXPECT_EQ(document.paste(fits, {.sections = std::vector<SectionRow>(32765)}), Outcome::Refused);
    EXPECT_EQ(document.paste(fits, {.points = std::vector<Point>(32763)}), Outcome::Refused);
    EXPECT_EQ(document.paste({{4, 1, Column::Elevation, 1}}, {.points = outline}),
              Outcome::Refused);

    EXPECT_TRUE((*document.survey().closedOutline()) == before);
    EXPECT_TRUE(recorder.changes.empty());
    EXPECT_EQ(document.undoStack()->count(), 1);
    // What was refused leaves nothing behind for the next paste.
    ASSERT_EQ(document.paste(fits, {.points = outline}), Outcome::Done);
    EXPECT_EQ(document.survey().closedOutline()->pointCounts(3), 7);
    EXPECT_TRUE(consistent((*document.survey().closedOutline())));
}

}  // namespace
}  // namespace document
