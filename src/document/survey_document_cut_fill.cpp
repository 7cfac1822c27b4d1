// SPDX-License-Identifier: GPL-3.0-or-later
// The edits of a cut-and-fill survey: each builds the splice of the sections
// it touches, applies it in place and recalculates; a fault puts the sections
// back (which calculates as before) and comes back, nothing having changed.

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>

#include "document/survey_document.h"
#include "runtime/number_text.h"

namespace document {
namespace {

using section::Fault;
using section::CutFillSection;
using section::CutFillSurvey;
using section::LinePoint;

std::vector<LinePoint>& pointsOf(CutFillSection& section, Line line) {
    return line == Line::Ground ? section.ground : section.design;
}

std::string lineName(Line line) {
    return line == Line::Ground ? "地面线" : "设计线";
}

std::string number(int n) {
    return runtime::numberToText(n);
}

Fault noSection(int i) {
    return {i, "没有第 " + number(i) + " 个断面"};
}

Fault notCutFill() {
    return {0, "现在的测量数据是闭合断面，不是填挖方断面"};
}

Fault refusedAt(const CutFillSurvey& survey, int i, const std::string& why) {
    return {i, section::cutFillSectionName(survey, i) + why};
}

// Bit for bit, so that retyping 0 over -0 still counts as a change.
bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Sets one cell in `section` (a copy of section i); true when a value changed.
std::optional<Fault> putCell(const CutFillSurvey& survey, CutFillSection& section,
                                    const CutFillCell& cell, bool& appended, bool& changed) {
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
    std::vector<LinePoint>& points = pointsOf(section, cell.line);
    const int count = static_cast<int>(points.size());
    if (cell.point < 1 || cell.point > count + 1)
        return refusedAt(survey, i,
                         "的" + lineName(cell.line) + "没有第 " + number(cell.point) + " 点");
    if (cell.point == count + 1) {
        points.push_back({});
        appended = changed = true;
    }
    LinePoint& point = points[cell.point - 1];
    put(cell.column == Column::Elevation ? point.elevation : point.offset, cell.value);
    return std::nullopt;
}

}  // namespace

// Pushed already applied: the first redo only announces the change.
class SurveyDocument::CutFillCommand : public QUndoCommand {
  public:
    CutFillCommand(SurveyDocument& document, CutFillSplice splice, Change change,
                   const QString& name)
        : QUndoCommand(name), document_(document), splice_(std::move(splice)), change_(change) {}
    void redo() override { run(true); }
    void undo() override { run(false); }

  private:
    void run(bool forward) {
        // Both ways were calculated without a fault before: they are again.
        if (!applied_) applyCutFill(document_.cutFill_, splice_, forward);
        applied_ = false;
        if (change_.kind == Change::Kind::Sections)
            change_.last = document_.cutFill_.sectionCount();
        emit document_.changed(change_);
    }

