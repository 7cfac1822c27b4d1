// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/picture_block.h"

namespace printout {

namespace {

std::vector<DrawPoint> drawn(const std::vector<section::Point>& points) {
    std::vector<DrawPoint> out;
    out.reserve(points.size());
    for (const section::Point& point : points) out.push_back({-point.offset, point.elevation});
    return out;
}

const char* layerOf(section::PictureLine::Role role) {
    switch (role) {
        case section::PictureLine::Role::Outline:
            return kOutlineLayer;
        case section::PictureLine::Role::Ground:
            return kGroundLayer;
        case section::PictureLine::Role::Design:
            return kDesignLayer;
    }
    return kOutlineLayer;
}

}  // namespace

DrawingBlock pictureBlock(const section::SectionPicture& picture, double markRadius) {
    DrawingBlock block;
    for (const section::PictureRegion& region : picture.regions) {
        const bool cut = region.role == section::PictureRegion::Role::Cut;
        block.hatches.push_back({cut ? kCutLayer : kFillLayer, drawn(region.outline)});
    }
    for (const section::PictureLine& line : picture.lines) {
        if (line.points.empty()) continue;
        const bool outline = line.role == section::PictureLine::Role::Outline;
        block.lines.push_back({layerOf(line.role), drawn(line.points), outline});
    }
    for (const section::PictureMark& mark : picture.catchPoints)
        block.circles.push_back({kDesignLayer, {-mark.at.offset, mark.at.elevation}, markRadius});
    return block;
}

}  // namespace printout
