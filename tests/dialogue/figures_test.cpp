// SPDX-License-Identifier: GPL-3.0-or-later
// Every figure shown against an exact reference: the typed decimals as whole
// millimetres, the area, volumes and totals as fractions of integers, rounded
// to three decimals (halves to even) by integer arithmetic. Random surveys at
// large elevations, and surveys built so that figures fall exactly on a half.

#include "section/figures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "dialogue/run.h"
#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "scripted_ui.h"
#include "section/calculation.h"
#include "section/result_rows.h"
#include "section/station.h"

namespace section {
namespace {

__extension__ using Integer = __int128;

// A survey as typed: every value a whole number of units of 10^-decimals m
// (millimetres unless a test asks for more decimals).
struct TypedSurvey {
    int decimals = 3;
    bool stations = false;
    std::vector<long long> stationMm;                                  // with stations
    std::vector<long long> spacingMm;                                  // without: 1..N-1
    std::vector<std::vector<std::pair<long long, long long>>> points;  // (H, S) in mm
};

Integer power10(int n) {
    Integer p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

std::string typed(long long units, int decimals = 3) {
    const long long m = units < 0 ? -units : units;
    const auto unit = static_cast<long long>(power10(decimals));
    std::string fraction = std::to_string(m % unit);
    fraction.insert(0, decimals - fraction.size(), '0');
    return (units < 0 ? "-" : "") + std::to_string(m / unit) + "." + fraction;
}

std::string integerText(Integer value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(value % 10)));
        value /= 10;
    } while (value != 0);
    return digits;
}

// numerator / denominator (denominator > 0) rounded to thousandths, halves to
// even, written "0.000".
std::string roundedReference(Integer numerator, Integer denominator) {
    const Integer scaled = numerator * 1000;
    Integer q = scaled / denominator;
    Integer r = scaled % denominator;
    if (r < 0) {
        r += denominator;
        q -= 1;
    }
    if (2 * r > denominator || (2 * r == denominator && q % 2 != 0)) q += 1;
    const bool negative = q < 0;
    const Integer m = negative ? -q : q;
    std::string fraction = integerText(m % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return (negative ? "-" : "") + integerText(m / 1000) + "." + fraction;
}

// Twice the area in square units, by the working-array rule: heights + 10 m,
// distances from the first point, edge after edge back to point 1.
Integer twiceArea(const std::vector<std::pair<long long, long long>>& points, int decimals) {
    const Integer base = 10 * power10(decimals);
    Integer sum = 0;
    const std::size_t n = points.size();
    for (std::size_t j = 0; j < n; ++j) {
        const auto& [h1, s1] = points[j];
        const auto& [h2, s2] = points[(j + 1) % n];
        const Integer d1 = points[0].second - s1, d2 = points[0].second - s2;
        sum += (Integer(h2) + base + h1 + base) * (d2 - d1);
    }
    return sum;
}

struct Reference {
    std::vector<std::string> areas, volumes, running, spacings;
    std::string total;
};

// Areas are twiceArea / (2 x unit^2) m2; volumes (T(i+1) + T(i)) x DL /
// (4 x unit^3) m3.
Reference reference(const TypedSurvey& t) {
    const int n = static_cast<int>(t.points.size());
    const Integer areaUnit = 2 * power10(2 * t.decimals);
    const Integer volumeUnit = 4 * power10(3 * t.decimals);
    Reference out;
    std::vector<Integer> twice;
    for (const auto& section : t.points) {
        twice.push_back(twiceArea(section, t.decimals));
        out.areas.push_back(roundedReference(twice.back(), areaUnit));
    }
    Integer total = 0;
    for (int i = 0; i < n; ++i) {
        out.running.push_back(roundedReference(total, volumeUnit));
        if (i + 1 == n) break;
        const long long dl = t.stations ? t.stationMm[i + 1] - t.stationMm[i] : t.spacingMm[i];
        out.spacings.push_back(roundedReference(dl, power10(t.decimals)));
        const Integer volume = (twice[i + 1] + twice[i]) * dl;
        out.volumes.push_back(roundedReference(volume, volumeUnit));
        total += volume;
    }
    out.total = roundedReference(total, volumeUnit);
    return out;
}

double value(const std::string& text) {
    return runtime::textToValue(text).value();
}

SectionSurvey calculated(const TypedSurvey& t) {
    SectionSurvey survey;
    const int n = static_cast<int>(t.points.size());
    survey.resize(n);
    survey.setStationAnswer(t.stations ? "y" : "n");
    for (int i = 1; i <= n; ++i) {
        survey.setPointCount(i, static_cast<std::int16_t>(t.points[i - 1].size()));
        if (t.stations) survey.setStation(i, value(typed(t.stationMm[i - 1], t.decimals)));
    }
    survey.allocatePoints();
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= survey.pointCounts(i); ++j) {
            const auto& [h, s] = t.points[i - 1][j - 1];
            survey.setPoint(i, j, value(typed(h, t.decimals)), value(typed(s, t.decimals)));
        }
        if (!t.stations && i < n)
            survey.setSpacing(i, value(typed(t.spacingMm[i - 1], t.decimals)));
    }
    EXPECT_TRUE(calculateSurvey(survey));
    return survey;
}

