// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/survey_document.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <utility>

#include "section/calculation.h"

namespace document {
namespace {

// Bit for bit, so that retyping 0 over -0 still counts as a change.
bool same(Value a, Value b) {
    return std::memcmp(&a, &b, sizeof(Value)) == 0;
}

using section::kMostPoints;
using section::kMostSections;

}  // namespace

// Holds the survey that is not shown, of either kind: each redo and undo
// swaps it with the document's.
class SurveyDocument::ReplaceCommand : public QUndoCommand {
  public:
    ReplaceCommand(SurveyDocument& document, section::SectionSurvey survey,
                   section::CutFillSurvey cutFill, SurveyKind kind, FileTie file,
                   std::optional<section::ProjectInfo> project, const QString& name,
                   Replacing replacing)
        : QUndoCommand(name),
          document_(document),
          survey_(std::move(survey)),
          cutFill_(std::move(cutFill)),
          kind_(kind),
          project_(std::move(project)),
          file_(std::move(file)),
          savedAt_(replacing == Replacing::AsSaved ? document.undoStack_->index() + 1 : -1) {}
    void redo() override { swap(); }
    void undo() override { swap(); }

  private:
    void swap() {
        std::swap(document_.survey_, survey_);
        std::swap(document_.cutFill_, cutFill_);
        std::swap(document_.kind_, kind_);
        std::swap(document_.file_, file_);
        std::swap(document_.savedAt_, savedAt_);
        // Told once the stack has moved, when modified() is true again.
        document_.fileMoved_ = true;
        emit document_.changed(Change{});
        if (project_ && *project_ != document_.project_) {
            std::swap(document_.project_, *project_);
            emit document_.projectChanged();
        }
    }

    SurveyDocument& document_;
    section::SectionSurvey survey_;
    section::CutFillSurvey cutFill_;
    SurveyKind kind_;
    // The one not shown, when the step replaces it too.
    std::optional<section::ProjectInfo> project_;
    FileTie file_;
    // The step at which the survey not shown is its file's; -1, the new
    // survey unsaved, until it is marked saved.
    int savedAt_;
};

class SurveyDocument::ProjectCommand : public QUndoCommand {
  public:
    ProjectCommand(SurveyDocument& document, section::ProjectInfo project)
        : QUndoCommand(QStringLiteral("修改工程信息")),
          document_(document),
          project_(std::move(project)) {}
    void redo() override { swap(); }
    void undo() override { swap(); }

  private:
    void swap() {
        std::swap(document_.project_, project_);
        emit document_.projectChanged();
    }

    SurveyDocument& document_;
    section::ProjectInfo project_;
};

// Pushed already applied: the first redo only announces the change.
template <class Edit>
class SurveyDocument::EditCommand : public QUndoCommand {
  public:
    EditCommand(SurveyDocument& document, Edit edit, Change change, const QString& name)
        : QUndoCommand(name), document_(document), edit_(std::move(edit)), change_(change) {}
    void redo() override { run(Direction::Forward); }
    void undo() override { run(Direction::Back); }

  private:
    void run(Direction direction) {
        // Both ways were calculated without overflow before: they are again.
        if (!applied_) applyEdit(document_.survey_, edit_, direction);
        applied_ = false;
        if (change_.kind == Change::Kind::Sections) change_.last = document_.survey_.sectionCount();
        emit document_.changed(change_);
    }

