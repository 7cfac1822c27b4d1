// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rules the 土方数量表 on a page device (a printer, a PDF file, a preview):
// each page its title and note, 工程信息, the column heads (under their
// groups' headings), its rows, 小计 and 本公里小计 where it has one, the last
// page the 合计, the footnote and the signature line, every page "第 X 页
// 共 Y 页". A table of its shape with nothing to add up (the 路基设计表) has
// no 小计 nor 合计.

#include <QPageLayout>

#include "paper/sheet_renderer.h"

class QPagedPaintDevice;

namespace printout {
struct QuantityTable;
}

namespace paper {

// A4, across when the table's columns need it, A3 across for a large table;
// 10 mm margins all round.
QPageLayout quantityTablePageLayout(const printout::QuantityTable& table);

// False when the device cannot start or finish the document. The device's
// page layout is the caller's (quantityTablePageLayout). Pages outside
// `pages` are left out; the others keep their numbers "第 X 页 共 Y 页".
bool renderQuantityTable(const printout::QuantityTable& table, QPagedPaintDevice& device,
                         PageRange pages = {});

}  // namespace paper
