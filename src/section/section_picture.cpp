// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/section_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "section/cut_fill_regions.h"

namespace section {

namespace {

SectionPicture pictureOf(const SectionSurvey& survey, int i) {
    PictureLine outline;
    const int count = i >= 1 && i <= survey.sectionCount() ? survey.pointCounts(i) : 0;
    outline.points.reserve(std::size_t(count));
    for (int j = 1; j <= count; ++j)
        outline.points.push_back({survey.elevations(i, j), survey.offsets(i, j)});
    return {{std::move(outline)}, {}};
}

// The catch points at the design line's ends, and the height at its centre.
void markFit(SectionPicture& picture, const CutFillSection& section) {
    if (!section.designGenerated || !section.fit || section.design.empty()) return;
    const RoadFit& fit = *section.fit;
    const auto [right, left] = std::ranges::minmax_element(section.design, {}, &Point::offset);
    for (const auto& [side, end] : {std::pair{&fit.left, left}, std::pair{&fit.right, right}}) {
        if (!side->catchDistance) continue;
        picture.catchPoints.push_back(
            {side->kind == SlopeKind::Fill ? PictureMark::Role::Toe : PictureMark::Role::Crest,
             *end});
    }
    if (!fit.groundElevation) return;
    const double height = fit.designElevation - *fit.groundElevation;
    char text[64];
    std::snprintf(text, sizeof text, "%s %.3f m", height >= 0 ? "中桩填高" : "中桩挖深",
                  std::abs(height));
    picture.centreHeight = text;
}

SectionPicture pictureOf(const CutFillSurvey& survey, int i) {
    if (i < 1 || i > survey.sectionCount())
        return {{{PictureLine::Role::Ground, {}}, {PictureLine::Role::Design, {}}}, {}};
    const CutFillSection& section = survey.sections[std::size_t(i - 1)];
    SectionPicture picture{
        {{PictureLine::Role::Ground, section.ground}, {PictureLine::Role::Design, section.design}},
        {}};
    CutFillRegions regions = cutFillRegions(section.ground, section.design);
    for (auto& region : regions.cut)
        picture.regions.push_back({PictureRegion::Role::Cut, std::move(region)});
    for (auto& region : regions.fill)
        picture.regions.push_back({PictureRegion::Role::Fill, std::move(region)});
    markFit(picture, section);
    return picture;
}

}  // namespace

SectionPicture sectionPicture(const Survey& survey, int i) {
    return survey.visit([i](const auto& record) { return pictureOf(record, i); });
}

}  // namespace section
