// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/survey_edit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "section/area.h"
#include "section/cut_fill_calculation.h"
#include "section/spacings.h"
#include "section/volumes.h"

namespace document {
namespace {

using section::SectionSurvey;

int heldPoints(const SectionSurvey& survey, int i) {
    return std::max<int>(survey.pointCounts(i), 0);
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

struct FlatPoints {
    std::vector<Value> elevations;
    std::vector<Value> offsets;

    void append(const Value* e, const Value* o, int from, int to) {
        elevations.insert(elevations.end(), e + from, e + to);
        offsets.insert(offsets.end(), o + from, o + to);
    }
    void append(const std::vector<Point>& points) {
        for (const Point& p : points) {
            elevations.push_back(p.elevation);
            offsets.push_back(p.offset);
        }
    }
};

void applyPoints(SectionSurvey& survey, const PointSplice& splice, Direction direction) {
    const bool forward = direction == Direction::Forward;
    const std::vector<Point>& leaving = forward ? splice.removed : splice.inserted;
    const std::vector<Point>& coming = forward ? splice.inserted : splice.removed;
    if (leaving.size() == coming.size() && splice.countBefore == splice.countAfter) {
        for (std::size_t k = 0; k < coming.size(); ++k)
            survey.setPoint(splice.section, splice.first + static_cast<int>(k), coming[k].elevation,
                            coming[k].offset);
        return;
    }
    // A different number of points shifts every later section in the flat arrays.
    FlatPoints flat;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const Value* e = survey.sectionElevations(i);
        const Value* o = survey.sectionOffsets(i);
        const int held = heldPoints(survey, i);
        if (i != splice.section) {
            flat.append(e, o, 0, held);
            continue;
        }
        flat.append(e, o, 0, splice.first - 1);
        flat.append(coming);
        flat.append(e, o, splice.first - 1 + static_cast<int>(leaving.size()), held);
    }
    survey.setPointCount(splice.section, forward ? splice.countAfter : splice.countBefore);
    survey.takePoints(std::move(flat.elevations), std::move(flat.offsets));
}

bool areaFinite(SectionSurvey& survey, int i) {
    const auto area = section::sectionArea(survey.sectionElevations(i), survey.sectionOffsets(i),
                                           survey.pointCounts(i));
    survey.setArea(i, area);
    return std::isfinite(area);
}

// What the calculation does after the areas, for a survey whose areas are all
// in place; the spacings are worked out again only when a station moved.
bool finishCalculation(SectionSurvey& survey, bool stationsMoved,
                       const section::PreparedRoad* road) {
    if (stationsMoved && survey.stationsEntered() &&
        !section::spacingsFromStations(survey, road ? &road->chainage() : nullptr))
        return false;
    return section::computeVolumes(survey);
}

}  // namespace

bool same(Value a, Value b) {
    return std::memcmp(&a, &b, sizeof(Value)) == 0;
}

PointSplice pointSplice(const SectionSurvey& survey, int section, int first, int removeCount,
                        std::vector<Point> inserted) {
    PointSplice splice{.section = section,
                       .first = first,
                       .inserted = std::move(inserted),
                       .countBefore = survey.pointCounts(section)};
    for (int j = first; j < first + removeCount; ++j)
        splice.removed.push_back({survey.elevations(section, j), survey.offsets(section, j)});
    splice.countAfter = static_cast<std::int16_t>(heldPoints(survey, section) - removeCount +
                                                  static_cast<int>(splice.inserted.size()));
    if (removeCount == static_cast<int>(splice.inserted.size()))
        splice.countAfter = splice.countBefore;
    return splice;
}

SectionRow sectionRow(const SectionSurvey& survey, int section) {
    SectionRow row{.station = survey.stations(section),
                   .spacing = survey.spacings(section),
                   .pointCount = survey.pointCounts(section),
                   .stationPrefix = survey.stationPrefix(section)};
    for (int j = 1; j <= heldPoints(survey, section); ++j)
        row.points.push_back({survey.elevations(section, j), survey.offsets(section, j)});
    return row;
}

bool applyEdit(SectionSurvey& survey, const std::vector<CellEdit>& edits, Direction direction,
               const section::PreparedRoad* road) {
    const bool forward = direction == Direction::Forward;
    std::vector<int> touched;
    bool stationsMoved = false;
    const auto apply = Overloaded{
        [&](const PointSplice& splice) {
            applyPoints(survey, splice, direction);
            touched.push_back(splice.section);
        },
        [&](const StationEdit& edit) {
            survey.setStation(edit.section, forward ? edit.after : edit.before);
            survey.setStationPrefix(edit.section, forward ? edit.prefixAfter : edit.prefixBefore);
            stationsMoved = true;
        },
        [&](const SpacingEdit& edit) {
            survey.setSpacing(edit.section, forward ? edit.after : edit.before);
        },
    };
    if (forward)
        for (const CellEdit& edit : edits) std::visit(apply, edit);
    else
        for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) std::visit(apply, *edit);
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    bool finite = true;
    for (int i : touched) finite = areaFinite(survey, i) && finite;
    return finite && finishCalculation(survey, stationsMoved, road);
}

