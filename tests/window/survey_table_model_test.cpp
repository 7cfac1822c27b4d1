// SPDX-License-Identifier: GPL-3.0-or-later
// The survey table's model against the document, no widget shown: cells typed,
// blocks pasted, rows put in, taken out and moved, undo and redo, refusals in
// the file's words, and the rows following each change of the document.

#include "window/table/survey_table_model.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include "survey_file/hdm.h"
#include "survey_file/survey_file.h"

using window::SurveyTableModel;

namespace {

// Two sections of three points each, with or without stations.
const char* const kStations =
    "桩号,高程H,距离S\n100,50,2\n100,51,0\n100,50,-2\n120,52,3\n120,52,0\n120,50,-3\n";
const char* const kNumbered =
    "断面,高程H,距离S,间距DL\n1,10,0,20\n1,10,4,\n1,8,4,\n2,8,0,\n2,8,5,\n2,9,5,\n";

void load(document::SurveyDocument& document, const char* file) {
    auto read = survey_file::readSurvey(file);
    QVERIFY2(read.survey, read.error.message.c_str());
    QCOMPARE(document.replaceSurvey(std::move(*read.survey), "打开文件", ""),
             document::Outcome::Done);
}

QString cell(const SurveyTableModel& model, int row, int column) {
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

// The whole table as text, row by row, for comparing states.
QString table(const SurveyTableModel& model) {
    QModelIndexList all;
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c) all << model.index(r, c);
    return model.copy(all);
}

}  // namespace

class SurveyTableModelTest : public QObject {
    Q_OBJECT

  private slots:
    // A view told of a replaced survey before the model may ask it for any
    // cell (focus moving to the table as another view hides a widget): the
    // model answers for the survey it has not laid out yet without throwing.
    void a_cell_asked_for_before_the_model_follows_a_new_survey_is_empty() {
        document::SurveyDocument document;
        load(document, kStations);
        QStringList seen;
        SurveyTableModel* asked = nullptr;
        QObject::connect(&document, &document::SurveyDocument::changed, [&] {
            for (int row : {0, 5})
                seen << QString::number(int(asked->flags(asked->index(row, 1)))) +
                            asked->data(asked->index(row, 1), Qt::DisplayRole).toString();
        });
        SurveyTableModel model(document);
        asked = &model;
        document.replaceSurvey(section::emptySurvey(section::SurveyKind::CutFill, true), "新建",
                               "");
        QCOMPARE(seen.size(), 2);
        QCOMPARE(model.rowCount(), 1);  // the row to type the first section into
    }

    // One model over whichever survey the document holds, switching with it:
    // the columns its sections call for, and for a section without points one
    // row of a closed outline, or an empty row for each line to type into.
    void the_columns_and_rows_follow_the_lines_of_the_survey_held() {
        struct Case {
            section::SurveyKind kind;
            bool stations;
            QString headers;
            QString newSection;  // the rows of one section without points
        };
        using section::SurveyKind;
        const Case cases[] = {
            {SurveyKind::ClosedOutline, true, "桩号 高程H 距离S", "0\t\t\n"},
            {SurveyKind::CutFill, false, "断面 线 高程H 距离S 间距DL 挖方面积 填方面积",
             "1\t地面线\t\t\t\t无面积\t没有观测点\n1\t设计线\t\t\t\t\t\n"},
            {SurveyKind::ClosedOutline, false, "断面 高程H 距离S 间距DL", "1\t\t\t\n"},
            {SurveyKind::CutFill, true, "桩号 线 高程H 距离S 挖方面积 填方面积",
             "0\t地面线\t\t\t无面积\t没有观测点\n0\t设计线\t\t\t\t\n"},
        };
        document::SurveyDocument document;
        SurveyTableModel model(document);
        for (const Case& c : cases) {
            document.replaceSurvey(section::emptySurvey(c.kind, c.stations), "新建", "");
            QStringList headers;
            for (int k = 0; k < model.columnCount(); ++k)
                headers << model.headerData(k, Qt::Horizontal, Qt::DisplayRole).toString();
            QCOMPARE(headers.join(u' '), c.headers);
            QCOMPARE(model.rowCount(), 1);
            QVERIFY(document.insertSection(1, {}).done());
            QModelIndexList rows;
            for (int r = 0; r + 1 < model.rowCount(); ++r)
                for (int k = 0; k < model.columnCount(); ++k) rows << model.index(r, k);
            QCOMPARE(model.copy(rows), c.newSection);
        }
    }

