// SPDX-License-Identifier: GPL-3.0-or-later
// The 土方调配表: a row per 调配段 between the stations as written, the 弃方
// and 借方 after them, each figure rounded once.
#include "printout/haul_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "section/any_survey.h"
#include "section/haul.h"

namespace printout {
namespace {

using Cells = std::vector<std::string>;

// Sections at `stations` (as written), the pairs between them with `nets`
// and the continuous chainages given.
struct Figures {
    section::Survey survey;
    section::Earthworks earthworks;
};

Figures figures(const std::vector<double>& stations, const std::vector<double>& chainages,
                const std::vector<double>& nets, section::RoadDesign design = {}) {
    section::CutFillSurvey record{"Y", {}};
    for (double station : stations) record.sections.push_back({.station = station});
    Figures out{section::Survey(std::move(record)), {}};
    EXPECT_FALSE(out.survey.setRoadDesign(std::move(design)));
    for (std::size_t i = 0; i < nets.size(); ++i) {
        section::EarthworksRow row{
            .section = int(i) + 2, .fromChainage = chainages[i], .toChainage = chainages[i + 1]};
        (nets[i] > 0 ? row.surplusCompacted : row.shortfall) = std::abs(nets[i]);
        out.earthworks.rows.push_back(row);
    }
    return out;
}

std::vector<QuantityRow> rowsOf(const QuantityTable& table) {
    std::vector<QuantityRow> rows;
    for (const QuantityPage& page : table.pages)
        rows.insert(rows.end(), page.rows.begin(), page.rows.end());
    return rows;
}

TEST(HaulTable, the_worked_check_is_one_stretch_from_the_cut_to_the_fill) {
    const std::vector<double> at{0, 20, 40, 60, 80};
    const Figures f = figures(at, at, {100, 50, -80, -70});
    const section::HaulDistances distances;
    const QuantityTable table =
        haulTable(f.survey, f.earthworks, section::haul(f.earthworks, distances), {});
    EXPECT_EQ(table.title, "土方调配表");
    EXPECT_EQ(table.note, "免费运距 20 m");
    ASSERT_EQ(table.columns.size(), 8u);
    EXPECT_EQ(columnHead(table.columns[4]), "运量(m³·m)");
    const std::vector<QuantityRow> rows = rowsOf(table);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].key, "1");
    EXPECT_EQ(rows[0].cells, (Cells{"K0+000.000～K0+040.000", "K0+040.000～K0+080.000", "150.000",
                                    "42.667", "6400.000", "3400.000", "", ""}));
    EXPECT_NEAR(*rows[0].values[3], 128.0 / 3, 1e-12);
    EXPECT_EQ(table.total.cells,
              (Cells{"", "", "150.000", "", "6400.000", "3400.000", "0.000", "0.000"}));
}

// Three stretches of 1.0004 m³ each print 1.000 and add up to 3.001. The
// 长链 K0+040 = K0+030 puts K0+035 five metres past K0+040: the rows name the
// stations as written, the haul goes by the chainage (12.5 m, not 7.5 m).
// The 100 m 经济运距 wastes the surplus at the end, too far from the fill
// after it, which is borrowed.
TEST(HaulTable, names_the_stations_as_written_and_rounds_each_figure_once) {
    section::RoadDesign design;
    design.breaks = {{40, 30}};
    design.haul = section::HaulDistances{10, 100};
    const double v = 1.0004;
    Figures f =
        figures({0, 20, 40, 35, 55, 75, 95, 115, 500}, {0, 20, 40, 45, 65, 85, 105, 125, 510},
                {v, -v, v, -v, v, -v, 5, -2}, design);
    f.survey.setVolumeMethod(section::VolumeMethod::Prismoidal);
    const QuantityTable table =
        haulTable(f.survey, f.earthworks, section::haul(f.earthworks, *design.haul), {}, 2);
    EXPECT_EQ(table.note, "免费运距 10 m，经济运距 100 m；体积按棱台法计算");
    const std::vector<QuantityRow> rows = rowsOf(table);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(table.pages.size(), 3u);
    EXPECT_EQ(rows[0].cells[0], "K0+000.000～K0+020.000");
    EXPECT_EQ(rows[1].cells, (Cells{"K0+040.000～K0+035.000", "K0+035.000～K0+055.000", "1.000",
                                    "12.500", "12.505", "2.501", "", ""}));
    EXPECT_EQ(rows[2].cells[1], "K0+075.000～K0+095.000");
    EXPECT_EQ(rows[3].key, "弃方");
    EXPECT_EQ(rows[3].cells[0], "K0+095.000～K0+115.000");
    EXPECT_EQ(rows[3].cells[6], "5.000");
    EXPECT_EQ(rows[4].key, "借方");
    EXPECT_EQ(rows[4].cells[1], "K0+115.000～K0+500.000");
    EXPECT_EQ(rows[4].cells[7], "2.000");
    EXPECT_EQ(table.total.cells,
              (Cells{"", "", "3.001", "", "52.521", "22.509", "5.000", "2.000"}));
    double pages = 0;
    for (const QuantityPage& page : table.pages) pages += *page.subtotal.values[2];
    EXPECT_DOUBLE_EQ(pages, *table.total.values[2]);
}

// Without stations the spans name the sections by number.
TEST(HaulTable, numbered_sections_name_their_spans_by_number) {
    const std::vector<double> at{0, 20, 40};
    Figures f = figures(at, at, {30, -30});
    f.survey.cutFill()->stationAnswer = "N";
    const QuantityTable table =
        haulTable(f.survey, f.earthworks, section::haul(f.earthworks, {}), {});
    EXPECT_EQ(table.columns[0].title, "挖方起讫断面");
    EXPECT_EQ(rowsOf(table).at(0).cells[0], "1～2");
    EXPECT_EQ(rowsOf(table).at(0).cells[1], "2～3");
}

TEST(HaulTable, a_closed_outline_gives_one_empty_page) {
    const QuantityTable table = haulTable(section::Survey(section::SectionSurvey{}), {});
    ASSERT_EQ(table.pages.size(), 1u);
    EXPECT_TRUE(table.pages[0].rows.empty());
    EXPECT_EQ(table.total.cells[2], "0.000");
}

}  // namespace
}  // namespace printout
