// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A quantity table built by hand in the shape of the earthworks forms, for
// the writers to be tried on before any producer fills one: 38 columns
// under group headings, A3 across, unrounded figures beside the printed
// ones (eleven rows of 1.0004 print 1.000 each and add up to 11.004), a
// 本公里小计 on the second page, a note and a footnote.

#include <cstdio>
#include <string>
#include <vector>

#include "printout/quantity_table.h"

namespace grouped_table {

inline std::string fixed3(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

inline printout::QuantityTable table() {
    printout::QuantityTable table;
    table.title = "路基土石方数量计算表";
    table.keyTitle = "桩号";
    table.large = true;
    table.note = "体积按棱台法计算";
    table.footnote = "注：各行数值四舍五入到 0.001，小计与合计按未四舍五入的数值相加。";
    table.project = {"某某公路改建工程", "K0+800～K1+000", "张三", "李四", "2026-12-09"};
    using printout::QuantityColumn;
    auto& columns = table.columns;
    const auto add = [&](std::string title, std::string unit, bool summed, std::string group) {
        columns.push_back({std::move(title), std::move(unit), summed, std::move(group)});
    };
    add("挖方", "m²", false, "断面面积");
    add("填方", "m²", false, "断面面积");
    add("距离", "m", false, "");
    add("挖方总数量", "m³", true, "");
    const char* classes[] = {"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ"};
    for (const char* name : classes) {
        add("%", "", false, name);
        add("数量", "m³", true, name);
    }
    add("填方数量", "m³", true, "");
    for (const char* name : classes) add(name, "m³", true, "本桩利用(天然方)");
    add("填缺(压实方)", "m³", true, "");
    for (const char* name : {"Ⅰ", "Ⅱ", "Ⅲ", "小计"}) add(name, "m³", true, "挖余 土(天然方)");
    for (const char* name : {"Ⅳ", "Ⅴ", "Ⅵ", "小计"}) add(name, "m³", true, "挖余 石(天然方)");
    for (const char* name : {"调入", "调出", "弃方", "借方"}) add(name, "m³", true, "纵向调配");
    add("平均运距", "m", false, "");
    add("运量", "m³·m", true, "");

    // The figures of a row: 1.0004 in every summed column, so that rounded
    // rows add up short of the exact total; "30" in the % columns.
    const auto row = [&](std::string key) {
        printout::QuantityRow r{std::move(key), {}, {}};
        for (const QuantityColumn& column : columns) {
            if (column.unit.empty()) {
                r.cells.push_back("30");
                r.values.push_back(std::nullopt);
            } else {
                const double value = column.summed ? 1.0004 : 12.5;
                r.cells.push_back(fixed3(value));
                r.values.push_back(value);
            }
        }
        return r;
    };
    const auto sum = [&](std::string key, std::size_t rows) {
        printout::QuantityRow r{std::move(key), {}, {}};
        for (const QuantityColumn& column : columns)
            r.cells.push_back(column.summed ? fixed3(1.0004 * double(rows)) : "");
        return r;
    };
    printout::QuantityPage first, second;
    for (int k = 0; k < 10; ++k) first.rows.push_back(row("K0+" + std::to_string(800 + 20 * k)));
    first.subtotal = sum("本页小计", 10);
    second.rows.push_back(row("K1+000"));
    second.subtotal = sum("本页小计", 1);
    second.kilometre = sum("本公里小计", 11);
    table.pages = {first, second};
    table.total = sum("合计", 11);
    return table;
}

}  // namespace grouped_table