// How many figures rounding the 64-bit value alone would have got wrong, of
// how many checked.
int naiveMisses = 0;
int checked = 0;

std::string naive(double figure) {
    return figure == 0.0 ? "0.000" : runtime::roundedFixed3(runtime::shortestDecimal(figure));
}

void expectFiguresExact(const TypedSurvey& t, const std::string& what) {
    const SectionSurvey survey = calculated(t);
    const Reference ref = reference(t);
    const Figures figures(survey);
    const ResultTable table = resultTable(survey);
    const int n = survey.sectionCount();
    const std::size_t shift = t.stations ? 1 : 0;
    for (int i = 1; i <= n; ++i) {
        const std::vector<std::string>& row = table.rows[i - 1];
        ASSERT_EQ(figures.area(i), ref.areas[i - 1]) << what << " area " << i;
        EXPECT_EQ(row[1 + shift], ref.areas[i - 1]) << what << " area cell " << i;
        EXPECT_EQ(figures.runningTotal(i), ref.running[i - 1]) << what << " running " << i;
        EXPECT_EQ(row[4 + shift], ref.running[i - 1]) << what << " running cell " << i;
        naiveMisses += naive(survey.areas(i)) != ref.areas[i - 1];
        if (t.stations && t.decimals == 3) {
            const long long mm = t.stationMm[i - 1];
            std::string metres = typed(mm % 1'000'000);
            metres.insert(0, 7 - metres.size(), '0');
            EXPECT_EQ(stationText(survey.stations(i)),
                      "K" + std::to_string(mm / 1'000'000) + "+" + metres);
        }
        if (i == n) break;
        ASSERT_EQ(figures.volume(i), ref.volumes[i - 1]) << what << " volume " << i;
        EXPECT_EQ(row[3 + shift], ref.volumes[i - 1]) << what << " volume cell " << i;
        EXPECT_EQ(row[2 + shift], ref.spacings[i - 1]) << what << " spacing " << i;
        // The spacing on screen in its shortest form is the exact difference.
        EXPECT_EQ(runtime::formatFixed3(
                      runtime::textToValue(runtime::numberToText(survey.spacings(i))).value()),
                  ref.spacings[i - 1]);
        naiveMisses += naive(survey.volumes(i)) != ref.volumes[i - 1];
    }
    EXPECT_EQ(figures.total(), ref.total) << what << " total";
    naiveMisses += naive(survey.totalVolume()) != ref.total;
    checked += 2 * n;
}

