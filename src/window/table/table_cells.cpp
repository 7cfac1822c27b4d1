// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table/table_cells.h"

#include <QStringList>

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

}  // namespace window
