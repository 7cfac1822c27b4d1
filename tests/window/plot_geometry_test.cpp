// SPDX-License-Identifier: GPL-3.0-or-later
// The geometry of the drawings, without a window: S mirrored, one scale
// across and up, the fit within the margin, tick steps over many sizes.

#include "window/views/plot_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using window::fitSection;
using window::PixelBox;
using window::Span;

const PixelBox kBox{10, 20, 400, 300};

TEST(SectionScale, puts_positive_s_left_of_the_centre_line_and_height_up) {
    const window::SectionScale scale = fitSection({-5, 5}, {100, 102}, kBox, 8);
    EXPECT_LT(scale.toPixel(3, 100).x, scale.toPixel(0, 100).x);
    EXPECT_GT(scale.toPixel(-3, 100).x, scale.toPixel(0, 100).x);
    EXPECT_LT(scale.toPixel(0, 102).y, scale.toPixel(0, 100).y);
}

TEST(SectionScale, draws_a_metre_the_same_length_across_and_up) {
    const window::SectionScale scale = fitSection({-20, 20}, {95, 101}, kBox, 8);
    const double across = scale.toPixel(0, 0).x - scale.toPixel(1, 0).x;
    const double up = scale.toPixel(0, 0).y - scale.toPixel(0, 1).y;
    EXPECT_NEAR(across, up, 1e-9);
    EXPECT_NEAR(across, scale.pixelsPerMetre, 1e-9);
}

// The wider span fills the box less its margins; both stay inside, centred,
// heights drawn as exaggerated as asked.
TEST(SectionScale, fits_within_the_margin_centred) {
    for (const auto& [s, h] :
         {std::pair{Span{-20, 20}, Span{95, 101}}, std::pair{Span{-1, 2}, Span{10, 60}},
          std::pair{Span{0, 0}, Span{5, 5}}})
        for (const double times : {1.0, 2.0, 5.0, 10.0}) {
            const window::SectionScale scale = fitSection(s, h, kBox, 8, times);
            EXPECT_NEAR(scale.toPixel(0, 0).y - scale.toPixel(0, 1).y, times * scale.pixelsPerMetre,
                        1e-9);
            const window::SectionPlace middle =
                scale.toMetres({kBox.left + kBox.width / 2, kBox.top + kBox.height / 2});
            EXPECT_NEAR(middle.s, (s.from + s.to) / 2, 1e-9);
            EXPECT_NEAR(middle.h, (h.from + h.to) / 2, 1e-9);
            const window::Pixel left = scale.toPixel(s.to, h.to);       // top left corner
            const window::Pixel right = scale.toPixel(s.from, h.from);  // bottom right corner
            EXPECT_GE(left.x, kBox.left + 8 - 1e-9);
            EXPECT_GE(left.y, kBox.top + 8 - 1e-9);
            EXPECT_LE(right.x, kBox.left + kBox.width - 8 + 1e-9);
            EXPECT_LE(right.y, kBox.top + kBox.height - 8 + 1e-9);
            EXPECT_NEAR((left.x + right.x) / 2, kBox.left + kBox.width / 2, 1e-9);
            EXPECT_NEAR((left.y + right.y) / 2, kBox.top + kBox.height / 2, 1e-9);
            const bool widthFull = std::abs(right.x - left.x - (kBox.width - 16)) < 1e-9;
            const bool heightFull = std::abs(right.y - left.y - (kBox.height - 16)) < 1e-9;
            EXPECT_TRUE(widthFull || heightFull || s.length() < 1 || h.length() < 1);
        }
}

TEST(Ticks, step_one_two_or_five_times_a_power_of_ten_for_any_span) {
    for (double span : {0.003, 0.7, 1.0, 4.0, 13.0, 40.0, 99.0, 250.0, 1234.5, 8e5}) {
        for (int most : {3, 6, 10}) {
            const double step = window::tickStep(span, most);
            const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-12));
            EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                        std::abs(mantissa - 5) < 1e-9)
                << span << " " << most << " " << step;
            EXPECT_LE(span / step, most + 1e-9) << span;
            EXPECT_GT(span / step, most / 5.0) << span;
        }
    }
    EXPECT_EQ(window::tickValues({95, 101}, 6),
              (std::vector<double>{95, 96, 97, 98, 99, 100, 101}));
    EXPECT_EQ(window::tickValues({-0.3, 0.3}, 3), (std::vector<double>{-0.2, 0, 0.2}));
}

}  // namespace
