// SPDX-License-Identifier: GPL-3.0-or-later
// The edits of a cut-and-fill survey: each builds the splice of the sections
// it touches, applies it in place and recalculates; a fault puts the sections
// back (which calculates as before) and comes back, nothing having changed.

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <map>

#include "document/survey_document.h"
#include "runtime/number_text.h"
#include "section/cut_fill_calculation.h"

namespace document {
namespace {

using section::CutFillSection;
using section::CutFillSurvey;
using section::Fault;
using section::Point;

std::vector<Point>& pointsOf(CutFillSection& section, Line line) {
    return line == Line::Ground ? section.ground : section.design;
}

// The codes beside a line's points: kept in step with them as points come
// and go (a list shorter than the line leaves the rest without).
std::vector<std::string>& codesOf(CutFillSection& section, Line line) {
    return line == Line::Ground ? section.groundCodes : section.designCodes;
}

std::string number(int n) {
    return runtime::numberToText(n);
}

Fault noSection(int i) {
    return {i, "没有第 " + number(i) + " 个断面"};
}

Fault refusedAt(const CutFillSurvey& survey, int i, const std::string& why) {
    return {i, section::cutFillSectionName(survey, i) + why};
}

// A design line the road design puts on the ground is not edited by hand.
std::optional<Fault> generatedLine(const CutFillSurvey& survey, int i, Line line) {
    if (line != Line::Design || !survey.sections[i - 1].designGenerated) return std::nullopt;
    return refusedAt(survey, i,
                     "的设计线由道路设计生成，随地面线和道路设计而变，不能直接修改：要修改它，"
                     "请先在右键菜单中选“改为输入的设计线”");
}

// Sets one cell in `section` (a copy of section i); true when a value changed.
std::optional<Fault> putCell(const CutFillSurvey& survey, CutFillSection& section, const Cell& cell,
                             bool& appended, bool& changed) {
    const int i = cell.section;
    const auto put = [&changed](double& at, double value) {
        changed = changed || !same(at, value);
        at = value;
    };
    switch (cell.column) {
        case Column::Station:
            if (!survey.stationsEntered())
                return refusedAt(survey, i, "：这份数据没有输入桩号，不能修改桩号");
            put(section.station, cell.value);
            if (cell.stationPrefix && *cell.stationPrefix != section.stationPrefix) {
                section.stationPrefix = *cell.stationPrefix;
                changed = true;
            }
            return std::nullopt;
        case Column::Spacing:
            if (survey.stationsEntered())
                return refusedAt(survey, i, "：输入了桩号时间距由桩号算出，不能修改");
            if (i == survey.sectionCount())
                return refusedAt(survey, i, "是最后一个断面，后面没有断面，没有间距");
            put(section.spacing, cell.value);
            return std::nullopt;
        case Column::Elevation:
        case Column::Offset:
            break;
    }
    if (cell.line == Line::Outline)
        return refusedAt(survey, i, "有地面线和设计线，没有闭合断面的点");
    if (auto fault = generatedLine(survey, i, cell.line)) return fault;
    std::vector<Point>& points = pointsOf(section, cell.line);
    const int count = static_cast<int>(points.size());
    if (cell.point < 1 || cell.point > count + 1)
        return refusedAt(
            survey, i,
            "的" + section::lineName(cell.line) + "没有第 " + number(cell.point) + " 点");
    if (cell.point == count + 1) {
        points.push_back({});
        appended = changed = true;
    }
    Point& point = points[cell.point - 1];
    put(cell.column == Column::Elevation ? point.elevation : point.offset, cell.value);
    return std::nullopt;
}

Edited refusal(Fault fault) {
    return {fault.overflow ? Outcome::Overflow : Outcome::Refused, std::move(fault.message),
            fault.section};
}

// A section as the table enters it: its points are the ground line's.
CutFillSection linesOf(SectionRow row) {
    return {.station = row.station,
            .spacing = row.spacing,
            .ground = std::move(row.points),
            .design = std::move(row.design),
            .stationPrefix = std::move(row.stationPrefix)};
}

}  // namespace

Edited SurveyDocument::pushLines(CutFillSplice splice, const QString& name, Change change) {
    const section::PreparedRoad* road = survey_.preparedRoad();
    if (std::optional<Fault> fault = applyEdit(lines(), splice, Direction::Forward, road)) {
        applyEdit(lines(), splice, Direction::Back, road);
        return refusal(*fault);
    }
    if (road && change.kind == Change::Kind::Values) {
        // Generated design lines follow the ground, their points with it;
        // across 断链 a station moved may move the places of those after it.
        change.kind = Change::Kind::Points;
        if (!road->chainage().empty()) change.last = lines().sectionCount();
    }
    pushEdit(std::move(splice), change, name);
    return {};
}

Edited SurveyDocument::pasteLines(const std::vector<Cell>& cells, Growth growth) {
    if (!growth.points.empty()) return refusal({0, "填挖方断面的点要填在地面线或设计线的行上"});
    if (cells.empty() && growth.sections.empty()) return {};
    // Each touched section is copied once and takes its cells in order.
    std::map<int, CutFillSection> touched;
    bool appended = false, changed = false;
    int from = lines().sectionCount() + 1, to = 0;
    for (const Cell& cell : cells) {
        if (cell.section < 1 || cell.section > lines().sectionCount())
            return refusal(noSection(cell.section));
        auto [at, fresh] = touched.try_emplace(cell.section);
        if (fresh) at->second = lines().sections[cell.section - 1];
        if (auto fault = putCell(lines(), at->second, cell, appended, changed))
            return refusal(*fault);
        from = std::min(from, cell.section);
        to = std::max(to, cell.section);
    }
    const int count = lines().sectionCount();
    const bool grows = !growth.sections.empty();
    if (grows && count > 0) {
        // The last section goes on to the first new one.
        auto [at, fresh] = touched.try_emplace(count);
        if (fresh) at->second = lines().sections[count - 1];
        at->second.spacing = growth.spacing;
        from = std::min(from, count);
        to = count;
    }
    if (!changed && !grows) return {};
    CutFillSplice splice{.first = std::min(from, count + 1)};
    for (int i = splice.first; i <= to; ++i) {
        splice.removed.push_back(lines().sections[i - 1]);
        const auto at = touched.find(i);
        splice.inserted.push_back(at == touched.end() ? lines().sections[i - 1] : at->second);
    }
    if (grows) growth.sections.back().spacing = 0.0;  // the last section has none
    for (SectionRow& row : growth.sections) splice.inserted.push_back(linesOf(std::move(row)));
    // A station moves the spacing from the section before as well.
    const bool station = std::any_of(cells.begin(), cells.end(),
                                     [](const Cell& c) { return c.column == Column::Station; });
    const Change change{.kind = grows      ? Change::Kind::Sections
                                : appended ? Change::Kind::Points
                                           : Change::Kind::Values,
                        .first = station ? std::max(splice.first - 1, 1) : splice.first,
                        .last = to};
    return pushLines(
        std::move(splice),
        cells.size() == 1 && !grows ? cellStepName(cells.front().column) : QStringLiteral("粘贴"),
        change);
}

Edited SurveyDocument::insertLinePoint(PointPlace at, Point point) {
    const auto [i, j, line] = at;
    if (i < 1 || i > lines().sectionCount()) return refusal(noSection(i));
    if (line == Line::Outline)
        return refusal(refusedAt(lines(), i, "有地面线和设计线，没有闭合断面的点"));
    if (auto fault = generatedLine(lines(), i, line)) return refusal(*fault);
    CutFillSection section = lines().sections[i - 1];
    std::vector<Point>& points = pointsOf(section, line);
    if (j < 1 || j > static_cast<int>(points.size()) + 1)
        return refusal(
            refusedAt(lines(), i, "的" + section::lineName(line) + "没有第 " + number(j) + " 点"));
    points.insert(points.begin() + (j - 1), point);
    if (auto& codes = codesOf(section, line); std::size_t(j - 1) < codes.size())
        codes.insert(codes.begin() + (j - 1), std::string());
    return pushLines({.first = i, .removed = {lines().sections[i - 1]}, .inserted = {section}},
                     QStringLiteral("插入观测点"),
                     {.kind = Change::Kind::Points, .first = i, .last = i});
}

Edited SurveyDocument::deleteLinePoints(std::vector<PointPlace> places) {
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    if (places.empty()) return {};
    for (const PointPlace& at : places) {
        if (at.section < 1 || at.section > lines().sectionCount())
            return refusal(noSection(at.section));
        const auto& points = pointsOf(lines().sections[at.section - 1], at.line);
        if (at.line == Line::Outline || at.point < 1 || at.point > static_cast<int>(points.size()))
            return refusal(refusedAt(
                lines(), at.section,
                "的" + section::lineName(at.line) + "没有第 " + number(at.point) + " 点"));
        if (auto fault = generatedLine(lines(), at.section, at.line)) return refusal(*fault);
    }
    const int from = places.front().section, to = places.back().section;
    CutFillSplice splice{.first = from};
    for (int i = from; i <= to; ++i) {
        splice.removed.push_back(lines().sections[i - 1]);
        splice.inserted.push_back(lines().sections[i - 1]);
    }
    // From the last point back, so that the earlier places still hold.
    for (auto at = places.rbegin(); at != places.rend(); ++at) {
        CutFillSection& section = splice.inserted[at->section - from];
        auto& points = pointsOf(section, at->line);
        points.erase(points.begin() + (at->point - 1));
        if (auto& codes = codesOf(section, at->line); std::size_t(at->point - 1) < codes.size())
            codes.erase(codes.begin() + (at->point - 1));
    }
    return pushLines(std::move(splice), QStringLiteral("删除观测点"),
                     {.kind = Change::Kind::Points, .first = from, .last = to});
}

Edited SurveyDocument::insertLineSection(int i, SectionRow entered) {
    const int count = lines().sectionCount();
    if (i < 1 || i > count + 1) return refusal(noSection(i));
    CutFillSection row = linesOf(std::move(entered));
    CutFillSplice splice{.first = i};
    if (i == count + 1 && i > 1) {
        // Appended: its spacing is the one from the section before, and the last has none.
        splice.first = i - 1;
        CutFillSection before = lines().sections[i - 2];
        splice.removed.push_back(before);
        before.spacing = row.spacing;
        row.spacing = 0.0;
        splice.inserted.push_back(std::move(before));
    }
    splice.inserted.push_back(std::move(row));
    const Change change{.kind = Change::Kind::Sections, .first = splice.first};
    return pushLines(std::move(splice), QStringLiteral("插入断面"), change);
}

Edited SurveyDocument::deleteLineSection(int i) {
    const int count = lines().sectionCount();
    if (i < 1 || i > count) return refusal(noSection(i));
    CutFillSplice splice{.first = i, .removed = {lines().sections[i - 1]}};
    if (i > 1) {
        // The section before then spans both spacings (none when it becomes the last).
        splice.first = i - 1;
        CutFillSection before = lines().sections[i - 2];
        splice.removed.insert(splice.removed.begin(), before);
        before.spacing = i == count ? 0.0 : before.spacing + lines().sections[i - 1].spacing;
        splice.inserted.push_back(std::move(before));
    }
    const Change change{.kind = Change::Kind::Sections, .first = splice.first};
    return pushLines(std::move(splice), QStringLiteral("删除断面"), change);
}

}  // namespace document
