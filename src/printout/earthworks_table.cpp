// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/earthworks_table.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/any_survey.h"
#include "section/cut_fill_figures.h"
#include "section/earthworks.h"
#include "section/station.h"
#include "section/station_label.h"

namespace printout {

namespace {

using section::kSoilClasses;

constexpr const char* kClassNames[kSoilClasses] = {"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ"};

// The columns in order: the areas, the distance, the cut and its classes
// (percent and volume in turn), the fill, 本桩利用 Ⅰ–Ⅵ, 填缺, 挖余 by class
// with a subtotal of soil (Ⅰ–Ⅲ) and of rock (Ⅳ–Ⅵ).
enum Column : std::size_t {
    kCutArea = 0,
    kFillArea = 1,
    kDistance = 2,
    kCut = 3,
    kClasses = 4,  // Ⅰ %, Ⅰ m³, Ⅱ %, …
    kFill = kClasses + 2 * kSoilClasses,
    kUsed = kFill + 1,
    kShortfall = kUsed + kSoilClasses,
    kSurplus = kShortfall + 1,  // 土 Ⅰ Ⅱ Ⅲ 小计, 石 Ⅳ Ⅴ Ⅵ 小计
    kColumns = kSurplus + kSoilClasses + 2,
};

// Where class j's 挖余 stands; its kind's subtotal follows the kind's three.
std::size_t surplusColumn(int j) {
    return kSurplus + std::size_t(j) + (j >= 3 ? 1 : 0);
}

std::vector<QuantityColumn> columns() {
    std::vector<QuantityColumn> found(kColumns);
    found[kCutArea] = {"挖方", "m²", false, "断面面积"};
    found[kFillArea] = {"填方", "m²", false, "断面面积"};
    found[kDistance] = {"距离", "m", true};
    found[kCut] = {"挖方总数量", "m³", true};
    found[kFill] = {"填方数量", "m³", true};
    found[kShortfall] = {"数量", "m³", true, "填缺(压实方)"};
    for (int j = 0; j < kSoilClasses; ++j) {
        const std::string name = kClassNames[j];
        found[kClasses + 2 * std::size_t(j)] = {name, "%", false, "挖方分类及数量"};
        found[kClasses + 2 * std::size_t(j) + 1] = {name, "m³", true, "挖方分类及数量"};
        found[kUsed + std::size_t(j)] = {name, "m³", true, "本桩利用(天然方)"};
        found[surplusColumn(j)] = {(j < 3 ? "土" : "石") + name, "m³", true, "挖余(天然方)"};
    }
    found[surplusColumn(2) + 1] = {"土小计", "m³", true, "挖余(天然方)"};
    found[surplusColumn(5) + 1] = {"石小计", "m³", true, "挖余(天然方)"};
    return found;
}

// A figure rounded once from its unrounded value.
std::string figure(double value) {
    return runtime::roundedFixed3(value == 0.0 ? runtime::DecimalDigits{false, "0", 0}
                                               : runtime::shortestDecimal(value));
}

// A row of the table, or the line naming a 构造物 that starts a block
// (section 0).
struct Entry {
    int section = 0;
    QuantityRow row;
    int kilometre = 0;
    bool startsBlock = false;
};

class Builder {
  public:
    Builder(const section::CutFillSurvey& survey, const section::RoadDesign& design,
            const section::Earthworks& works)
        : survey_(survey), design_(design), works_(works), figures_(survey) {}

    std::vector<Entry> entries() const {
        std::vector<Entry> found;
        std::vector<int> named;  // the 构造物 whose block has started
        std::size_t next = 0;    // the next row of works
        for (int i = 1; i <= survey_.sectionCount(); ++i) {
            Entry entry{i, areaRow(i), kilometreOf(i)};
            if (i > 1) setDistance(entry.row, i - 1);
            if (next < works_.rows.size() && works_.rows[next].section == i) {
                const section::EarthworksRow& row = works_.rows[next++];
                setVolumes(entry.row, row);
                for (int k : row.structures) {
                    if (std::find(named.begin(), named.end(), k) != named.end()) continue;
                    named.push_back(k);
                    found.push_back({0,
                                     {design_.structures[std::size_t(k)].name,
                                      std::vector<std::string>(kColumns)},
                                     entry.kilometre,
                                     true});
                }
            }
            found.push_back(std::move(entry));
        }
        return found;
    }

