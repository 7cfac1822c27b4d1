// SPDX-License-Identifier: GPL-3.0-or-later
// The unsaved edits on the disk without a window: a copy, the steps after it
// and the fresh copies taken on the way fold back into the survey as edited,
// of either kind, and belong to their file again.

#include "storage/unsaved_edits.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <future>

#include "qstring_print.h"
#include "storage/recovered_edits.h"
#include "storage/survey_io.h"
#include "survey_file/step_journal.h"
#include "survey_file/survey_file.h"

namespace {

// The data folder of this process, never the user's.
class DataFolder : public testing::Environment {
  public:
    void SetUp() override { qputenv("XDG_DATA_HOME", QFile::encodeName(folder_.path())); }

  private:
    QTemporaryDir folder_;
};
const testing::Environment* const kDataFolder = testing::AddGlobalTestEnvironment(new DataFolder);

// Point 1 of section 1 moved to elevation `h`, and the step's record.
std::string edit(section::Survey& survey, double h) {
    return survey.visit([h](auto& record) {
        if constexpr (std::is_same_v<std::decay_t<decltype(record)>, section::CutFillSurvey>)
            record.sections[0].ground[0].elevation = h;
        else
            record.setPoint(1, 1, h, record.offsets(1, 1));
        return survey_file::stepRecord(record, 1, 1);
    });
}

TEST(UnsavedEdits, steps_and_fresh_copies_fold_back_into_the_survey_as_edited) {
    const struct {
        const char* name;
        const char* file;
    } rows[] = {
        {"closed outline", "桩号,高程H,距离S\n1000,50,2\n1000,51,0\n1020,52,0\n"},
        {"cut and fill", "桩号,线,高程H,距离S\n1000,地面线,1,-5\n1000,设计线,2,-5\n"},
        {"cut and fill with its road design",
         "桩号,线,高程H,距离S\n1000,地面线,1,-5\n1000,地面线,1,5\n[纵断面]\n桩号,高程,竖曲线半径\n"
         "900,2,\n1100,2,\n[路幅]\n桩号,侧,宽度,横坡\n900,左,3,-2\n[断链]\n断前桩号,断后桩号\n"
         "1050,1040\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        survey_file::SurveyRead read = survey_file::readSurvey(row.file);
        ASSERT_TRUE(read.survey) << read.error.message;
        section::Survey survey = *read.survey;
        EXPECT_EQ(survey.roadDesign().empty(),
                  std::string_view(row.file).find('[') == std::string_view::npos);
        section::ProjectInfo project;
        project.projectName = "新路";
        storage::UnsavedEdits edits;
        ASSERT_EQ(edits.keepWhole(survey, project, "/home/测量/路.csv"), QString());
        ASSERT_TRUE(edits.keepsSteps());
        // Past the steps after which a fresh copy is due, some appended while it is written.
        int copies = 0;
        for (int k = 1; k <= 150; ++k) {
            ASSERT_EQ(edits.append(edit(survey, k)), QString());
            if (!edits.copyDue()) continue;
            std::promise<std::pair<unsigned, QString>> done;
            edits.copyInBackground(survey, project, [&done](unsigned generation, const QString& f) {
                done.set_value({generation, f});
            });
            ASSERT_EQ(edits.append(edit(survey, k + 0.5)), QString());
            const auto [generation, failure] = done.get_future().get();
            ASSERT_EQ(edits.copied(generation, failure), QString());
            ++copies;
        }
        EXPECT_EQ(copies, 2);
        edits.settle();
        const storage::FoldedEdits folded = storage::foldUnsavedEdits(storage::ownEditFiles());
        EXPECT_EQ(folded.failure, QString());
        EXPECT_EQ(folded.lost, QString());
        EXPECT_EQ(folded.file, "/home/测量/路.csv");
        const storage::OpenedSurvey back = storage::openSurvey(storage::ownEditFiles().copy());
        ASSERT_TRUE(back.survey) << back.error.toStdString();
        EXPECT_EQ(*back.survey, survey);
        EXPECT_EQ(back.survey->roadDesign(), survey.roadDesign());
        EXPECT_EQ(back.project, project);
        EXPECT_EQ(edits.forget(), QString());
        EXPECT_FALSE(QFile::exists(storage::ownEditFiles().copy()));
        EXPECT_FALSE(QFile::exists(storage::ownEditFiles().steps()));
    }
}

}  // namespace
