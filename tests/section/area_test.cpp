// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "runtime/number_text.h"

namespace section {
namespace {

double areaOf(const std::vector<double>& h, const std::vector<double>& s) {
    return sectionArea(h.data(), s.data(), static_cast<int>(h.size()));
}

TEST(SectionArea, follows_the_worked_examples_exactly) {
    // Entered left, top, right as in the window's schematic: positive.
    EXPECT_EQ(areaOf({100, 101, 100}, {2, 0, -2}), 2.0);
    // The same triangle entered the other way round.
    EXPECT_EQ(areaOf({100, 101, 100}, {-2, 0, 2}), -2.0);
    EXPECT_EQ(areaOf({100, 100.25, 100}, {0.25, 0, -0.25}), 0.0625);
    // A rectangle 4 m wide and 1 m high: top left, top right, bottom right, bottom left.
    EXPECT_EQ(areaOf({101, 101, 100, 100}, {2, -2, -2, 2}), 4.0);
}

TEST(SectionArea, is_zero_for_sections_without_an_outline) {
    EXPECT_EQ(sectionArea(nullptr, nullptr, 0), 0.0);
    EXPECT_EQ(sectionArea(nullptr, nullptr, -1), 0.0);
    EXPECT_EQ(areaOf({100}, {3}), 0.0);
    EXPECT_EQ(areaOf({100, 100}, {2, -2}), 0.0);
}

TEST(SectionArea, keeps_the_digits_that_32_bits_lost) {
    // Heights near 1000 m give terms of thousands that cancel; in millimetres
    // the exact area is an integer sum, which 64 bits hold to far below the
    // printed thousandth.
    const std::vector<long long> hmm{1000123, 1001457, 1000789, 999321};
    const std::vector<long long> smm{10011, 3, -10017, 500};
    std::vector<double> h, s;
    long long twiceExact = 0;  // in square millimetres
    for (std::size_t j = 0; j < hmm.size(); ++j) {
        const std::size_t k = (j + 1) % hmm.size();
        h.push_back(hmm[j] / 1000.0);
        s.push_back(smm[j] / 1000.0);
        twiceExact += (hmm[k] + hmm[j]) * (smm[j] - smm[k]);
    }
    EXPECT_NEAR(areaOf(h, s), twiceExact / 2e6, 1e-9);
}

TEST(SectionArea, can_lie_beyond_the_accepted_range) {
    // No distance or partial sum is kept, so only the area itself counts.
    EXPECT_NEAR(areaOf({100, 101, 100}, {3e38, 0, -3e38}), 3e38, 1e25);
    EXPECT_FALSE(runtime::inValueRange(areaOf({100, 103, 100}, {3e38, 0, -3e38})));
}

// A star-shaped (so simple) outline around a centre, points to 3 decimals
// as a surveyor types them.
struct Outline {
    std::vector<double> h;
    std::vector<double> s;
};

Outline randomOutline(std::mt19937& random) {
    std::uniform_int_distribution<int> count(3, 60);
    std::uniform_real_distribution<double> angle(0.0, 2 * std::numbers::pi);
    std::uniform_real_distribution<double> radius(5.0, 50.0);
    std::uniform_real_distribution<double> centre(-20.0, 20.0);
    const int n = count(random);
    std::vector<double> angles(n);
    for (double& a : angles) a = angle(random);
    std::sort(angles.begin(), angles.end());
    if (random() % 2) std::reverse(angles.begin(), angles.end());
    const double s0 = centre(random);
    Outline o;
    for (double a : angles) {
        const double r = radius(random);
        o.s.push_back((std::round((s0 + r * std::cos(a)) * 1000) / 1000));
        o.h.push_back((std::round((100 + 0.3 * r * std::sin(a)) * 1000) / 1000));
    }
    return o;
}

TEST(SectionArea, agrees_with_the_shoelace_formula_on_random_simple_outlines) {
    std::mt19937 random(20261208);
    constexpr double unit = 0x1p-53;  // relative rounding of one 64-bit value
    for (int trial = 0; trial < 400; ++trial) {
        const Outline o = randomOutline(random);
        const std::size_t n = o.h.size();
        double shoelace = 0.0;
        double tolerance = 0.0;
        double sumOfTerms = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t k = (j + 1) % n;
            shoelace +=
                (static_cast<double>(o.s[j]) * o.h[k] - static_cast<double>(o.s[k]) * o.h[j]) / 2;
            // Rounding the heights (h + 10) and distances (S1 - S) moves each
            // term by at most this much ...
            const double hj = o.h[j] + 10.0, hk = o.h[k] + 10.0;
            const double dj = static_cast<double>(o.s[0]) - o.s[j];
            const double dk = static_cast<double>(o.s[0]) - o.s[k];
            tolerance += unit * (std::abs(hj) + std::abs(hk)) *
                         (std::abs(dk - dj) + std::abs(dj) + std::abs(dk)) / 2;
            sumOfTerms += std::abs((hj + hk) * (dk - dj) / 2);
        }
        // ... and rounding each of the n partial sums by at most
        // `unit` times the largest partial sum, itself below the sum of |terms|.
        tolerance += static_cast<double>(n) * unit * sumOfTerms;
        EXPECT_NEAR(areaOf(o.h, o.s), shoelace, tolerance)
            << "trial " << trial << ", " << n << " points";
    }
}

}  // namespace
}  // namespace section