    // The sums of a run of entries: the volumes as the calculation's
    // figures add them, the rest from the unrounded values, rounded once.
    QuantityRow summary(std::string key, std::span<const Entry> entries) const {
        QuantityRow row{std::move(key), std::vector<std::string>(kColumns),
                        std::vector<std::optional<double>>(kColumns)};
        std::vector<std::vector<double>> values(kColumns);
        int first = 0, last = 0;
        for (const Entry& entry : entries) {
            if (entry.section == 0) continue;
            if (first == 0) first = entry.section;
            last = entry.section;
            for (std::size_t c = 0; c < kColumns; ++c)
                if (columns_[c].summed && entry.row.values[c])
                    values[c].push_back(*entry.row.values[c]);
        }
        for (std::size_t c = 0; c < kColumns; ++c) {
            if (!columns_[c].summed) continue;
            row.values[c] = std::accumulate(values[c].begin(), values[c].end(), 0.0);
            row.cells[c] = roundedSum(values[c]);
        }
        // Pairs first..last - 1 end on these rows.
        const int from = std::max(first - 1, 1), to = last - 1;
        row.cells[kCut] = figures_.cut().pairsTotal(from, to);
        row.cells[kFill] = figures_.fill().pairsTotal(from, to);
        return row;
    }

  private:
    QuantityRow areaRow(int i) const {
        const section::CutFillSection& section = survey_.sections[std::size_t(i - 1)];
        QuantityRow row{survey_.stationsEntered() ? section::stationLabel(survey_, i)
                                                  : runtime::numberToText(i),
                        std::vector<std::string>(kColumns),
                        std::vector<std::optional<double>>(kColumns)};
        if (!section.areas) {
            row.cells[kCutArea] = row.cells[kFillArea] = std::string(kNoArea);
            return row;
        }
        row.cells[kCutArea] = figures_.cut().area(i);
        row.cells[kFillArea] = figures_.fill().area(i);
        row.values[kCutArea] = section.areas->cut;
        row.values[kFillArea] = section.areas->fill;
        return row;
    }

    void setDistance(QuantityRow& row, int pair) const {
        const double spacing = survey_.sections[std::size_t(pair - 1)].spacing;
        row.cells[kDistance] = figure(spacing);
        row.values[kDistance] = spacing;
    }

    void setVolumes(QuantityRow& row, const section::EarthworksRow& works) const {
        const auto set = [&](std::size_t c, double value) {
            row.cells[c] = figure(value);
            row.values[c] = value;
        };
        set(kCut, works.cut);
        set(kFill, works.fill);
        // The volumes exactly as the calculation sheet shows them.
        row.cells[kCut] = figures_.cut().volume(works.section - 1);
        row.cells[kFill] = figures_.fill().volume(works.section - 1);
        double soil = 0.0, rock = 0.0;
        for (int j = 0; j < kSoilClasses; ++j) {
            set(kClasses + 2 * std::size_t(j), works.percent[j]);
            set(kClasses + 2 * std::size_t(j) + 1, works.cutByClass[j]);
            set(kUsed + std::size_t(j), works.used[j]);
            set(surplusColumn(j), works.surplus[j]);
            (j < 3 ? soil : rock) += works.surplus[j];
        }
        set(surplusColumn(2) + 1, soil);
        set(surplusColumn(5) + 1, rock);
        set(kShortfall, works.shortfall);
    }

    // The kilometre of the pair ending on section i's row (section 1's:
    // the first pair's), by the stations as written; 0 without stations.
    int kilometreOf(int i) const {
        const int n = survey_.sectionCount();
        if (!survey_.stationsEntered() || n < 2) return 0;
        const int end = std::max(i, 2);
        const double middle = (survey_.sections[std::size_t(end - 2)].station +
                               survey_.sections[std::size_t(end - 1)].station) /
                              2.0;
        return int(std::floor(middle / 1000.0));
    }