    SurveyDocument& document_;
    Edit edit_;
    Change change_;
    bool applied_ = true;
};

QString SurveyDocument::cellStepName(Column column) {
    switch (column) {
        case Column::Elevation:
            return QStringLiteral("修改高程");
        case Column::Offset:
            return QStringLiteral("修改距离");
        case Column::Station:
            return QStringLiteral("修改桩号");
        case Column::Spacing:
            return QStringLiteral("修改间距");
    }
    return {};
}

SurveyDocument::SurveyDocument(QObject* parent)
    : QObject(parent), undoStack_(new QUndoStack(this)) {
    connect(undoStack_, &QUndoStack::indexChanged, this, &SurveyDocument::stepsMoved);
}

SurveyDocument::~SurveyDocument() = default;

bool SurveyDocument::modified() const {
    return undoStack_->index() != savedAt_;
}

void SurveyDocument::markSaved(FileTie file) {
    file_ = std::move(file);
    markSaved();
}

void SurveyDocument::markSaved() {
    savedAt_ = undoStack_->index();
    fileMoved_ = true;
    stepsMoved();
}

void SurveyDocument::tieTo(FileTie file) {
    file_ = std::move(file);
    savedAt_ = -1;
    fileMoved_ = true;
    stepsMoved();
}

void SurveyDocument::pushStep(QUndoCommand* step) {
    if (savedAt_ > undoStack_->index()) savedAt_ = -1;
    undoStack_->push(step);
}

void SurveyDocument::stepsMoved() {
    if (modified() == wasModified_ && !fileMoved_) return;
    wasModified_ = modified();
    fileMoved_ = false;
    emit fileChanged();
}

Outcome SurveyDocument::replaceSurvey(section::SectionSurvey data, const QString& stepName,
                                      const QString& fileName,
                                      std::optional<section::ProjectInfo> project,
                                      Replacing replacing) {
    if (!section::calculateSurvey(data)) return Outcome::Overflow;
    pushStep(new ReplaceCommand(*this, std::move(data), {}, SurveyKind::ClosedOutline,
                                FileTie{fileName}, std::move(project), stepName, replacing));
    return Outcome::Done;
}

std::optional<section::Fault> SurveyDocument::replaceCutFillSurvey(
    section::CutFillSurvey data, const QString& stepName, const QString& fileName,
    std::optional<section::ProjectInfo> project, Replacing replacing) {
    if (std::optional<section::Fault> fault = section::calculateCutFill(data)) return fault;
    pushStep(new ReplaceCommand(*this, {}, std::move(data), SurveyKind::CutFill, FileTie{fileName},
                                std::move(project), stepName, replacing));
    return std::nullopt;
}

void SurveyDocument::setProject(section::ProjectInfo project) {
    if (project == project_) return;
    pushStep(new ProjectCommand(*this, std::move(project)));
}

bool SurveyDocument::validSection(int i) const {
    return i >= 1 && i <= survey_.sectionCount();
}

bool SurveyDocument::validPoint(int i, int j) const {
    return validSection(i) && j >= 1 && j <= survey_.pointCounts(i);
}

Outcome SurveyDocument::setCell(const Cell& cell) {
    return paste({cell});
}

Outcome SurveyDocument::cellEdits(const std::vector<Cell>& cells, std::vector<CellEdit>& edits,
                                  Change& change) const {
    // Cells of one point, or of one section's station or spacing, are merged
    // first so that each edit reads the values the one before it left.
    std::map<std::pair<int, int>, Point> points;
    std::map<int, Value> stations;
    std::map<int, Value> spacings;
    for (const Cell& cell : cells) {
        switch (cell.column) {
            case Column::Elevation:
            case Column::Offset: {
                if (!validPoint(cell.section, cell.point)) return Outcome::Refused;
                const auto key = std::pair(cell.section, cell.point);
                auto [at, fresh] = points.try_emplace(key);
                if (fresh)
                    at->second = {survey_.elevations(cell.section, cell.point),
                                  survey_.offsets(cell.section, cell.point)};
                (cell.column == Column::Elevation ? at->second.elevation : at->second.offset) =
                    cell.value;
                break;
            }
            case Column::Station:
                if (!validSection(cell.section)) return Outcome::Refused;
                stations[cell.section] = cell.value;
                break;
            case Column::Spacing:
                // With stations the calculation works the spacings out itself.
                if (survey_.stationsEntered() || cell.section < 1 ||
                    cell.section >= survey_.sectionCount())
                    return Outcome::Refused;
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
        if (same(point.elevation, survey_.elevations(i, j)) &&
            same(point.offset, survey_.offsets(i, j)))
            continue;
        edits.push_back(pointSplice(survey_, i, j, 1, {point}));
        touch(i);
    }
    for (const auto& [i, station] : stations) {
        if (same(station, survey_.stations(i))) continue;
        edits.push_back(StationEdit{.section = i, .before = survey_.stations(i), .after = station});
        touch(i);
        // The spacing from the section before is worked out from this station too.
        if (survey_.stationsEntered() && i > 1) touch(i - 1);
    }
    for (const auto& [i, spacing] : spacings) {
        if (same(spacing, survey_.spacings(i))) continue;
        edits.push_back(SpacingEdit{.section = i, .before = survey_.spacings(i), .after = spacing});
        touch(i);
    }
    return Outcome::Done;
}

Outcome SurveyDocument::paste(const std::vector<Cell>& cells) {
    std::vector<CellEdit> edits;
    Change change;
    if (cellEdits(cells, edits, change) != Outcome::Done) return Outcome::Refused;
    if (edits.empty()) return Outcome::Done;
    const QString name =
        cells.size() == 1 ? cellStepName(cells.front().column) : QStringLiteral("粘贴");
    return pushCells(std::move(edits), name, change);
}

Outcome SurveyDocument::paste(const std::vector<Cell>& cells, Growth growth) {
    const int count = survey_.sectionCount();
    if (growth.points.empty() && growth.sections.empty()) return paste(cells);
    if (count + growth.sections.size() > static_cast<std::size_t>(kMostSections) ||
        (count == 0 && !growth.points.empty()) ||
        (count > 0 && std::max<int>(survey_.pointCounts(count), 0) + growth.points.size() >
                          static_cast<std::size_t>(kMostPoints)) ||
        std::any_of(growth.sections.begin(), growth.sections.end(), [](const SectionRow& row) {
            return row.points.size() > static_cast<std::size_t>(kMostPoints);
        }))
        return Outcome::Refused;
    std::vector<CellEdit> edits;
    Change change;
    if (cellEdits(cells, edits, change) != Outcome::Done) return Outcome::Refused;
    // The rows past the end join the last section as the cells leave it.
    if (!applyEdit(survey_, edits, Direction::Forward)) {
        applyEdit(survey_, edits, Direction::Back);
        return Outcome::Overflow;
    }
    SectionSplice splice = growthSplice(std::move(growth));
    if (!applyEdit(survey_, splice, Direction::Forward)) {
        applyEdit(survey_, edits, Direction::Back);
        return Outcome::Overflow;
    }
    change = {.kind = Change::Kind::Sections, .first = std::min(change.first, splice.first)};
    pushStep(new EditCommand(*this, PasteEdit{std::move(edits), std::move(splice)}, change,
                             QStringLiteral("粘贴")));
    return Outcome::Done;
}

SectionSplice SurveyDocument::growthSplice(Growth growth) const {
    const int count = survey_.sectionCount();
    SectionSplice splice{.first = std::max(count, 1)};
    if (count > 0) {
        SectionRow last = sectionRow(survey_, count);
        splice.removed.push_back(last);
        last.points.insert(last.points.end(), growth.points.begin(), growth.points.end());
        if (!growth.points.empty()) last.pointCount = static_cast<std::int16_t>(last.points.size());
        last.spacing = growth.spacing;
        splice.inserted.push_back(std::move(last));
    }
    if (count > 1) splice.spacingBefore = splice.spacingAfter = survey_.spacings(count - 1);
    for (SectionRow& row : growth.sections) {
        row.pointCount = static_cast<std::int16_t>(row.points.size());
        splice.inserted.push_back(std::move(row));
    }
    return splice;
}

Outcome SurveyDocument::insertPoint(int i, int j, Point point) {
    if (!validSection(i) || j < 1 || j > std::max<int>(survey_.pointCounts(i), 0) + 1 ||
        survey_.pointCounts(i) >= kMostPoints)
        return Outcome::Refused;
    return pushCells({pointSplice(survey_, i, j, 0, {point})}, QStringLiteral("插入观测点"),
                     {.kind = Change::Kind::Points, .first = i, .last = i});
}

Outcome SurveyDocument::deletePoint(int i, int j) {
    return deletePoints({{i, j}});
}

Outcome SurveyDocument::deletePoints(std::vector<std::pair<int, int>> points) {
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.empty()) return Outcome::Done;
    for (const auto& [i, j] : points)
        if (!validPoint(i, j)) return Outcome::Refused;
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
            kept.push_back({survey_.elevations(i, j), survey_.offsets(i, j)});
        }
        edits.push_back(pointSplice(survey_, i, first, last - first + 1, std::move(kept)));
        from = to;
    }
    return pushCells(
        std::move(edits), QStringLiteral("删除观测点"),
        {.kind = Change::Kind::Points, .first = points.front().first, .last = points.back().first});
}