    // A 里程文件's point codes in a read-only 编码 column, its stations with
    // their letters; a point put in or taken out keeps the others' codes.
    void codes_show_in_their_column_and_stay_with_their_points() {
        document::SurveyDocument document;
        auto read =
            survey_file::readHdm("BEGIN,ZK1+020:1\n-5,100,DM\n5,101,ZX\nNEXT\n-5,99\n5,99\n");
        QVERIFY2(read.survey, read.error.message.c_str());
        QCOMPARE(document.replaceSurvey(std::move(*read.survey), "打开文件", ""),
                 document::Outcome::Done);
        SurveyTableModel model(document);
        QStringList headers;
        for (int k = 0; k < model.columnCount(); ++k)
            headers << model.headerData(k, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(headers.join(u' '), "桩号 线 高程H 距离S 编码 挖方面积 填方面积");
        const int code = model.column(SurveyTableModel::Code);
        QCOMPARE(cell(model, 0, 0), "ZK1+020");
        QCOMPARE(cell(model, 0, code), "DM");
        QCOMPARE(cell(model, 1, code), "ZX");
        QCOMPARE(cell(model, 3, code), "");
        QVERIFY(!(model.flags(model.index(0, code)) & Qt::ItemIsEditable));
        QVERIFY(model.commit(model.index(0, code), "X").contains("编码"));
        QVERIFY(model.insertPoint(0, true).isEmpty());
        QCOMPARE(QStringList({cell(model, 0, code), cell(model, 1, code), cell(model, 2, code)}),
                 QStringList({"DM", "", "ZX"}));
        QVERIFY(model.deletePoints({0}).isEmpty());
        QCOMPARE(QStringList({cell(model, 0, code), cell(model, 1, code)}),
                 QStringList({"", "ZX"}));
    }

    // A station typed with other letters takes them, one in metres keeps the
    // row's (or on the empty row the last section's), and undo gives the old
    // letters back; pasted keys alike. Both kinds of survey, one table.
    void typed_stations_take_their_letters_and_metres_keep_the_rows() {
        struct Kind {
            const char* file;
            QString point;  // the cells of a pasted row after its key
        };
        const Kind kinds[] = {
            {"桩号,高程H,距离S\nZK1+000,50,2\nZK1+000,51,0\nZK1+020,52,3\nZK1+020,52,0\n",
             "\t100\t-5\n"},
            {"桩号,线,高程H,距离S\nZK1+000,地面线,100,-5\nZK1+000,地面线,101,5\n"
             "ZK1+020,地面线,100,-5\nZK1+020,地面线,100,5\n",
             "\t地面线\t100\t-5\n"}};
        for (const auto& [file, point] : kinds) {
            document::SurveyDocument document;
            load(document, file);
            const section::Survey start = document.survey();
            SurveyTableModel model(document);
            const auto label = [&](int i) {
                return QString::fromStdString(section::stationLabel(document.survey(), i));
            };
            const auto type = [&](int section, const char* text) {
                const int row = section > 0 ? model.rowOf(section, 0) : model.rowCount() - 1;
                return model.commit(model.index(row, 0), text);
            };
            QVERIFY(type(1, "YK1+005").isEmpty());
            QCOMPARE(label(1), "YK1+005.000");
            QCOMPARE(cell(model, model.rowOf(1, 0), 0), "YK1+005");
            QCOMPARE(document.undoStack()->undoText(), "修改桩号");
            QVERIFY(type(1, "1007").isEmpty());
            QCOMPARE(label(1), "YK1+007.000");
            QVERIFY(type(1, "k1+008").isEmpty());
            QCOMPARE(label(1), "K1+008.000");
            QCOMPARE(cell(model, model.rowOf(1, 0), 0), "1008");
            QVERIFY(type(1, "1008").isEmpty());  // the same: no step
            QVERIFY(type(1, "0+008").isEmpty());
            QCOMPARE(label(1), "0+008.000");
            for (int k = 0; k < 4; ++k) document.undoStack()->undo();
            QCOMPARE(label(1), "ZK1+000.000");
            QVERIFY(document.survey() == start);

            QVERIFY(type(0, "1040").isEmpty());
            QCOMPARE(label(3), "ZK1+040.000");
            QVERIFY(type(0, "YK1+040").isEmpty());
            QCOMPARE(document.survey().sectionCount(), 4);
            QCOMPARE(label(4), "YK1+040.000");
            QVERIFY(type(0, "YK1+040").isEmpty());  // the last one goes on
            QCOMPARE(document.survey().sectionCount(), 4);
            QVERIFY(model.insertSection(model.rowOf(4, 0)).isEmpty());
            QCOMPARE(label(4), "YK1+040.000");
            QVERIFY(model.deleteSection(model.rowOf(5, 0)).isEmpty());
            document.undoStack()->undo();
            QCOMPARE(label(5), "YK1+040.000");

            QVERIFY(model.paste(model.rowOf(1, 0), 0, "DK1+001").isEmpty());
            QCOMPARE(label(1), "DK1+001.000");
            QVERIFY(model.paste(model.rowCount() - 1, 0, "1060" + point).isEmpty());
            QCOMPARE(label(document.survey().sectionCount()), "YK1+060.000");
            QVERIFY(model.paste(model.rowCount() - 1, 0, "ZK1+060" + point).isEmpty());
            QCOMPARE(label(document.survey().sectionCount()), "ZK1+060.000");
            QCOMPARE(document.survey().sectionCount(), 7);
        }
    }

    void rows_follow_the_file_with_an_empty_row_at_the_end() {
        document::SurveyDocument document;
        load(document, kNumbered);
        SurveyTableModel model(document);
        QCOMPARE(model.rowCount(), 7);
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "断面");
        QCOMPARE(cell(model, 0, 3), "20");
        QCOMPARE(cell(model, 1, 3), "");  // the spacing stands on the section's first row
        QCOMPARE(cell(model, 3, 0), "2");
        QCOMPARE(cell(model, 6, 1), "");
        QCOMPARE(model.place(4).section, 2);
        QCOMPARE(model.place(4).point, 2);
        QVERIFY(!(model.flags(model.index(3, 3)) & Qt::ItemIsEditable));  // the last has no spacing
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    }