    SurveyDocument& document_;
    CutFillSplice splice_;
    Change change_;
    bool applied_ = true;
};

SurveyDocument::CutFillRefusal SurveyDocument::pushCutFill(CutFillSplice splice,
                                                           const QString& name, Change change) {
    if (std::optional<Fault> fault = applyCutFill(cutFill_, splice, true)) {
        applyCutFill(cutFill_, splice, false);
        return fault;
    }
    pushStep(new CutFillCommand(*this, std::move(splice), change, name));
    return std::nullopt;
}

SurveyDocument::CutFillRefusal SurveyDocument::setCutFillCell(const CutFillCell& cell) {
    return pasteCutFill({cell});
}

SurveyDocument::CutFillRefusal SurveyDocument::pasteCutFill(const std::vector<CutFillCell>& cells) {
    return pasteCutFill(cells, {});
}

SurveyDocument::CutFillRefusal SurveyDocument::pasteCutFill(const std::vector<CutFillCell>& cells,
                                                            CutFillGrowth growth) {
    if (kind_ != SurveyKind::CutFill) return notCutFill();
    if (cells.empty() && growth.sections.empty()) return std::nullopt;
    // Each touched section is copied once and takes its cells in order.
    std::map<int, CutFillSection> touched;
    bool appended = false, changed = false;
    int from = cutFill_.sectionCount() + 1, to = 0;
    for (const CutFillCell& cell : cells) {
        if (cell.section < 1 || cell.section > cutFill_.sectionCount())
            return noSection(cell.section);
        auto [at, fresh] = touched.try_emplace(cell.section);
        if (fresh) at->second = cutFill_.sections[cell.section - 1];
        if (auto fault = putCell(cutFill_, at->second, cell, appended, changed)) return fault;
        from = std::min(from, cell.section);
        to = std::max(to, cell.section);
    }
    const int count = cutFill_.sectionCount();
    const bool grows = !growth.sections.empty();
    if (grows && count > 0) {
        // The last section goes on to the first new one.
        auto [at, fresh] = touched.try_emplace(count);
        if (fresh) at->second = cutFill_.sections[count - 1];
        at->second.spacing = growth.spacing;
        from = std::min(from, count);
        to = count;
    }
    if (!changed && !grows) return std::nullopt;
    CutFillSplice splice{.first = std::min(from, count + 1)};
    for (int i = splice.first; i <= to; ++i) {
        splice.removed.push_back(cutFill_.sections[i - 1]);
        const auto at = touched.find(i);
        splice.inserted.push_back(at == touched.end() ? cutFill_.sections[i - 1] : at->second);
    }
    if (grows) growth.sections.back().spacing = 0.0;  // the last section has none
    for (CutFillSection& section : growth.sections) splice.inserted.push_back(std::move(section));
    // A station moves the spacing from the section before as well.
    const bool station = std::any_of(cells.begin(), cells.end(), [](const CutFillCell& c) {
        return c.column == Column::Station;
    });
    const Change change{.kind = grows      ? Change::Kind::Sections
                                : appended ? Change::Kind::Points
                                           : Change::Kind::Values,
                        .first = station ? std::max(splice.first - 1, 1) : splice.first,
                        .last = to};
    return pushCutFill(
        std::move(splice),
        cells.size() == 1 && !grows ? cellStepName(cells.front().column) : QStringLiteral("粘贴"),
        change);
}

SurveyDocument::CutFillRefusal SurveyDocument::insertCutFillPoint(int i, Line line, int j,
                                                                  LinePoint point) {
    if (kind_ != SurveyKind::CutFill) return notCutFill();
    if (i < 1 || i > cutFill_.sectionCount()) return noSection(i);
    CutFillSection section = cutFill_.sections[i - 1];
    std::vector<LinePoint>& points = pointsOf(section, line);
    if (j < 1 || j > static_cast<int>(points.size()) + 1)
        return refusedAt(cutFill_, i, "的" + lineName(line) + "没有第 " + number(j) + " 点");
    points.insert(points.begin() + (j - 1), point);
    return pushCutFill({.first = i, .removed = {cutFill_.sections[i - 1]}, .inserted = {section}},
                       QStringLiteral("插入观测点"),
                       {.kind = Change::Kind::Points, .first = i, .last = i});
}

SurveyDocument::CutFillRefusal SurveyDocument::deleteCutFillPoints(std::vector<LinePlace> places) {
    if (kind_ != SurveyKind::CutFill) return notCutFill();
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    if (places.empty()) return std::nullopt;
    for (const LinePlace& at : places) {
        if (at.section < 1 || at.section > cutFill_.sectionCount()) return noSection(at.section);
        const auto& points = pointsOf(cutFill_.sections[at.section - 1], at.line);
        if (at.point < 1 || at.point > static_cast<int>(points.size()))
            return refusedAt(cutFill_, at.section,
                             "的" + lineName(at.line) + "没有第 " + number(at.point) + " 点");
    }
    const int from = places.front().section, to = places.back().section;
    CutFillSplice splice{.first = from};
    for (int i = from; i <= to; ++i) {
        splice.removed.push_back(cutFill_.sections[i - 1]);
        splice.inserted.push_back(cutFill_.sections[i - 1]);
    }
    // From the last point back, so that the earlier places still hold.
    for (auto at = places.rbegin(); at != places.rend(); ++at) {
        auto& points = pointsOf(splice.inserted[at->section - from], at->line);
        points.erase(points.begin() + (at->point - 1));
    }
    return pushCutFill(std::move(splice), QStringLiteral("删除观测点"),
                       {.kind = Change::Kind::Points, .first = from, .last = to});
}

SurveyDocument::CutFillRefusal SurveyDocument::insertCutFillSection(int i, CutFillSection row) {
    const int count = cutFill_.sectionCount();
    if (kind_ != SurveyKind::CutFill) return notCutFill();
    if (i < 1 || i > count + 1) return noSection(i);
    CutFillSplice splice{.first = i};
    if (i == count + 1 && i > 1) {
        // Appended: its spacing is the one from the section before, and the last has none.
        splice.first = i - 1;
        CutFillSection before = cutFill_.sections[i - 2];
        splice.removed.push_back(before);
        before.spacing = row.spacing;
        row.spacing = 0.0;
        splice.inserted.push_back(std::move(before));
    }
    splice.inserted.push_back(std::move(row));
    const Change change{.kind = Change::Kind::Sections, .first = splice.first};
    return pushCutFill(std::move(splice), QStringLiteral("插入断面"), change);
}

SurveyDocument::CutFillRefusal SurveyDocument::deleteCutFillSection(int i) {
    const int count = cutFill_.sectionCount();
    if (kind_ != SurveyKind::CutFill) return notCutFill();
    if (i < 1 || i > count) return noSection(i);
    CutFillSplice splice{.first = i, .removed = {cutFill_.sections[i - 1]}};
    if (i > 1) {
        // The section before then spans both spacings (none when it becomes the last).
        splice.first = i - 1;
        CutFillSection before = cutFill_.sections[i - 2];
        splice.removed.insert(splice.removed.begin(), before);
        before.spacing = i == count ? 0.0 : before.spacing + cutFill_.sections[i - 1].spacing;
        splice.inserted.push_back(std::move(before));
    }
    const Change change{.kind = Change::Kind::Sections, .first = splice.first};
    return pushCutFill(std::move(splice), QStringLiteral("删除断面"), change);
}

}  // namespace document
