// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A cut-and-fill survey of the document as a table: 桩号 (or 断面), 线
// (地面线 / 设计线), 高程H, 距离S, 间距DL without stations, and the areas the
// calculation works out, read-only: 挖方面积, 填方面积, or 无面积 with the
// reason. For each section the rows of its ground line's points, then an
// empty row to type the line's next point into, then the same for the design
// line; an empty row at the end takes the station (or number) of a new
// section. Like the closed outline's model it keeps no copy of the survey,
// only where each section's rows start; a refusal names the cell by its
// section, line, point and column.

#include <unordered_map>
#include <vector>

#include "document/survey_document.h"
#include "section/cut_fill_figures.h"
#include "window/table/table_model.h"

namespace window {

class CutFillTableModel : public TableModel {
    Q_OBJECT

  public:
    enum Field { Key, LineName, Elevation, Offset, Spacing, Cut, Fill };

    explicit CutFillTableModel(document::SurveyDocument& document, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The field shown in a column (间距DL is there only without stations).
    Field field(int column) const;
    int column(Field field) const;

    Place place(int row) const override;
    int rowOf(int section, int point) const override;
    int elevationColumn() const override { return column(Elevation); }
    int offsetColumn() const override { return column(Offset); }

    QString commit(const QModelIndex& index, const QString& text) override;
    QString paste(int row, int column, const QString& text) override;
    QString insertPoint(int row, bool below) override;
    QString deletePoints(const std::vector<int>& rows) override;
    QString insertSection(int row) override;
    QString deleteSection(int row) override;
    QString movePoint(int row, bool up) override;

  private:
    static document::Line lineOf(const Place& at) {
        return at.design ? document::Line::Design : document::Line::Ground;
    }
    // The survey shown; none (no rows) while the document holds a closed outline.
    const section::CutFillSurvey& survey() const;
    const std::vector<section::Point>& line(const Place& at) const;
    std::vector<int> layOut() const;
    void follow(const document::Change& change);
    const section::AreaFigures& areaFigures(int i) const;
    // "第 5 行（K1+020.000断面设计线第 2 点的高程H）".
    QString cellName(int row, int column) const;
    QString outcome(const document::Edited& edited, const QString& where);
    QString commitKey(const Place& at, const std::string& text, const QString& where);

    document::SurveyDocument& document_;
    // Section i's areas as shown, worked out once between changes: each
    // costs a sweep of the section's lines.
    mutable std::unordered_map<int, section::AreaFigures> areaFigures_;
};

}  // namespace window
