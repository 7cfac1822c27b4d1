// SPDX-License-Identifier: GPL-3.0-or-later
// The edits of a closed-outline survey: cell edits change values in place and
// recalculate only what they touch; section edits splice whole sections.

#include <QUndoStack>
#include <algorithm>
#include <limits>
#include <map>
#include <utility>

#include "document/survey_document.h"

namespace document {
namespace {

Edited refused() {
    return {Outcome::Refused, "断面或观测点已达到最多的个数，或这一格不能输入"};
}

Edited overflow() {
    return {Outcome::Overflow, "计算结果超出了数值范围（绝对值超过 3.4E+38）"};
}

using section::kMostPoints;
using section::kMostSections;

}  // namespace

bool SurveyDocument::validSection(int i) const {
    return i >= 1 && i <= outline().sectionCount();
}

bool SurveyDocument::validPoint(int i, int j) const {
    return validSection(i) && j >= 1 && j <= outline().pointCounts(i);
}

Edited SurveyDocument::cellEdits(const std::vector<Cell>& cells, std::vector<CellEdit>& edits,
                                 Change& change) const {
    // Cells of one point, or of one section's station or spacing, are merged
    // first so that each edit reads the values the one before it left.
    std::map<std::pair<int, int>, Point> points;
    std::map<int, std::pair<Value, std::string>> stations;
    std::map<int, Value> spacings;
    for (const Cell& cell : cells) {
        if (cell.line != Line::Outline) return refused();
        switch (cell.column) {
            case Column::Elevation:
            case Column::Offset: {
                if (!validPoint(cell.section, cell.point)) return refused();
                const auto key = std::pair(cell.section, cell.point);
                auto [at, fresh] = points.try_emplace(key);
                if (fresh)
                    at->second = {outline().elevations(cell.section, cell.point),
                                  outline().offsets(cell.section, cell.point)};
                (cell.column == Column::Elevation ? at->second.elevation : at->second.offset) =
                    cell.value;
                break;
            }
            case Column::Station:
                if (!validSection(cell.section)) return refused();
                stations[cell.section] = {
                    cell.value, cell.stationPrefix.value_or(outline().stationPrefix(cell.section))};
                break;
            case Column::Spacing:
                // With stations the calculation works the spacings out itself.
                if (outline().stationsEntered() || cell.section < 1 ||
                    cell.section >= outline().sectionCount())
                    return refused();
                spacings[cell.section] = cell.value;
                break;
        }
    }
    change = {.kind = Change::Kind::Values, .first = std::numeric_limits<int>::max()};
    const auto touch = [&change](int i) {
        change.first = std::min(change.first, i);
        change.last = std::max(change.last, i);
    };
    for (const auto& [at, point] : points) {
        const auto [i, j] = at;
        if (same(point.elevation, outline().elevations(i, j)) &&
            same(point.offset, outline().offsets(i, j)))
            continue;
        edits.emplace_back(pointSplice(outline(), i, j, 1, {point}));
        touch(i);
    }
    for (const auto& [i, station] : stations) {
        const auto& [value, prefix] = station;
        if (same(value, outline().stations(i)) && prefix == outline().stationPrefix(i)) continue;
        edits.emplace_back(StationEdit{.section = i,
                                       .before = outline().stations(i),
                                       .after = value,
                                       .prefixBefore = outline().stationPrefix(i),
                                       .prefixAfter = prefix});
        touch(i);
        // The spacing from the section before is worked out from this station too.
        if (outline().stationsEntered() && i > 1) touch(i - 1);
    }
    for (const auto& [i, spacing] : spacings) {
        if (same(spacing, outline().spacings(i))) continue;
        edits.emplace_back(
            SpacingEdit{.section = i, .before = outline().spacings(i), .after = spacing});
        touch(i);
    }
    return {};
}

Edited SurveyDocument::pasteOutline(const std::vector<Cell>& cells, Growth growth) {
    const int count = outline().sectionCount();
    if (growth.points.empty() && growth.sections.empty()) {
        std::vector<CellEdit> edits;
        Change change;
        if (cellEdits(cells, edits, change) != Outcome::Done) return refused();
        if (edits.empty()) return {};
        const QString name =
            cells.size() == 1 ? cellStepName(cells.front().column) : QStringLiteral("粘贴");
        return pushCells(std::move(edits), name, change);
    }
    if (count + growth.sections.size() > static_cast<std::size_t>(kMostSections) ||
        (count == 0 && !growth.points.empty()) ||
        (count > 0 && std::max<int>(outline().pointCounts(count), 0) + growth.points.size() >
                          static_cast<std::size_t>(kMostPoints)) ||
        std::any_of(growth.sections.begin(), growth.sections.end(), [](const SectionRow& row) {
            return row.points.size() > static_cast<std::size_t>(kMostPoints);
        }))
        return refused();
    std::vector<CellEdit> edits;
    Change change;
    if (cellEdits(cells, edits, change) != Outcome::Done) return refused();
    // The rows past the end join the last section as the cells leave it.
    if (!applyEdit(outline(), edits, Direction::Forward, survey_.preparedRoad())) {
        applyEdit(outline(), edits, Direction::Back, survey_.preparedRoad());
        return overflow();
    }
    SectionSplice splice = growthSplice(std::move(growth));
    if (!applyEdit(outline(), splice, Direction::Forward, survey_.preparedRoad())) {
        applyEdit(outline(), edits, Direction::Back, survey_.preparedRoad());
        return overflow();
    }
    change = {.kind = Change::Kind::Sections, .first = std::min(change.first, splice.first)};
    pushEdit(PasteEdit{std::move(edits), std::move(splice)}, change, QStringLiteral("粘贴"));
    return {};
}

SectionSplice SurveyDocument::growthSplice(Growth growth) const {
    const int count = outline().sectionCount();
    SectionSplice splice{.first = std::max(count, 1)};
    if (count > 0) {
        SectionRow last = sectionRow(outline(), count);
        splice.removed.push_back(last);
        last.points.insert(last.points.end(), growth.points.begin(), growth.points.end());
        if (!growth.points.empty()) last.pointCount = static_cast<std::int16_t>(last.points.size());
        last.spacing = growth.spacing;
        splice.inserted.push_back(std::move(last));
    }
    if (count > 1) splice.spacingBefore = splice.spacingAfter = outline().spacings(count - 1);
    for (SectionRow& row : growth.sections) {
        row.pointCount = static_cast<std::int16_t>(row.points.size());
        splice.inserted.push_back(std::move(row));
    }
    return splice;
}

Edited SurveyDocument::insertOutlinePoint(PointPlace at, Point point) {
    const auto [i, j, line] = at;
    if (line != Line::Outline || !validSection(i) || j < 1 ||
        j > std::max<int>(outline().pointCounts(i), 0) + 1 ||
        outline().pointCounts(i) >= kMostPoints)
        return refused();
    return pushCells({pointSplice(outline(), i, j, 0, {point})}, QStringLiteral("插入观测点"),
                     {.kind = Change::Kind::Points, .first = i, .last = i});
}

Edited SurveyDocument::deleteOutlinePoints(const std::vector<PointPlace>& places) {
    std::vector<std::pair<int, int>> points;
    for (const PointPlace& at : places) {
        if (at.line != Line::Outline) return refused();
        points.emplace_back(at.section, at.point);
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.empty()) return {};
    for (const auto& [i, j] : points)
        if (!validPoint(i, j)) return refused();
    // One splice per section, from its first point deleted to its last, keeping the rest.
    std::vector<CellEdit> edits;
    for (auto from = points.begin(); from != points.end();) {
        const int i = from->first;
        auto to = std::find_if(from, points.end(), [i](const auto& p) { return p.first != i; });
        const int first = from->second;
        const int last = std::prev(to)->second;
        std::vector<Point> kept;
        for (int j = first, k = 0; j <= last; ++j) {
            if (from + k != to && (from + k)->second == j) {
                ++k;
                continue;
            }
            kept.push_back({outline().elevations(i, j), outline().offsets(i, j)});
        }
        edits.emplace_back(pointSplice(outline(), i, first, last - first + 1, std::move(kept)));
        from = to;
    }
    return pushCells(
        std::move(edits), QStringLiteral("删除观测点"),
        {.kind = Change::Kind::Points, .first = points.front().first, .last = points.back().first});
}

Edited SurveyDocument::movePointUp(int i, int j) {
    return movePoint(i, j, j - 1, QStringLiteral("上移观测点"));
}

Edited SurveyDocument::movePointDown(int i, int j) {
    return movePoint(i, j, j + 1, QStringLiteral("下移观测点"));
}

Edited SurveyDocument::movePoint(int i, int j, int other, const QString& name) {
    if (!validPoint(i, j) || !validPoint(i, other)) return refused();
    const int first = std::min(j, other);
    const Point upper{outline().elevations(i, first), outline().offsets(i, first)};
    const Point lower{outline().elevations(i, first + 1), outline().offsets(i, first + 1)};
    return pushCells({pointSplice(outline(), i, first, 2, {lower, upper})}, name,
                     {.kind = Change::Kind::Values, .first = i, .last = i});
}

Edited SurveyDocument::insertOutlineSection(int i, SectionRow row) {
    const int count = outline().sectionCount();
    if (i < 1 || i > count + 1 || count >= kMostSections ||
        row.points.size() > static_cast<std::size_t>(kMostPoints))
        return refused();
    row.pointCount = static_cast<std::int16_t>(row.points.size());
    SectionSplice splice{.first = i};
    if (i > 1) splice.spacingBefore = splice.spacingAfter = outline().spacings(i - 1);
    if (i == count + 1) {
        // Appended: its spacing is the one from the section before, and the last has none.
        if (i > 1) splice.spacingAfter = row.spacing;
        row.spacing = Value{};
    }
    splice.inserted.push_back(std::move(row));
    return pushSections(std::move(splice), QStringLiteral("插入断面"));
}

Edited SurveyDocument::deleteOutlineSection(int i) {
    if (!validSection(i)) return refused();
    SectionSplice splice{.first = i, .removed = {sectionRow(outline(), i)}};
    if (i > 1) {
        splice.spacingBefore = outline().spacings(i - 1);
        splice.spacingAfter =
            i == outline().sectionCount()
                ? Value{}
                : static_cast<Value>(splice.spacingBefore + outline().spacings(i));
    }
    return pushSections(std::move(splice), QStringLiteral("删除断面"));
}

Edited SurveyDocument::pushCells(std::vector<CellEdit> edits, const QString& name, Change change) {
    if (!applyEdit(outline(), edits, Direction::Forward, survey_.preparedRoad())) {
        applyEdit(outline(), edits, Direction::Back, survey_.preparedRoad());
        return overflow();
    }
    pushEdit(std::move(edits), change, name);
    return {};
}

Edited SurveyDocument::pushSections(SectionSplice splice, const QString& name) {
    const Change change{.kind = Change::Kind::Sections, .first = splice.first};
    if (!applyEdit(outline(), splice, Direction::Forward, survey_.preparedRoad()))
        return overflow();
    pushEdit(std::move(splice), change, name);
    return {};
}

}  // namespace document
