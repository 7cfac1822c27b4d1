// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey of the document as a table in the columns of the survey file:
// 桩号 or 断面, 高程H, 距离S, and 间距DL without stations (on a section's first
// row). One row per point, one row for a section without points, and an empty
// row at the end to type new data into. The model keeps no copy of the survey:
// it reads the document and sends every change to it, and follows its
// announcements; only where each section's rows start is kept, rebuilt when
// rows come or go.
//
// What is typed or pasted is read by the file's rules, and a refusal is told
// in the file's words with the table's place: "第 3 行第 2 列“1O.5”不是有效的高程".

#include <vector>

#include "document/survey_document.h"
#include "window/table/table_model.h"

namespace window {

class SurveyTableModel : public TableModel {
    Q_OBJECT

  public:
    enum Column { Key, Elevation, Offset, Spacing };

    explicit SurveyTableModel(document::SurveyDocument& document, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    Place place(int row) const override;
    // The row of a point, or the first row of a section for point 0.
    int rowOf(int section, int point) const override;
    int elevationColumn() const override { return Elevation; }
    int offsetColumn() const override { return Offset; }

    QString commit(const QModelIndex& index, const QString& text) override;
    QString paste(int row, int column, const QString& text) override;
    QString insertPoint(int row, bool below) override;
    QString deletePoints(const std::vector<int>& rows) override;
    QString insertSection(int row) override;
    QString deleteSection(int row) override;
    QString movePoint(int row, bool up) override;

  private:
    // The survey shown; none (no rows) while the document holds lines.
    const section::SectionSurvey& survey() const;
    std::vector<int> layOut() const;
    void follow(const document::Change& change);
    void resizeBlock(int start, int oldEnd, bool atEnd, std::vector<int> fresh);
    QString outcome(const document::Edited& edited, const QString& place);
    QString commitKey(const Place& at, const std::string& text, const QString& where);

    document::SurveyDocument& document_;
};

}  // namespace window
