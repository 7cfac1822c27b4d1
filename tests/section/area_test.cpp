// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace section {
namespace {

float areaOf(const std::vector<float>& h, const std::vector<float>& s) {
    return sectionArea(h.data(), s.data(), static_cast<int>(h.size()));
}

TEST(SectionArea, follows_the_worked_examples_exactly) {
    // Entered left, top, right as in the window's schematic: positive.
    EXPECT_EQ(areaOf({100, 101, 100}, {2, 0, -2}), 2.0f);
    // The same triangle entered the other way round.
    EXPECT_EQ(areaOf({100, 101, 100}, {-2, 0, 2}), -2.0f);
    EXPECT_EQ(areaOf({100, 100.25f, 100}, {0.25f, 0, -0.25f}), 0.0625f);
    // A rectangle 4 m wide and 1 m high: top left, top right, bottom right, bottom left.
    EXPECT_EQ(areaOf({101, 101, 100, 100}, {2, -2, -2, 2}), 4.0f);
}

TEST(SectionArea, is_zero_for_sections_without_an_outline) {
    EXPECT_EQ(sectionArea(nullptr, nullptr, 0), 0.0f);
    EXPECT_EQ(sectionArea(nullptr, nullptr, -1), 0.0f);
    EXPECT_EQ(areaOf({100}, {3}), 0.0f);
    EXPECT_EQ(areaOf({100, 100}, {2, -2}), 0.0f);
}

TEST(SectionArea, keeps_the_running_sum_in_32_bits) {
    // Heights near 1000 m give terms of thousands that cancel; the 32-bit
    // partial sums lose digits that a 64-bit sum would keep.
    std::vector<float> h{1000.123f, 1001.457f, 1000.789f, 999.321f};
    std::vector<float> s{10.011f, 0.003f, -10.017f, 0.5f};
    float expected = 0.0f;
    const double first = s[0];
    for (std::size_t j = 0; j < h.size(); ++j) {
        const std::size_t k = (j + 1) % h.size();
        const auto hj = static_cast<float>(h[j] + 10.0);
        const auto hk = static_cast<float>(h[k] + 10.0);
        const auto dj = static_cast<float>(first - s[j]);
        const auto dk = static_cast<float>(first - s[k]);
        expected = static_cast<float>(
            (static_cast<double>(hk) + hj) * (static_cast<double>(dk) - dj) / 2.0 + expected);
    }
    EXPECT_EQ(areaOf(h, s), expected);
}

TEST(SectionArea, overflows_to_a_value_beyond_the_32_bit_range) {
    EXPECT_FALSE(std::isfinite(areaOf({100, 101, 100}, {3e38f, 0, -3e38f})));
}

// A star-shaped (so simple) outline around a centre, points to 3 decimals
// as a surveyor types them.
struct Outline {
    std::vector<float> h;
    std::vector<float> s;
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
        o.s.push_back(static_cast<float>(std::round((s0 + r * std::cos(a)) * 1000) / 1000));
        o.h.push_back(static_cast<float>(std::round((100 + 0.3 * r * std::sin(a)) * 1000) / 1000));
    }
    return o;
}

TEST(SectionArea, agrees_with_the_shoelace_formula_on_random_simple_outlines) {
    std::mt19937 random(20261208);
    constexpr double unit = 1.0 / (1 << 24);  // relative rounding of one 32-bit value
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
            // Rounding the heights (h + 10) and distances (S1 - S) to 32 bits
            // moves each term by at most this much ...
            const double hj = o.h[j] + 10.0, hk = o.h[k] + 10.0;
            const double dj = static_cast<double>(o.s[0]) - o.s[j];
            const double dk = static_cast<double>(o.s[0]) - o.s[k];
            tolerance += unit * (std::abs(hj) + std::abs(hk)) *
                         (std::abs(dk - dj) + std::abs(dj) + std::abs(dk)) / 2;
            sumOfTerms += std::abs((hj + hk) * (dk - dj) / 2);
        }
        // ... and keeping each of the n partial sums in 32 bits by at most
        // `unit` times the largest partial sum, itself below the sum of |terms|.
        tolerance += static_cast<double>(n) * unit * sumOfTerms;
        EXPECT_NEAR(areaOf(o.h, o.s), shoelace, tolerance)
            << "trial " << trial << ", " << n << " points";
    }
}

}  // namespace
}  // namespace section
