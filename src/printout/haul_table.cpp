// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/haul_table.h"

#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/any_survey.h"
#include "section/haul.h"

namespace printout {

namespace {

enum Column { CutSpan, FillSpan, Volume, Average, Moment, Overhaul, Waste, Borrow, kColumns };

// The stations (or section numbers) a run of pairs lies between.
class SpanText {
  public:
    SpanText(const section::Survey& survey, const section::Earthworks& earthworks)
        : survey_(survey), earthworks_(earthworks) {}

    std::string operator()(section::RowSpan span) const {
        const int from = earthworks_.rows[std::size_t(span.first)].section - 1;
        const int to = earthworks_.rows[std::size_t(span.last)].section;
        return name(from) + "～" + name(to);
    }

  private:
    std::string name(int i) const {
        return survey_.stationsEntered() ? section::stationLabel(survey_, i)
                                         : runtime::numberToText(i);
    }

    const section::Survey& survey_;
    const section::Earthworks& earthworks_;
};

QuantityRow summary(const char* key, const std::vector<QuantityColumn>& columns,
                    const std::vector<double>& sums) {
    QuantityRow row{key, std::vector<std::string>(kColumns), {}};
    row.values.resize(kColumns);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!columns[c].summed) continue;
        row.cells[c] = runtime::formatFixed3(sums[c]);
        row.values[c] = sums[c];
    }
    return row;
}

// Rows into pages, each figure written from its unrounded value, which the
// row keeps, as do the sums.
class Pager {
  public:
    Pager(QuantityTable& table, int rowsPerPage) : table_(table), rowsPerPage_(rowsPerPage) {}

    void add(std::string key, std::vector<std::string> texts,
             std::vector<std::pair<Column, double>> figures) {
        QuantityRow row{std::move(key), std::move(texts), {}};
        row.cells.resize(kColumns);
        row.values.resize(kColumns);
        for (const auto& [column, value] : figures) {
            row.cells[column] = runtime::formatFixed3(value);
            row.values[column] = value;
        }
        if (table_.pages.empty() || int(table_.pages.back().rows.size()) == rowsPerPage_)
            table_.pages.emplace_back();
        table_.pages.back().rows.push_back(std::move(row));
    }

    void finish() {
        if (table_.pages.empty()) table_.pages.emplace_back();
        std::vector<double> total(kColumns);
        for (QuantityPage& page : table_.pages) {
            std::vector<double> sums(kColumns);
            for (const QuantityRow& row : page.rows) {
                for (std::size_t c = 0; c < kColumns; ++c) sums[c] += row.values[c].value_or(0);
            }
            page.subtotal = summary("小计", table_.columns, sums);
            for (std::size_t c = 0; c < kColumns; ++c) total[c] += sums[c];
        }
        table_.total = summary("合计", table_.columns, total);
    }

  private:
    QuantityTable& table_;
    int rowsPerPage_;
};

std::string noteOf(const section::Survey& survey, const section::HaulDistances& distances) {
    std::string note = "免费运距 " + runtime::numberToText(distances.freeHaul) + " m";
    if (distances.economicHaul)
        note += "，经济运距 " + runtime::numberToText(*distances.economicHaul) + " m";
    if (const std::string method = section::methodNote(survey.volumeMethod()); !method.empty())
        note += "；" + method;
    return note;
}

}  // namespace

QuantityTable haulTable(const section::Survey& survey, const section::ProjectInfo& project,
                        int rowsPerPage) {
    const section::RoadDesign& design = survey.roadDesign();
    const section::CutFillSurvey* cutFill = survey.cutFill();
    const section::Earthworks works =
        cutFill ? section::earthworks(*cutFill, design) : section::Earthworks{};
    return haulTable(survey, works,
                     section::haul(works, design.haul.value_or(section::HaulDistances{})), project,
                     rowsPerPage);
}

QuantityTable haulTable(const section::Survey& survey, const section::Earthworks& earthworks,
                        const section::Haul& haul, const section::ProjectInfo& project,
                        int rowsPerPage) {
    const std::string span = survey.stationsEntered() ? "起讫桩号" : "起讫断面";
    QuantityTable table{
        .title = "土方调配表",
        .keyTitle = "调配段",
        .columns = {{"挖方" + span, "", false},
                    {"填方" + span, "", false},
                    {"调配数量", "m³", true},
                    {"平均运距", "m", false},
                    {"运量", "m³·m", true},
                    {"超运运量", "m³·m", true},
                    {"弃方", "m³", true},
                    {"借方", "m³", true}},
        .pages = {},
        .total = {},
        .landscape = true,
        .note = noteOf(survey, haul.distances),
        .footnote = "数量均为压实方；各行数值四舍五入至三位小数，小计与合计由未舍入的数值相加。",
        .project = project};
    Pager pager(table, rowsPerPage > 0 ? rowsPerPage : kRowsAcross);
    const SpanText text(survey, earthworks);
    int number = 0;
    for (const section::HaulStretch& stretch : haul.stretches) {
        pager.add(runtime::numberToText(++number), {text(stretch.cut), text(stretch.fill)},
                  {{Volume, stretch.volume},
                   {Average, stretch.averageHaul()},
                   {Moment, stretch.moment},
                   {Overhaul, stretch.overhaul}});
    }
    for (const section::UnbalancedVolume& left : haul.unbalanced) {
        const bool waste = left.kind == section::Unbalanced::Waste;
        std::vector<std::string> texts(2);
        texts[waste ? CutSpan : FillSpan] = text(left.rows);
        pager.add(waste ? "弃方" : "借方", std::move(texts),
                  {{waste ? Waste : Borrow, left.volume}});
    }
    pager.finish();
    return table;
}

}  // namespace printout
