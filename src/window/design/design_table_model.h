// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One table of the document's road design (纵断面, 路幅, 边坡, 边沟, 断链, 土石分类,
// 换算系数, 构造物 or 运距) for typing and pasting, with an empty row at the end
// that takes a new row (none in the tables of one row, whose defaults show
// in grey until changed). It
// keeps no copy of the design: each change reads the document's design,
// changes one cell or block and hands the whole design back as one step
// 修改道路设计; it follows the document's announcements, undo included. A
// refused change leaves the design as it was, is told in one Chinese
// sentence naming the place, and the cell at fault is marked until the next
// change goes through.

#include <QAbstractTableModel>
#include <optional>

#include "document/survey_document.h"
#include "section/road_design.h"

namespace window {

class DesignTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    DesignTableModel(document::SurveyDocument& document, section::DesignTable table,
                     QObject* parent = nullptr);

    section::DesignTable table() const { return table_; }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Each returns why nothing changed (also announced by `refused`), or an
    // empty text when the document took the step.
    QString commit(const QModelIndex& index, const QString& text);
    // A tab-separated block with its first cell at (row, column); rows past
    // the end are added.
    QString paste(int row, int column, const QString& text);
    QString insertRow(int row);
    QString removeRows(const std::vector<int>& rows);

    // The cell a refused design is at fault in (column -1: the whole row).
    void mark(int row, int column, const QString& why);

  signals:
    // `table`, `row` and `column` name the cell at fault, which may be in
    // another of the design's tables; row -1 for none.
    void refused(const QString& message, section::DesignTable table, int row, int column);

  private:
    const section::RoadDesign& design() const { return document_.survey().roadDesign(); }
    QString place(int row, int column) const;
    QString apply(const section::RoadDesign& changed);
    QString told(const QString& message, section::DesignTable table, int row, int column);
    void follow();

    document::SurveyDocument& document_;
    section::DesignTable table_;
    int rows_ = 0;  // rows shown, to tell a reset from a redraw
    struct Mark {
        int row = 0;
        int column = -1;
        QString why;
    };
    std::optional<Mark> mark_;
};

}  // namespace window