// A random survey: up to 50 sections of up to 50 points at elevations of 1500
// to 3500 m, 3 decimals everywhere, stations or spacings.
TypedSurvey randomSurvey(std::mt19937_64& random) {
    auto pick = [&](long long from, long long to) {
        return std::uniform_int_distribution<long long>(from, to)(random);
    };
    TypedSurvey t;
    t.stations = pick(0, 1) == 1;
    const int n = static_cast<int>(pick(2, 50));
    const long long base = pick(1'500'000, 3'500'000);
    long long station = pick(0, 20'000'000);
    for (int i = 0; i < n; ++i) {
        t.stationMm.push_back(station);
        const long long dl = pick(1, 60'000);
        station += dl;
        t.spacingMm.push_back(dl);
        std::vector<std::pair<long long, long long>> points;
        const int count = static_cast<int>(pick(3, 50));
        for (int j = 0; j < count; ++j)
            points.push_back({base + pick(-8'000, 8'000), pick(-40'000, 40'000)});
        t.points.push_back(std::move(points));
    }
    return t;
}

TEST(Figures, equal_the_exact_decimal_arithmetic_on_random_surveys) {
    std::mt19937_64 random(20261208);
    naiveMisses = checked = 0;
    for (int k = 0; k < 2000; ++k) {
        expectFiguresExact(randomSurvey(random), "survey " + std::to_string(k));
        if (HasFatalFailure()) return;
    }
    std::printf("figures that rounding the 64-bit value alone gets wrong: %d of %d\n", naiveMisses,
                checked);
}

// Beyond 10^12 the 64-bit value cannot settle a thousandth; a value of 15
// digits with another of one decimal does not fit the 128-bit sums either.
TEST(Figures, write_every_digit_of_figures_beyond_what_64_bits_hold) {
    SectionSurvey survey;
    survey.resize(2);
    survey.setStationAnswer("n");
    survey.setPointCount(1, 4);
    survey.setPointCount(2, 4);
    survey.allocatePoints();
    for (int i = 1; i <= 2; ++i) {
        survey.setPoint(i, 1, 999999999999999, 0.5);
        survey.setPoint(i, 2, 999999999999999, -0.5);
        survey.setPoint(i, 3, 0, -0.5);
        survey.setPoint(i, 4, 0, 0.5);
    }
    survey.setSpacing(1, 1e20);
    ASSERT_TRUE(calculateSurvey(survey));
    const Figures figures(survey);
    EXPECT_EQ(figures.area(1), "999999999999999.000");
    EXPECT_EQ(figures.volume(1), "99999999999999900000000000000000000.000");
    EXPECT_EQ(figures.total(), "99999999999999900000000000000000000.000");
}

// A rectangle w mm wide and t mm high standing on elevation `base`: area w x t.
std::vector<std::pair<long long, long long>> rectangle(long long base, long long w, long long t) {
    return {{base + t, w / 2}, {base + t, w / 2 - w}, {base, w / 2 - w}, {base, w / 2}};
}

// A survey whose areas, volumes and total lie exactly on a half-thousandth,
// where the 64-bit value falls on either side of it. Built in millimetres and
// then written with `decimals` decimals; a 10th decimal on the elevations
// (which leaves the areas as they are) takes the exact arithmetic of any
// length.
TypedSurvey tieSurvey(std::mt19937_64& random, int decimals, long long baseFrom, long long baseTo) {
    auto pick = [&](long long from, long long to) {
        return std::uniform_int_distribution<long long>(from, to)(random);
    };
    const auto scale = static_cast<long long>(power10(decimals - 3));
    const long long tenth = decimals > 9 ? 1 : 0;
    TypedSurvey t;
    t.decimals = decimals;
    t.stations = pick(0, 1) == 1;
    const int n = static_cast<int>(pick(2, 30));
    const long long base = pick(baseFrom, baseTo);
    long long station = pick(0, 5'000'000);
    long long sum = 0;  // of (a(i) + a(i+1)) so far, areas in mm2
    long long last = 0;
    for (int i = 0; i < n; ++i) {
        // An area of w x t mm2 with w x t = 500 (mod 1000): a half at the
        // fourth decimal of square metres.
        long long w = pick(1'000, 6'000), h = pick(1, 9'000);
        while ((w * h) % 1000 != 500) w = pick(1'000, 6'000), h = pick(1, 9'000);
        if (i + 1 == n) {
            // The last one makes the total a half too: with 1 m spacings the
            // total is sum / 2000 m3 in thousandths.
            const long long need = ((1000 - (sum + last) % 2000) % 2000 + 2000) % 2000;
            h = 1;
            w = need == 0 ? 2000 : need;
        }
        auto outline =
            rectangle((base + pick(-5'000, 5'000)) * scale + tenth, w * scale, h * scale);
        t.points.push_back(std::move(outline));
        if (i > 0) sum += last + w * h;
        last = w * h;
        t.stationMm.push_back(station * scale);
        station += 1000;
        t.spacingMm.push_back(1000 * scale);
    }
    return t;
}

TEST(Figures, round_exact_halves_to_even_however_the_binary_value_falls) {
    std::mt19937_64 random(5);
    naiveMisses = checked = 0;
    for (int k = 0; k < 1500; ++k) {
        expectFiguresExact(tieSurvey(random, 3, 1'500'000, 3'500'000),
                           "tie survey " + std::to_string(k));
        if (HasFatalFailure()) return;
    }
    std::printf("tie surveys: figures that rounding the 64-bit value alone gets wrong: %d of %d\n",
                naiveMisses, checked);
    for (int k = 0; k < 100; ++k) {
        expectFiguresExact(tieSurvey(random, 10, 500, 3'000),
                           "tie survey of 10 decimals " + std::to_string(k));
        if (HasFatalFailure()) return;
    }
}

// Areas 29.925, 30.625 and 25 at about 1523 m, 20 m and 25 m apart: volumes
// 605.5 and 695.3125, total 1300.8125, both halves going to the even digit.
TEST(Figures, show_a_three_section_survey_with_halves_to_the_last_digit) {
    TypedSurvey t;
    t.stations = true;
    t.stationMm = {1'000'000, 1'020'000, 1'045'000};
    t.points = {rectangle(1'523'417, 10'500, 2'850), rectangle(1'523'120, 12'250, 2'500),
                rectangle(1'522'900, 8'000, 3'125)};
    expectFiguresExact(t, "three sections");
    const SectionSurvey survey = calculated(t);
    const Figures figures(survey);
    EXPECT_EQ(figures.area(1), "29.925");
    EXPECT_EQ(figures.volume(2), "695.312");
    EXPECT_EQ(figures.total(), "1300.812");
}

// The screen shows the same figures as the table: one run through the prompts.
TEST(Figures, are_what_the_results_boxes_show) {
    std::mt19937_64 random(11);
    for (int k = 0; k < 50; ++k) {
        const TypedSurvey t = randomSurvey(random);
        std::vector<std::optional<std::string>> answers{std::to_string(t.points.size()),
                                                        t.stations ? "y" : "n"};
        for (std::size_t i = 0; i < t.points.size(); ++i) {
            if (t.stations) answers.push_back(typed(t.stationMm[i]));
            answers.push_back(std::to_string(t.points[i].size()));
        }
        for (const auto& section : t.points)
            for (const auto& [h, s] : section)
                for (const auto& a : testing::point(typed(h), typed(s))) answers.push_back(a);
        if (!t.stations)
            for (std::size_t i = 0; i + 1 < t.points.size(); ++i) {
                answers.push_back(typed(t.spacingMm[i]));
                answers.push_back("");
            }
        for (std::size_t i = 0; i + 1 < t.points.size(); ++i) answers.push_back("");
        testing::ScriptedUi ui(answers);
        SectionSurvey record;
        ASSERT_EQ(runCalculation(ui, record), CalculationEnd::Finished);
        const Reference ref = reference(t);
        const std::size_t n = t.points.size();
        EXPECT_EQ(ui.text(TextBox::Text6), " " + ref.areas[n - 2] + "平方米");
        EXPECT_EQ(ui.text(TextBox::Text7), " " + ref.areas[n - 1] + "平方米");
        EXPECT_EQ(ui.text(TextBox::Text9), " " + ref.volumes[n - 2] + "立方米");
        EXPECT_EQ(ui.text(TextBox::Text10), " " + ref.total + "立方米");
    }
}

}  // namespace
}  // namespace section
