// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/section_picture.h"

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
    return picture;
}

}  // namespace

SectionPicture sectionPicture(const Survey& survey, int i) {
    return survey.visit([i](const auto& record) { return pictureOf(record, i); });
}

}  // namespace section