    void typed_values_go_through_the_document_as_undoable_steps() {
        document::SurveyDocument document;
        load(document, kStations);
        SurveyTableModel model(document);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.commit(model.index(1, 1), QStringLiteral("５１．５")).isEmpty());
        QCOMPARE(document.survey().closedOutline()->elevations(1, 2), 51.5);
        QCOMPARE(cell(model, 1, 1), "51.5");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(document.undoStack()->undoText(), "修改高程");
        QVERIFY(model.commit(model.index(4, 0), "K0+130.5").isEmpty());
        QCOMPARE(cell(model, 3, 0), "130.5");
        document.undoStack()->undo();
        document.undoStack()->undo();
        QCOMPARE(cell(model, 1, 1), "51");
        QCOMPARE(cell(model, 3, 0), "120");
        document.undoStack()->redo();
        QCOMPARE(cell(model, 1, 1), "51.5");
    }

    void a_bad_value_is_refused_in_the_file_readers_words_and_nothing_changes() {
        document::SurveyDocument document;
        load(document, kStations);
        SurveyTableModel model(document);
        QSignalSpy refused(&model, &SurveyTableModel::refused);
        const int steps = document.undoStack()->count();
        QCOMPARE(model.commit(model.index(2, 2), "1O.5"), "第 3 行第 3 列“1O.5”不是有效的距离");
        QCOMPARE(model.commit(model.index(2, 1), ""), "第 3 行第 2 列没有高程");
        QCOMPARE(model.commit(model.index(0, 0), "K1-020"), "第 1 行第 1 列“K1-020”不是有效的桩号");
        QCOMPARE(model.commit(model.index(0, 1), "1e39"),
                 "第 1 行第 2 列“1e39”超出了允许的范围（绝对值不超过 3.4E+38）");
        QCOMPARE(refused.count(), 4);
        QCOMPARE(document.undoStack()->count(), steps);
        QVERIFY(!model.setData(model.index(2, 2), "abc", Qt::EditRole));
    }

    void an_overflowing_edit_is_refused_and_leaves_everything() {
        document::SurveyDocument document;
        load(document, kStations);
        SurveyTableModel model(document);
        const QString before = table(model);
        const QString refusal = model.commit(model.index(0, 1), "3e38");
        QVERIFY2(refusal.contains("超出了数值范围"), qPrintable(refusal));
        QCOMPARE(table(model), before);
    }

    void typing_on_the_empty_row_appends_points_and_sections() {
        document::SurveyDocument document;
        load(document, kStations);
        SurveyTableModel model(document);
        QVERIFY(model.commit(model.index(6, 1), "49").isEmpty());  // a point of the last section
        QCOMPARE(document.survey().closedOutline()->pointCounts(2), 4);
        QCOMPARE(model.rowCount(), 8);
        QCOMPARE(cell(model, 6, 2), "0");
        QVERIFY(model.commit(model.index(7, 0), "120").isEmpty());  // the same station: nothing new
        QCOMPARE(model.rowCount(), 8);
        QVERIFY(model.commit(model.index(7, 0), "K0+140").isEmpty());
        QCOMPARE(document.survey().sectionCount(), 3);
        QCOMPARE(model.place(7).point, 0);
        QVERIFY(model.commit(model.index(7, 1), "48").isEmpty());  // the first point of section 3
        QCOMPARE(document.survey().closedOutline()->pointCounts(3), 1);
        QCOMPARE(model.rowCount(), 9);

        document::SurveyDocument empty;
        SurveyTableModel fresh(empty);
        QCOMPARE(fresh.rowCount(), 1);
        QVERIFY(fresh.commit(fresh.index(0, 2), "3").isEmpty());
        QCOMPARE(empty.survey().sectionCount(), 1);
        QCOMPARE(empty.survey().closedOutline()->offsets(1, 1), 3.0);
    }

    void without_stations_only_the_next_number_starts_a_section() {
        document::SurveyDocument document;
        load(document, kNumbered);
        SurveyTableModel model(document);
        QCOMPARE(model.commit(model.index(6, 0), "4"),
                 "第 7 行第 1 列“4”不是下一个断面的编号：断面应按 1、2、3……的顺序编号，这里应为 3");
        QVERIFY(model.commit(model.index(6, 0), "３").isEmpty());
        QCOMPARE(document.survey().sectionCount(), 3);
        QVERIFY(model.flags(model.index(3, 3)) & Qt::ItemIsEditable);
        QVERIFY(model.commit(model.index(3, 3), "12.5").isEmpty());
        QCOMPARE(document.survey().closedOutline()->spacings(2), 12.5);
    }

    void rows_put_in_taken_out_and_moved_follow_the_document() {
        document::SurveyDocument document;
        load(document, kStations);
        SurveyTableModel model(document);
        const QString start = table(model);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QVERIFY(model.insertPoint(1, true).isEmpty());
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(cell(model, 2, 1), "51");  // a copy of the point above
        QVERIFY(model.movePoint(3, true).isEmpty());
        QCOMPARE(cell(model, 2, 1), "50");
        QVERIFY(!model.movePoint(0, true).isEmpty());
        QVERIFY(model.deletePoints({0, 4, 5}).isEmpty());
        QCOMPARE(document.undoStack()->undoText(), "删除观测点");
        QCOMPARE(document.survey().closedOutline()->pointCounts(1), 3);
        QCOMPARE(document.survey().closedOutline()->pointCounts(2), 1);
        QVERIFY(model.insertSection(0).isEmpty());
        QCOMPARE(document.survey().sectionCount(), 3);
        QCOMPARE(model.place(0).point, 0);
        QVERIFY(model.deleteSection(model.rowOf(3, 0)).isEmpty());
        QCOMPARE(model.rowCount(), model.dataRows() + 1);
        QCOMPARE(model.dataRows(), 1 + 3);
        QVERIFY(removed.count() >= 2);
        while (document.undoStack()->index() > 1) document.undoStack()->undo();
        QCOMPARE(table(model), start);
        while (document.undoStack()->canRedo()) document.undoStack()->redo();
        QCOMPARE(model.dataRows(), 4);
    }

    void a_pasted_block_is_read_as_the_file_and_is_one_step() {
        document::SurveyDocument document;
        load(document, kStations);
        SurveyTableModel model(document);
        const int steps = document.undoStack()->count();
        // Two values on existing rows, then one more point of section 2 and a new section.
        const QString block = "60\t1\r\n61\t2\r\n";
        QVERIFY(model.paste(4, 1, block).isEmpty());
        QCOMPARE(cell(model, 5, 1), "61");
        QVERIFY(model.paste(6, 0, "120\t47\t7\nK0+140\t46\t0\nK0+140\t46\t4\n").isEmpty());
        QCOMPARE(document.survey().sectionCount(), 3);
        QCOMPARE(document.survey().closedOutline()->pointCounts(2), 4);
        QCOMPARE(document.survey().closedOutline()->pointCounts(3), 2);
        QCOMPARE(document.survey().closedOutline()->stations(3), 140.0);
        QCOMPARE(document.undoStack()->count(), steps + 2);
        QCOMPARE(document.undoStack()->undoText(), "粘贴");
        document.undoStack()->undo();
        QCOMPARE(document.survey().sectionCount(), 2);
        QCOMPARE(model.rowCount(), 7);

        const QString before = table(model);
        QCOMPARE(model.paste(0, 1, "1\t2\n3\tx\n"),
                 "第 2 行第 3 列“x”不是有效的距离。粘贴没有进行，数据保持不变。");
        QCOMPARE(model.paste(6, 1, "1\n"), "第 7 行第 3 列没有距离。粘贴没有进行，数据保持不变。");
        QCOMPARE(model.paste(0, 2, "1\t2\n"),
                 "第 1 行第 4 列“2”是多余的数据。粘贴没有进行，数据保持不变。");
        QCOMPARE(table(model), before);
    }

    void pasting_into_an_empty_survey_starts_section_one() {
        document::SurveyDocument document;
        SurveyTableModel model(document);
        QVERIFY(model.paste(0, 1, "10\t0\n10\t4\n8\t4\n").isEmpty());
        QCOMPARE(document.survey().sectionCount(), 1);
        QCOMPARE(document.survey().closedOutline()->pointCounts(1), 3);
        QCOMPARE(model.rowCount(), 4);
    }

    void the_spacing_of_the_last_section_needs_a_section_after_it() {
        document::SurveyDocument document;
        load(document, kNumbered);
        SurveyTableModel model(document);
        QCOMPARE(
            model.paste(3, 3, "15\n"),
            "第 2 号断面是最后一个断面，后面没有断面，不应有间距。粘贴没有进行，数据保持不变。");
        QVERIFY(model.paste(3, 3, "15\n\n\n3\t\t\n").contains("没有"));
        QVERIFY(model.paste(3, 0, "2\t8\t0\t15\n2\t8\t5\n2\t9\t5\n3\t7\t0\n3\t7\t5\n").isEmpty());
        QCOMPARE(document.survey().sectionCount(), 3);
        QCOMPARE(document.survey().closedOutline()->spacings(2), 15.0);
    }

    void copied_cells_are_tab_separated_lines() {
        document::SurveyDocument document;
        load(document, kNumbered);
        SurveyTableModel model(document);
        QCOMPARE(model.copy(
                     {model.index(0, 0), model.index(0, 1), model.index(1, 1), model.index(0, 3)}),
                 "1\t10\t\t20\n\t10\t\t\n");
    }

    // Behaviour only; the time goes into bench/table_edit_bench.
    void one_edit_in_a_large_survey_redraws_one_row_and_moves_no_row() {
        std::string file = "断面,高程H,距离S,间距DL\n";
        for (int i = 1; i <= 2000; ++i)
            for (int j = 1; j <= 50; ++j)
                file += std::to_string(i) + "," + std::to_string(j % 7) + "," + std::to_string(j) +
                        (i < 2000 && j == 1 ? ",20\n" : ",\n");
        document::SurveyDocument document;
        load(document, file.c_str());
        SurveyTableModel model(document);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        const int row = model.rowOf(1000, 25);
        QVERIFY(model.commit(model.index(row, 1), "3.5").isEmpty());
        QCOMPARE(reset.count(), 0);
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(changed.count(), 1);
        const auto top = changed.front()[0].value<QModelIndex>();
        const auto bottom = changed.front()[1].value<QModelIndex>();
        QCOMPARE(top.row(), model.rowOf(1000, 1));
        QCOMPARE(bottom.row(), model.rowOf(1000, 50));
        QCOMPARE(cell(model, row, 1), "3.5");
    }
};

QTEST_GUILESS_MAIN(SurveyTableModelTest)
#include "survey_table_model_test.moc"