    const section::CutFillSurvey& survey_;
    const section::RoadDesign& design_;
    const section::Earthworks& works_;
    section::CutFillFigures figures_;
    std::vector<QuantityColumn> columns_ = columns();
};

// Pages of at most `perPage` entries, a new one at each kilometre and each
// 构造物; with stations each kilometre's last page carries its 本公里小计.
void paginate(QuantityTable& table, const Builder& builder, const std::vector<Entry>& entries,
              std::size_t perPage, bool kilometres) {
    std::size_t kilometreStart = 0;
    const auto closeKilometre = [&](std::size_t end) {
        if (!kilometres || table.pages.empty()) return;
        table.pages.back().kilometre = builder.summary(
            "本公里小计", std::span(entries).subspan(kilometreStart, end - kilometreStart));
        kilometreStart = end;
    };
    std::size_t pageStart = 0;
    const auto closePage = [&](std::size_t end) {
        if (table.pages.empty()) return;
        table.pages.back().subtotal =
            builder.summary("本页小计", std::span(entries).subspan(pageStart, end - pageStart));
        pageStart = end;
    };
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const bool newKilometre = e > 0 && entries[e].kilometre != entries[e - 1].kilometre;
        // A structure in the first pair leaves the first section's row, which
        // has no volumes, on the page the block starts.
        const bool newBlock = entries[e].startsBlock && e > 1;
        if (table.pages.empty() || table.pages.back().rows.size() == perPage || newKilometre ||
            newBlock) {
            closePage(e);
            if (newKilometre) closeKilometre(e);
            table.pages.emplace_back();
        }
        table.pages.back().rows.push_back(entries[e].row);
    }
    if (table.pages.empty()) table.pages.emplace_back();
    closePage(entries.size());
    closeKilometre(entries.size());
}

// What the reader must know to check the rows: they are rounded, the cut
// of stretches without a class was taken as Ⅱ, the 构造物 carry no volume.
std::string footnote(const section::Earthworks& works, const section::RoadDesign& design) {
    std::string text = std::string(kRoundedRows) + "；本桩利用、挖余为天然方，填缺为压实方";
    const bool assumed =
        std::any_of(works.rows.begin(), works.rows.end(),
                    [](const section::EarthworksRow& row) { return row.classAssumed; });
    if (assumed) text += "；未列入土石分类的路段按Ⅱ类普通土计";
    std::vector<bool> cut(design.structures.size());
    for (const section::EarthworksRow& row : works.rows)
        for (int k : row.structures) cut[std::size_t(k)] = true;
    std::string names;
    for (std::size_t k = 0; k < cut.size(); ++k) {
        if (!cut[k]) continue;
        const section::StructureRow& structure = design.structures[k];
        names += (names.empty() ? "" : "、") + structure.name + "（" +
                 section::stationText(structure.range.from) + "～" +
                 section::stationText(structure.range.to) + "）";
    }
    if (!names.empty()) text += "；构造物" + names + "范围内不计土石方";
    return text + "。";
}

}  // namespace

QuantityTable earthworksTable(const section::Survey& survey, const section::ProjectInfo& project,
                              int rowsPerPage) {
    QuantityTable table;
    table.title = "路基土石方数量计算表";
    table.keyTitle = survey.stationsEntered() ? "桩号" : "断面";
    table.columns = columns();
    table.large = true;
    table.project = project;
    // Closed outlines have no cut and fill to split: an empty table.
    if (!survey.cutFill()) {
        table.pages.push_back({{}, {"本页小计", std::vector<std::string>(kColumns)}});
        table.total = {"合计", std::vector<std::string>(kColumns)};
        return table;
    }
    const section::CutFillSurvey& cutFill = *survey.cutFill();
    const section::RoadDesign& design = survey.roadDesign();
    const section::Earthworks works = section::earthworks(cutFill, design);
    table.note = section::methodNote(survey.volumeMethod());
    const Builder builder(cutFill, design, works);
    const std::vector<Entry> entries = builder.entries();
    paginate(table, builder, entries, std::size_t(rowsPerPage > 0 ? rowsPerPage : kRowsLarge),
             cutFill.stationsEntered());
    table.total = builder.summary("合计", entries);
    table.footnote = footnote(works, design);
    return table;
}

}  // namespace printout
