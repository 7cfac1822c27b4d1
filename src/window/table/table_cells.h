// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey table's cells as text: where one is, a number shown, a pasted
// block and its refusal, a section number typed.

#include <QString>
#include <string>
#include <vector>

namespace window {

// "第 r 行第 c 列" of the table as the user counts it, from 0-based indices.
QString tablePlace(int row, int column);

// A number shown in a cell, as the survey files write it.
QString cellText(double value);

// A cell of a pasted block, by its place in the table.
struct BlockCell {
    int row = 0;
    int column = 0;
    std::string text;
};
// Why a pasted block was refused, naming the cell.
struct PasteRefusal {
    QString message;
};

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
