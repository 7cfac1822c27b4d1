// SPDX-License-Identifier: GPL-3.0-or-later
// A block pasted into the cut-and-fill table: on the table's rows the cells
// replace values, and on a line's empty row add its next point. The 线 cells
// must name the row's own line, and the areas, being worked out, are passed
// over, so that rows copied from the table paste back. The whole block is one
// step 粘贴, or nothing when any cell is refused.

#include <QStringList>

#include "runtime/number_text.h"
#include "survey_file/cells.h"
#include "window/table/cut_fill_table_model.h"

namespace window {
namespace {

using document::Column;
using document::Line;
using survey_file::ValueKind;

struct Refusal {
    QString message;
};

}  // namespace

QString CutFillTableModel::paste(int row0, int column0, const QString& text) {
    const bool stations = survey().stationsEntered();
    std::vector<document::CutFillCell> cells;
    try {
        const auto value = [this](int row, int column, const std::string& cell, ValueKind kind) {
            const survey_file::CellReading read = survey_file::readCell(cell, kind);
            if (!read.fault.empty())
                throw Refusal{cellName(row, column) + QString::fromStdString(read.fault)};
            return read.value;
        };
        QStringList lines = text.split(u'\n');
        if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
        for (int r = 0; r < lines.size(); ++r) {
            QString line = lines[r];
            if (line.endsWith(u'\r')) line.chop(1);
            const int row = row0 + r;
            const Place at = place(row);
            const QStringList parts = line.split(u'\t');
            for (int c = 0; c < parts.size(); ++c) {
                const int column = column0 + c;
                const std::string cell(survey_file::trimBlanks(parts[c].toStdString()));
                if (cell.empty()) continue;
                if (column >= columnCount() || at.section == 0)
                    throw Refusal{QStringLiteral("第 %1 行第 %2 列").arg(row + 1).arg(column + 1) +
                                  QString::fromStdString(survey_file::quotedCell(cell)) +
                                  QStringLiteral("在表格之外：新的断面请先在最后一行输入桩号"
                                                 "（或断面号）")};
                const Line onLine = at.design ? Line::Design : Line::Ground;
                switch (field(column)) {
                    case Key:
                        if (stations) {
                            cells.push_back({at.section, onLine, 0, Column::Station,
                                             value(row, column, cell, ValueKind::Station)});
                        } else if (runtime::readNumber(cell) != std::optional<double>(at.section)) {
                            throw Refusal{cellName(row, column) +
                                          QString::fromStdString(
                                              survey_file::notNextSection(cell, at.section))};
                        }
                        break;
                    case LineName:
                        if (QString::fromStdString(cell) !=
                            data(index(row, column), Qt::DisplayRole))
                            throw Refusal{cellName(row, column) +
                                          QString::fromStdString(survey_file::quotedCell(cell)) +
                                          QStringLiteral("不是这一行的线")};
                        break;
                    case Elevation:
                    case Offset: {
                        const bool h = field(column) == Elevation;
                        // On a line's empty row: its next point, both cells the same one.
                        const int point =
                            at.point > 0 ? at.point : static_cast<int>(this->line(at).size()) + 1;
                        cells.push_back({at.section, onLine, point,
                                         h ? Column::Elevation : Column::Offset,
                                         value(row, column, cell,
                                               h ? ValueKind::Elevation : ValueKind::Offset)});
                        break;
                    }
                    case Spacing:
                        if (!(flags(index(row, column)) & Qt::ItemIsEditable))
                            throw Refusal{cellName(row, column) +
                                          QStringLiteral("只在断面的第一行，最后一个断面没有间距")};
                        cells.push_back({at.section, onLine, 0, Column::Spacing,
                                         value(row, column, cell, ValueKind::Spacing)});
                        break;
                    case Cut:
                    case Fill:
                        break;
                }
            }
        }
    } catch (const Refusal& refusal) {
        return told(refusal.message + QStringLiteral("。粘贴没有进行，数据保持不变。"));
    }
    return outcome(document_.pasteCutFill(cells), cellName(row0, column0));
}

}  // namespace window
