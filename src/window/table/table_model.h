// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the survey table's view asks of the model of either kind of survey:
// where a row's point is, and the steps its keys take (typing, paste, rows
// put in or taken out). Each step returns why nothing changed, also
// announced by `refused`, or an empty text when the document took it.

#include <QAbstractTableModel>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "section/survey_lines.h"

namespace window {

class TableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    // The section and point of a row (1-based); point 0 for a row without a
    // point, section 0 for the empty row at the end; the line the row is on.
    struct Place {
        int section = 0;
        int point = 0;
        section::SurveyLine line = section::SurveyLine::Outline;
    };
    virtual Place place(int row) const = 0;
    // The rows of points (or of empty sections and lines), without the empty
    // row at the end.
    int dataRows() const { return firstRow_.back(); }
    // A row for each point, and the empty row at the end.
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : dataRows() + 1;
    }
    // The row the keyboard goes to in a section just put in.
    virtual int rowOf(int section, int point) const = 0;
    virtual int keyColumn() const { return 0; }
    virtual int elevationColumn() const = 0;
    virtual int offsetColumn() const = 0;

    virtual QString commit(const QModelIndex& index, const QString& text) = 0;
    // A tab-separated block with its first cell at (row, column).
    virtual QString paste(int row, int column, const QString& text) = 0;
    // A copy of the point of `row` put in above or below it.
    virtual QString insertPoint(int row, bool below) = 0;
    virtual QString deletePoints(const std::vector<int>& rows) = 0;
    // A section without points put in before the section of `row` (after the
    // last one on the empty row).
    virtual QString insertSection(int row) = 0;
    virtual QString deleteSection(int row) = 0;
    virtual QString movePoint(int row, bool up) = 0;

    // The cells as tab-separated text, one line per row.
    QString copy(const QModelIndexList& indexes) const;

  signals:
    void refused(const QString& message);

  protected:
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

    // Where section i's rows start is firstRow_[i - 1]; the last entry is the number of data rows.
    std::vector<int> firstRow_{0};
};

// "第 r 行第 c 列" of the table as the user counts it, from 0-based indices.
QString tablePlace(int row, int column);

// A number shown in a cell, as the survey files write it.
QString cellText(double value);

// A pasted block's lines and cells, CRLF or LF, a trailing line end ignored.
std::vector<std::vector<std::string>> pastedBlock(const QString& text);

// What a section number typed on the key cell of a survey without stations
// (`held` sections) asks for: a new section when it is the next number, no
// change when it is the last one's again; else why not.
struct SectionNumber {
    bool startsSection = false;
    QString fault;
};
SectionNumber sectionNumberTyped(const std::string& cell, int held);

}  // namespace window