Outcome SurveyDocument::movePointUp(int i, int j) {
    return movePoint(i, j, j - 1, QStringLiteral("上移观测点"));
}

Outcome SurveyDocument::movePointDown(int i, int j) {
    return movePoint(i, j, j + 1, QStringLiteral("下移观测点"));
}

Outcome SurveyDocument::movePoint(int i, int j, int other, const QString& name) {
    if (!validPoint(i, j) || !validPoint(i, other)) return Outcome::Refused;
    const int first = std::min(j, other);
    const Point upper{survey_.elevations(i, first), survey_.offsets(i, first)};
    const Point lower{survey_.elevations(i, first + 1), survey_.offsets(i, first + 1)};
    return pushCells({pointSplice(survey_, i, first, 2, {lower, upper})}, name,
                     {.kind = Change::Kind::Values, .first = i, .last = i});
}

Outcome SurveyDocument::insertSection(int i, SectionRow row) {
    const int count = survey_.sectionCount();
    if (i < 1 || i > count + 1 || count >= kMostSections ||
        row.points.size() > static_cast<std::size_t>(kMostPoints))
        return Outcome::Refused;
    row.pointCount = static_cast<std::int16_t>(row.points.size());
    SectionSplice splice{.first = i};
    if (i > 1) splice.spacingBefore = splice.spacingAfter = survey_.spacings(i - 1);
    if (i == count + 1) {
        // Appended: its spacing is the one from the section before, and the last has none.
        if (i > 1) splice.spacingAfter = row.spacing;
        row.spacing = Value{};
    }
    splice.inserted.push_back(std::move(row));
    return pushSections(std::move(splice), QStringLiteral("插入断面"));
}

