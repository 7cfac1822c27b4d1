// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table/table_model.h"

#include <QStringList>
#include <map>

#include "runtime/number_text.h"
#include "survey_file/cells.h"

namespace window {

QString tablePlace(int row, int column) {
    return QStringLiteral("第 %1 行第 %2 列").arg(row + 1).arg(column + 1);
}

QString cellText(double value) {
    return QString::fromStdString(runtime::numberToText(value));
}

std::vector<std::vector<std::string>> pastedBlock(const QString& text) {
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    std::vector<std::vector<std::string>> block;
    for (QString line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
        std::vector<std::string> cells;
        for (const QString& cell : line.split(u'\t')) cells.push_back(cell.toStdString());
        block.push_back(std::move(cells));
    }
    return block;
}

SectionNumber sectionNumberTyped(const std::string& cell, int held) {
    const std::string_view trimmed = survey_file::trimBlanks(cell);
    if (trimmed.empty()) return {false, QStringLiteral("没有断面编号")};
    const std::optional<double> number = runtime::readNumber(trimmed);
    if (number && held > 0 && *number == held) return {};
    if (!number || *number != held + 1)
        return {false, QString::fromStdString(survey_file::notNextSection(trimmed, held + 1))};
    return {true, {}};
}

QString TableModel::told(QString message) {
    if (!message.isEmpty()) emit refused(message);
    return message;
}

void TableModel::resizeRows(int start, int oldEnd, int at, int delta,
                            const std::function<void()>& relayout) {
    if (delta > 0) {
        beginInsertRows({}, at, at + delta - 1);
        relayout();
        endInsertRows();
    } else if (delta < 0) {
        beginRemoveRows({}, at, at - delta - 1);
        relayout();
        endRemoveRows();
    } else {
        relayout();
    }
    const int newEnd = oldEnd + delta;
    if (newEnd > start) emit dataChanged(index(start, 0), index(newEnd - 1, columnCount() - 1));
}

QString TableModel::copy(const QModelIndexList& indexes) const {
    if (indexes.isEmpty()) return {};
    int top = indexes.front().row(), bottom = top, left = indexes.front().column(), right = left;
    std::map<std::pair<int, int>, QString> cells;
    for (const QModelIndex& index : indexes) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
        cells[{index.row(), index.column()}] = data(index, Qt::DisplayRole).toString();
    }
    QStringList lines;
    for (int row = top; row <= bottom; ++row) {
        QStringList line;
        for (int column = left; column <= right; ++column) {
            const auto at = cells.find({row, column});
            line << (at == cells.end() ? QString() : at->second);
        }
        lines << line.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

}  // namespace window
