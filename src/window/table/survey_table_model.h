// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey of the document as a table in the columns of the survey file:
// 桩号 or 断面, 线 (地面线 / 设计线) when a section has more than one line,
// 高程H, 距离S, 编码 (read-only) when points have codes, 间距DL without stations (on a section's
// first row), and the areas the calculation works out, read-only, when the sections have them:
// 挖方面积, 填方面积, or 无面积 with the reason. A section's rows are the points
// of each of its lines in turn; a section of one line shows one row even
// without points, and the empty row at the end goes on with its points; a line
// of a section of several ends in an empty row to type its next point into,
// and the empty row at the end only starts sections. The model keeps no copy
// of the survey: it reads the document and sends every change to it, and
// follows its announcements; only where each section's rows start is kept,
// rebuilt when rows come or go.
//
// What is typed or pasted is read by the file's rules, and a refusal is told
// in the file's words with the table's place: "第 3 行第 2 列“1O.5”不是有效的高程",
// or, where a row does not show its line, by section, line and point.

#include <QAbstractTableModel>
#include <algorithm>
#include <functional>
#include <unordered_map>
#include <vector>

#include "document/survey_document.h"
#include "section/survey_lines.h"
#include "window/table/table_cells.h"

namespace window {

class SurveyTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Field { Key, LineName, Elevation, Offset, Code, Spacing, Cut, Fill };

    explicit SurveyTableModel(document::SurveyDocument& document, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // What the sections of the survey shown hold.
    const section::LineShape& shape() const { return shape_; }
    // The field shown in a column, and the column of a field (-1 when not shown).
    Field field(int column) const { return fields_[std::size_t(column)]; }
    int column(Field field) const;

    // The section and point of a row (1-based) and its line; point 0 for a
    // row without a point, section 0 for the empty row at the end.
    struct Place {
        int section = 0;
        int point = 0;
        section::SurveyLine line = section::SurveyLine::Outline;
    };
    Place place(int row) const;
    // The rows of points (or of empty sections and lines), without the empty
    // row at the end.
    int dataRows() const { return firstRow_.back(); }
    // A row for each point, and the empty row at the end.
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : dataRows() + 1;
    }
    // The row of a point, or the first row of a section for point 0.
    int rowOf(int section, int point) const;
    int elevationColumn() const { return column(Elevation); }
    int offsetColumn() const { return column(Offset); }

    // The steps the table's keys take: each returns why nothing changed, also
    // announced by `refused`, or an empty text when the document took it.
    QString commit(const QModelIndex& index, const QString& text);
    // A tab-separated block with its first cell at (row, column).
    QString paste(int row, int column, const QString& text);
    // A copy of the point of `row` put in above or below it.
    QString insertPoint(int row, bool below);
    QString deletePoints(const std::vector<int>& rows);
    // A section without points put in before the section of `row` (after the
    // last one on the empty row).
    QString insertSection(int row);
    QString deleteSection(int row);
    QString movePoint(int row, bool up);
    // The design line of the section of `row`, when the road design generated
    // it, kept as typed points (改为输入的设计线).
    QString keepDesignLine(int row);
    // The point or row is on a design line the road design generated: shown
    // read-only, greyed.
    bool generated(const Place& at) const;

    // The cells as tab-separated text, one line per row.
    QString copy(const QModelIndexList& indexes) const;

  signals:
    void refused(const QString& message);

  private:
    // The section (1-based) of a data row.
    int sectionOf(int row) const {
        return static_cast<int>(std::upper_bound(firstRow_.begin(), firstRow_.end(), row) -
                                firstRow_.begin());
    }
    QString told(QString message);
    // Rows [start, oldEnd) become `delta` more or fewer, those that come or go
    // at `at`, `relayout` taking the new layout in between; then every row of
    // the block is redrawn.
    void resizeRows(int start, int oldEnd, int at, int delta,
                    const std::function<void()>& relayout);
    const section::Survey& survey() const { return document_.survey(); }
    // Sections of one line: no 线 column and no empty row per line; the empty
    // row at the end takes the last section's next points.
    bool oneLine() const { return shape_.lines.size() == 1; }
    int points(const Place& at) const { return section::pointCount(survey(), at.section, at.line); }
    void shapeUp();
    std::vector<int> layOut() const;
    void follow(const document::Change& change);
    const section::SectionAreas& areas(int i) const;
    // "第 3 行第 2 列", or "第 5 行（K1+020.000断面设计线第 2 点的高程H）".
    QString cellName(int row, int column) const;
    // The key cell of section i with stations.
    QString keyText(int i) const;
    QString outcome(const document::Edited& edited, const QString& where);
    QString commitKey(const Place& at, const std::string& text, const QString& where);
    // A pasted block as one step: the cells it replaces and the rows it puts
    // in past the end, read the way the table's rows are laid out; a cell
    // refused throws a PasteRefusal.
    struct Pasted {
        std::vector<document::Cell> cells;
        document::SurveyDocument::Growth growth;
    };
    Pasted readOnOneLine(int row, int column, const QString& text) const;
    Pasted readOnLines(int row, int column, const QString& text) const;

    document::SurveyDocument& document_;
    // Where section i's rows start is firstRow_[i - 1]; the last entry is the number of data rows.
    std::vector<int> firstRow_{0};
    section::LineShape shape_;
    std::vector<Field> fields_;
    // Section i's areas as shown, worked out once between changes: each
    // costs a sweep of the section's lines.
    mutable std::unordered_map<int, section::SectionAreas> areas_;
};

}  // namespace window