Outcome SurveyDocument::deleteSection(int i) {
    if (!validSection(i)) return Outcome::Refused;
    SectionSplice splice{.first = i, .removed = {sectionRow(survey_, i)}};
    if (i > 1) {
        splice.spacingBefore = survey_.spacings(i - 1);
        splice.spacingAfter = i == survey_.sectionCount()
                                  ? Value{}
                                  : static_cast<Value>(splice.spacingBefore + survey_.spacings(i));
    }
    return pushSections(std::move(splice), QStringLiteral("删除断面"));
}

Outcome SurveyDocument::pushCells(std::vector<CellEdit> edits, const QString& name, Change change) {
    if (!applyEdit(survey_, edits, Direction::Forward)) {
        applyEdit(survey_, edits, Direction::Back);
        return Outcome::Overflow;
    }
    pushStep(new EditCommand(*this, std::move(edits), change, name));
    return Outcome::Done;
}

Outcome SurveyDocument::pushSections(SectionSplice splice, const QString& name) {
    const Change change{.kind = Change::Kind::Sections, .first = splice.first};
    if (!applyEdit(survey_, splice, Direction::Forward)) return Outcome::Overflow;
    pushStep(new EditCommand(*this, std::move(splice), change, name));
    return Outcome::Done;
}

}  // namespace document
