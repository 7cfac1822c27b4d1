// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/picture_block.h"

#include <gtest/gtest.h>

namespace printout {
namespace {

using section::PictureLine;
using section::PictureMark;
using section::PictureRegion;

// Each role lands on its layer, mirrored so that the left of the road (S > 0)
// is drawn on the left; lines without points are left out, an outline closed.
TEST(PictureBlock, PutsEachRoleOnItsLayerMirrored) {
    section::SectionPicture picture;
    picture.lines = {{PictureLine::Role::Ground, {{10.0, 5.0}, {9.0, -5.0}}},
                     {PictureLine::Role::Design, {{9.5, 4.0}, {9.5, -4.0}}},
                     {PictureLine::Role::Outline, {}},
                     {PictureLine::Role::Outline, {{0.0, 0.0}, {1.0, 1.0}, {0.0, 2.0}}}};
    picture.regions = {{PictureRegion::Role::Cut, {{10.0, 4.0}, {9.5, 4.0}, {9.5, 0.0}}},
                       {PictureRegion::Role::Fill, {{9.0, -4.0}, {9.5, -4.0}, {9.5, 0.0}}}};
    picture.catchPoints = {{PictureMark::Role::Crest, {10.1, 6.0}}};

    const DrawingBlock block = pictureBlock(picture, 0.25);

    ASSERT_EQ(block.lines.size(), 3u);
    EXPECT_EQ(block.lines[0], (DrawLine{kGroundLayer, {{-5.0, 10.0}, {5.0, 9.0}}}));
    EXPECT_EQ(block.lines[1].layer, kDesignLayer);
    EXPECT_EQ(block.lines[2],
              (DrawLine{kOutlineLayer, {{0.0, 0.0}, {-1.0, 1.0}, {-2.0, 0.0}}, true}));
    ASSERT_EQ(block.hatches.size(), 2u);
    EXPECT_EQ(block.hatches[0], (DrawHatch{kCutLayer, {{-4.0, 10.0}, {-4.0, 9.5}, {-0.0, 9.5}}}));
    EXPECT_EQ(block.hatches[1].layer, kFillLayer);
    EXPECT_EQ(block.circles, (std::vector<DrawCircle>{{kDesignLayer, {-6.0, 10.1}, 0.25}}));
}

}  // namespace
}  // namespace printout