bool applyEdit(SectionSurvey& survey, const SectionSplice& splice, Direction direction,
               const section::PreparedRoad* road) {
    const bool forward = direction == Direction::Forward;
    const std::vector<SectionRow>& coming = forward ? splice.inserted : splice.removed;
    const int leaving = static_cast<int>(forward ? splice.removed.size() : splice.inserted.size());
    const int arriving = static_cast<int>(coming.size());
    const int count = survey.sectionCount() - leaving + arriving;

    SectionSurvey fresh;
    fresh.resize(count);
    fresh.setStationAnswer(survey.stationAnswer());
    fresh.setVolumeMethod(survey.volumeMethod());
    FlatPoints flat;
    for (int i = 1; i <= count; ++i) {
        const bool isNew = i >= splice.first && i < splice.first + arriving;
        if (isNew) {
            const SectionRow& row = coming[i - splice.first];
            fresh.setStation(i, row.station);
            fresh.setStationPrefix(i, row.stationPrefix);
            fresh.setPointCount(i, row.pointCount);
            if (i < count) fresh.setSpacing(i, row.spacing);
            flat.append(row.points);
            continue;
        }
        const int old = i < splice.first ? i : i - arriving + leaving;
        fresh.setStation(i, survey.stations(old));
        fresh.setStationPrefix(i, survey.stationPrefix(old));
        fresh.setPointCount(i, survey.pointCounts(old));
        if (i < count) fresh.setSpacing(i, survey.spacings(old));
        fresh.setArea(i, survey.areas(old));
        flat.append(survey.sectionElevations(old), survey.sectionOffsets(old), 0,
                    heldPoints(survey, old));
    }
    if (splice.first > 1 && splice.first - 1 < count)
        fresh.setSpacing(splice.first - 1, forward ? splice.spacingAfter : splice.spacingBefore);
    fresh.takePoints(std::move(flat.elevations), std::move(flat.offsets));

    bool finite = true;
    for (int i = splice.first; i < splice.first + arriving; ++i)
        finite = areaFinite(fresh, i) && finite;
    if (!finite || !finishCalculation(fresh, true, road)) return false;
    survey = std::move(fresh);
    return true;
}

bool applyEdit(SectionSurvey& survey, const PasteEdit& edit, Direction direction,
               const section::PreparedRoad* road) {
    if (direction == Direction::Back) {
        return applyEdit(survey, edit.growth, direction, road) &&
               applyEdit(survey, edit.cells, direction, road);
    }
    if (applyEdit(survey, edit.cells, direction, road) &&
        applyEdit(survey, edit.growth, direction, road))
        return true;
    applyEdit(survey, edit.cells, Direction::Back, road);
    return false;
}

std::optional<section::Fault> applyEdit(section::CutFillSurvey& survey, const CutFillSplice& splice,
                                        Direction direction, const section::PreparedRoad* road) {
    const bool forward = direction == Direction::Forward;
    const auto& leaving = forward ? splice.removed : splice.inserted;
    const auto& coming = forward ? splice.inserted : splice.removed;
    auto& sections = survey.sections;
    const auto at = sections.begin() + (splice.first - 1);
    sections.insert(sections.erase(at, at + static_cast<std::ptrdiff_t>(leaving.size())),
                    coming.begin(), coming.end());
    return section::calculateCutFill(survey, road);
}

}  // namespace document
