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

#include <QAbstractTableModel>
#include <vector>

#include "document/survey_document.h"

namespace window {

class SurveyTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { Key, Elevation, Offset, Spacing };

    explicit SurveyTableModel(document::SurveyDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The section and point of a row (0-based); point 0 for a section without
    // points, section 0 for the empty row at the end.
    struct Place {
        int section = 0;
        int point = 0;
    };
    Place place(int row) const;
    // The row of a point, or the first row of a section for point 0.
    int rowOf(int section, int point) const;
    int dataRows() const { return firstRow_.back(); }

    // Each returns why nothing changed, also announced by `refused`, or an
    // empty text when the document took the step.
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

    // The cells as tab-separated text, one line per row.
    QString copy(const QModelIndexList& indexes) const;

  signals:
    void refused(const QString& message);

  private:
    const section::SectionSurvey& survey() const { return document_.survey(); }
    std::vector<int> layOut() const;
    void follow(const document::Change& change);
    void resizeBlock(int start, int oldEnd, bool atEnd, std::vector<int> fresh);
    QString told(QString message);
    QString outcome(document::Outcome outcome, const QString& place);
    QString commitKey(const Place& at, const std::string& text, const QString& where);

    document::SurveyDocument& document_;
    // Where section i's rows start is firstRow_[i - 1]; the last entry is the number of data rows.
    std::vector<int> firstRow_{0};
};

// "第 r 行第 c 列" of the table as the user counts it, from 0-based indices.
QString tablePlace(int row, int column);

}  // namespace window
